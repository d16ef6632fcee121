#pragma once

#include <cstdint>

// Position, size and the plain rectangle drawing every control shares. The
// meaning of (x, y) is the control's own: centre or bottom-left corner.
class O2D {
public:
    void SetPosition(int newX, int newY) {
        x = static_cast<int16_t>(newX);
        y = static_cast<int16_t>(newY);
    }
    void SetSize(int newWidth, int newHeight) {
        width = static_cast<int16_t>(newWidth);
        height = static_cast<int16_t>(newHeight);
    }
    void SetFrameColor(float r, float g, float b, float a);
    void SetFillColor(float r, float g, float b, float a);
    void SetLineWidth(float w) { lineWidth = w; }

    // Filled rectangle (x, y)-(x + width, y + height) in fillColor.
    void DrawBackground() const;
    // Outline of the same rectangle in frameColor.
    void DrawFrame() const;

    uint8_t fillEnabled = 0;
    uint8_t frameEnabled = 0;
    float frameColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float fillColor[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    float lineWidth = 1.0f;
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
};
