// The smallest SDL2 + OpenGL program the game is measured against: it opens
// an 800 x 600 window with a legacy GL context, presents a frame cleared
// to pure green as soon as the window shows, and then waits for a quit request (window close or
// SIGTERM). Started by bench_startup. With --quad the green is one quad drawn
// over a black clear instead: the least a program that draws anything at all
// costs the driver (on a software renderer, compiling its first shader).
#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

int main(int argc, char** argv) {
    const bool quad = argc > 1 && std::strcmp(argv[1], "--quad") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_Window* window = SDL_CreateWindow("minimal_gl_window", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
    if (window == nullptr) {
        return 1;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return 1;
    }
    // The frame goes out as soon as the window can show it, and again
    // whenever the window was covered.
    SDL_Event event;
    bool quit = false;
    while (!quit && SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            quit = true;
        } else if (event.type == SDL_WINDOWEVENT &&
                   (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    event.window.event == SDL_WINDOWEVENT_SHOWN)) {
            glClearColor(0.0f, quad ? 0.0f : 1.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            if (quad) {
                glColor3f(0.0f, 1.0f, 0.0f);
                glBegin(GL_QUADS);
                glVertex2f(-1.0f, -1.0f);
                glVertex2f(1.0f, -1.0f);
                glVertex2f(1.0f, 1.0f);
                glVertex2f(-1.0f, 1.0f);
                glEnd();
            }
            SDL_GL_SwapWindow(window);
        }
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
