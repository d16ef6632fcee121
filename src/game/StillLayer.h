#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

// A copy of the part of the game screen that stands still between moves
// (the background, the blocks at rest with their grid lines and ground
// items, the status bar with its texts), kept in a texture of the window's
// pixels. The screen draws those parts once, copies them in with
// glCopyTexSubImage2D, and then shows the copy as one quad until what it
// shows changes; the moving things are drawn over it every frame.
class StillLayer {
public:
    // What the layer shows, gathered anew every frame: when it differs from
    // the captured one, the parts are drawn and captured again.
    class Signature {
    public:
        void Clear() { words.clear(); }
        void Add(int64_t value) { words.push_back(value); }
        void Add(float value);
        void Add(const void* pointer);
        void Add(const std::string& text);
        bool operator==(const Signature& other) const { return words == other.words; }
        bool operator!=(const Signature& other) const { return !(*this == other); }

    private:
        std::vector<int64_t> words;
    };

    StillLayer() = default;
    ~StillLayer();
    StillLayer(const StillLayer&) = delete;
    StillLayer& operator=(const StillLayer&) = delete;

    // True when the layer holds a picture of this signature taken from this
    // viewport on the current context's textures.
    bool Holds(const Signature& signature, int x, int y, int width, int height) const;
    // Copies the viewport's pixels of the buffer being drawn into the layer.
    // False (nothing kept) when no texture could be made for it.
    bool Capture(const Signature& signature, int x, int y, int width, int height);
    // The layer's pixels over the rectangle (x0, y0)..(x1, y1) of the 800 x
    // 600 virtual screen, pixel for pixel where they were taken. Leaves
    // blending off and texturing on, colour opaque white.
    void Draw(float x0, float y0, float x1, float y1) const;
    // Whether a picture is held at all.
    bool Valid() const;

private:
    GLuint texture = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    int viewportX = 0;
    int viewportY = 0;
    int viewportWidth = 0;
    int viewportHeight = 0;
    // The textures' context generation the texture was made in.
    int generation = -1;
    Signature captured;
};
