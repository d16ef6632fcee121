#pragma once

#include <cairo.h>

// An RGBA colour with the game's palette: warm Victorian railway greens,
// dark teal interface plates with brass edges and cream lettering.
struct Colour {
    double r, g, b, a;

    constexpr Colour(double red, double green, double blue, double alpha = 1.0)
        : r(red), g(green), b(blue), a(alpha) {}
    static constexpr Colour Hex(unsigned rgb, double alpha = 1.0) {
        return Colour(((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                      (rgb & 0xFF) / 255.0, alpha);
    }
    Colour WithAlpha(double alpha) const { return Colour(r, g, b, alpha); }
    Colour Mix(const Colour& other, double t) const {
        return Colour(r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t,
                      a + (other.a - a) * t);
    }
    void Use(cairo_t* cr) const { cairo_set_source_rgba(cr, r, g, b, a); }
    void Stop(cairo_pattern_t* pattern, double offset) const {
        cairo_pattern_add_color_stop_rgba(pattern, offset, r, g, b, a);
    }

    static constexpr Colour Teal() { return Hex(0x14474a); }
    static constexpr Colour TealDark() { return Hex(0x0b2a2d); }
    static constexpr Colour TealLight() { return Hex(0x2a7472); }
    static constexpr Colour Brass() { return Hex(0xc8a04a); }
    static constexpr Colour BrassLight() { return Hex(0xf4dc8c); }
    static constexpr Colour BrassDark() { return Hex(0x6e5220); }
    static constexpr Colour Cream() { return Hex(0xf4e8c8); }
    static constexpr Colour Ink() { return Hex(0x10181a); }
    static constexpr Colour Crimson() { return Hex(0x8a2a20); }
    static constexpr Colour Grass() { return Hex(0x5e8f3a); }
};
