#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/BackBufferAge.h"

// A plain SDL window with a compatibility OpenGL context, current for the
// window's life, for tests that draw and read the result back.
class GLTestWindow {
public:
    GLTestWindow(int width, int height) : width(width), height(height) {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
                throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
            }
            // Stopped again at the end, so later tests start video afresh
            // (the X11 window class is taken when it starts).
            startedVideo = true;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window = SDL_CreateWindow("texture test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  width, height, SDL_WINDOW_OPENGL);
        if (window == nullptr) {
            throw std::runtime_error(std::string("window: ") + SDL_GetError());
        }
        CreateContext();
    }
    ~GLTestWindow() {
        DestroyContext();
        SDL_DestroyWindow(window);
        if (startedVideo) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    GLTestWindow(const GLTestWindow&) = delete;
    GLTestWindow& operator=(const GLTestWindow&) = delete;

    // Makes a new context current, as a display-mode switch does.
    void CreateContext() {
        context = SDL_GL_CreateContext(window);
        if (context == nullptr) {
            throw std::runtime_error(std::string("GL context: ") + SDL_GetError());
        }
        SDL_GL_MakeCurrent(window, context);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
    void DestroyContext() {
        if (context == nullptr) {
            return;
        }
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }

    void Clear(float red, float green, float blue) {
        glClearColor(red, green, blue, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The RGB colour at window pixel (x, y), origin at the lower left.
    std::array<int, 3> Pixel(int x, int y) const {
        glFinish();
        uint8_t rgb[3] = {};
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return {rgb[0], rgb[1], rgb[2]};
    }

    // Presents the back buffer, as the game does at the end of a frame.
    void Swap() { BackBufferAge::Present(window); }

    // The whole frame, bottom row first.
    std::vector<uint8_t> Frame() const {
        glFinish();
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    // Writes the frame as a PPM into $CARROWMOOR_SNAPSHOTS (when set), so a
    // developer can look at what a test drew.
    void Snapshot(const std::string& name) const {
        const char* folder = std::getenv("CARROWMOOR_SNAPSHOTS");
        if (folder == nullptr) {
            return;
        }
        const std::vector<uint8_t> rgb = Frame();
        FILE* file = std::fopen((std::string(folder) + "/" + name + ".ppm").c_str(), "wb");
        if (file == nullptr) {
            return;
        }
        std::fprintf(file, "P6\n%d %d\n255\n", width, height);
        for (int row = height - 1; row >= 0; --row) {
            std::fwrite(&rgb[static_cast<size_t>(row) * width * 3], 1,
                        static_cast<size_t>(width) * 3, file);
        }
        std::fclose(file);
    }

    const int width;
    const int height;

private:
    bool startedVideo = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};
