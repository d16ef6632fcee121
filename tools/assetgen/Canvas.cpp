#include "assetgen/Canvas.h"

#include <stdexcept>

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot create a drawing surface");
    }
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

RgbaImage Canvas::ToImage(bool withAlpha) const {
    cairo_surface_flush(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    RgbaImage image(width_, height_, withAlpha ? 4 : 3);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row =
            reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const uint32_t argb = row[x];
            const unsigned a = argb >> 24;
            unsigned r = (argb >> 16) & 0xFF;
            unsigned g = (argb >> 8) & 0xFF;
            unsigned b = argb & 0xFF;
            if (a != 0 && a != 255) {
                // Undo cairo's premultiplication, rounding to nearest.
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            uint8_t* out = image.Pixel(x, y);
            out[0] = static_cast<uint8_t>(r > 255 ? 255 : r);
            out[1] = static_cast<uint8_t>(g > 255 ? 255 : g);
            out[2] = static_cast<uint8_t>(b > 255 ? 255 : b);
            if (withAlpha) {
                out[3] = static_cast<uint8_t>(a);
            }
        }
    }
    return image;
}

void Canvas::DrawImage(cairo_t* cr, const RgbaImage& image, double x, double y) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.Width(), image.Height());
    cairo_surface_flush(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int py = 0; py < image.Height(); ++py) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(py) * stride);
        for (int px = 0; px < image.Width(); ++px) {
            const uint8_t* in = image.Pixel(px, py);
            const unsigned a = image.Alpha(px, py);
            const unsigned r = (in[0] * a + 127) / 255;
            const unsigned g = (in[1] * a + 127) / 255;
            const unsigned b = (in[2] * a + 127) / 255;
            row[px] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    cairo_surface_mark_dirty(surface);
    cairo_set_source_surface(cr, surface, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(surface);
}
