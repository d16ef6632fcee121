#pragma once

#include <cairo.h>

#include "assetgen/RgbaImage.h"

// A cairo drawing surface of a fixed size that can be read back as a
// straight-alpha picture. Owns its surface and context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Context() const { return cr_; }
    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Reads the pixels back; with withAlpha false the alpha is dropped (the
    // picture is meant to be opaque).
    RgbaImage ToImage(bool withAlpha) const;

    // Copies a picture onto a fresh canvas (for composing and review).
    static void DrawImage(cairo_t* cr, const RgbaImage& image, double x, double y);

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};
