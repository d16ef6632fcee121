// The smallest SDL2 + OpenGL program the game is measured against: it opens
// an 800 x 600 window with a legacy GL context, presents a frame cleared
// to pure green as soon as the window shows, and then waits for a quit request (window close or
// SIGTERM). Started by bench_startup.
#include <GL/gl.h>
#include <SDL.h>

int main(int, char**) {
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
            glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            SDL_GL_SwapWindow(window);
        }
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
