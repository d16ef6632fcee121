#include "assetgen/PaintKit.h"

#include <array>
#include <cmath>
#include <vector>

#include "assetgen/FontLibrary.h"
#include "assetgen/Rng.h"

void PaintKit::RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double d = M_PI / 180.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -90 * d, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 90 * d);
    cairo_arc(cr, x + r, y + h - r, r, 90 * d, 180 * d);
    cairo_arc(cr, x + r, y + r, r, 180 * d, 270 * d);
    cairo_close_path(cr);
}

void PaintKit::SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r,
                          double spread, double alpha) {
    const int steps = 6;
    for (int i = steps; i >= 1; --i) {
        const double grow = spread * i / steps;
        RoundedRect(cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow, r + grow);
        cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
        cairo_fill(cr);
    }
}

void PaintKit::Plate(cairo_t* cr, double x, double y, double w, double h, double r, bool lit,
                     double rim) {
    // Brass rim: a vertical gradient that reads as polished metal.
    cairo_pattern_t* brass = cairo_pattern_create_linear(0, y, 0, y + h);
    (lit ? Colour::Hex(0xfff0b0) : Colour::BrassLight()).Stop(brass, 0.0);
    (lit ? Colour::Hex(0xe8c060) : Colour::Brass()).Stop(brass, 0.45);
    Colour::BrassDark().Stop(brass, 1.0);
    RoundedRect(cr, x, y, w, h, r);
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);

    // Teal body.
    const double ir = r > rim ? r - rim : 1.0;
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y + rim, 0, y + h - rim);
    if (lit) {
        Colour::Hex(0x3c9a94).Stop(body, 0.0);
        Colour::Hex(0x21706d).Stop(body, 0.5);
        Colour::Hex(0x154d4c).Stop(body, 1.0);
    } else {
        Colour::Hex(0x25625f).Stop(body, 0.0);
        Colour::Teal().Stop(body, 0.5);
        Colour::TealDark().Stop(body, 1.0);
    }
    RoundedRect(cr, x + rim, y + rim, w - 2 * rim, h - 2 * rim, ir);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    // A thin dark line inside the rim and a faint sheen on the upper half.
    RoundedRect(cr, x + rim + 0.5, y + rim + 0.5, w - 2 * rim - 1, h - 2 * rim - 1, ir);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y + rim, 0, y + h * 0.5);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, lit ? 0.22 : 0.12);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    RoundedRect(cr, x + rim + 1, y + rim + 1, w - 2 * rim - 2, h * 0.5 - rim, ir);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
}

void PaintKit::SetFont(cairo_t* cr, const std::string& face, double size) {
    cairo_set_font_face(cr, FontLibrary::Instance().CairoFace(face));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double PaintKit::TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.width;
}

double PaintKit::FitSize(cairo_t* cr, const std::string& face, const std::string& text,
                         double maxWidth, double maxSize) {
    double size = maxSize;
    SetFont(cr, face, size);
    const double width = TextWidth(cr, text);
    if (width > maxWidth) {
        size = maxSize * maxWidth / width;
        SetFont(cr, face, size);
    }
    return size;
}

void PaintKit::Lettering(cairo_t* cr, const std::string& text, double cx, double baseline,
                         const Colour& top, const Colour& bottom, const Colour& outline,
                         double outlineWidth, double shadow) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    const double x = cx - extents.width / 2 - extents.x_bearing;
    if (shadow > 0) {
        cairo_move_to(cr, x + shadow, baseline + shadow);
        cairo_text_path(cr, text.c_str());
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    if (outlineWidth > 0) {
        outline.Use(cr);
        cairo_set_line_width(cr, outlineWidth * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* fill =
        cairo_pattern_create_linear(0, baseline + extents.y_bearing, 0, baseline);
    top.Stop(fill, 0.0);
    bottom.Stop(fill, 1.0);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

void PaintKit::Meadow(cairo_t* cr, double x, double y, double w, double h, unsigned seed,
                      double brightness) {
    Rng rng(seed);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    Colour base = Colour::Hex(0x5b8a36).Mix(Colour(0, 0, 0), 1.0 - brightness);
    base.Use(cr);
    cairo_paint(cr);

    // Broad light and shade patches, like loose brushwork.
    const int patches = static_cast<int>(w * h / 900) + 4;
    for (int i = 0; i < patches; ++i) {
        const double px = x + rng.Range(-10, w + 10);
        const double py = y + rng.Range(-10, h + 10);
        const double radius = rng.Range(8, 26);
        cairo_pattern_t* blob = cairo_pattern_create_radial(px, py, 0, px, py, radius);
        const bool light = rng.Unit() < 0.5;
        const Colour tone = light ? Colour::Hex(0x8fb552) : Colour::Hex(0x3d6a2a);
        tone.WithAlpha(0.32 * brightness).Stop(blob, 0.0);
        tone.WithAlpha(0.0).Stop(blob, 1.0);
        cairo_set_source(cr, blob);
        cairo_arc(cr, px, py, radius, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(blob);
    }

    // Blades of grass: short curved strokes in several greens, gathered by
    // colour, opacity and width so each bundle is stroked at once.
    static const unsigned greens[] = {0x3f6e28, 0x4d7d2e, 0x6d9c40, 0x80ad4c, 0x9cc061, 0x355f22};
    constexpr int kAlphas = 3, kWidths = 2;
    std::vector<std::vector<std::array<double, 4>>> bundles(6 * kAlphas * kWidths);
    const int blades = static_cast<int>(w * h / 14);
    for (int i = 0; i < blades; ++i) {
        const double px = x + rng.Range(-2, w + 2);
        const double py = y + rng.Range(-2, h + 2);
        const double len = rng.Range(2.0, 5.0);
        const double lean = rng.Range(-1.6, 1.6);
        const int colour = static_cast<int>(rng.Next() % 6);
        const int alpha = static_cast<int>(rng.Next() % kAlphas);
        const int width = static_cast<int>(rng.Next() % kWidths);
        bundles[(colour * kAlphas + alpha) * kWidths + width].push_back({px, py, len, lean});
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (size_t index = 0; index < bundles.size(); ++index) {
        const int width = static_cast<int>(index % kWidths);
        const int alpha = static_cast<int>((index / kWidths) % kAlphas);
        const int colour = static_cast<int>(index / (kWidths * kAlphas));
        cairo_new_path(cr);
        for (const auto& blade : bundles[index]) {
            const double px = blade[0], py = blade[1], len = blade[2], lean = blade[3];
            cairo_move_to(cr, px, py);
            cairo_curve_to(cr, px, py - len * 0.5, px + lean * 0.5, py - len * 0.8, px + lean,
                           py - len);
        }
        const Colour c = Colour::Hex(greens[colour]).Mix(Colour(0, 0, 0), (1.0 - brightness) * 0.8);
        c.WithAlpha(0.5 + 0.18 * alpha).Use(cr);
        cairo_set_line_width(cr, 0.8 + 0.45 * width);
        cairo_stroke(cr);
    }

    // A few meadow flowers: daisies and buttercups.
    const int flowers = static_cast<int>(w * h / 1100);
    for (int i = 0; i < flowers; ++i) {
        const double px = x + rng.Range(3, w - 3);
        const double py = y + rng.Range(3, h - 3);
        const bool daisy = rng.Unit() < 0.6;
        (daisy ? Colour::Hex(0xf6f2e4) : Colour::Hex(0xf2cf3a))
            .WithAlpha(0.85 * brightness)
            .Use(cr);
        cairo_arc(cr, px, py, daisy ? 1.2 : 1.0, 0, 2 * M_PI);
        cairo_fill(cr);
        if (daisy) {
            Colour::Hex(0xe8b430).WithAlpha(0.9 * brightness).Use(cr);
            cairo_arc(cr, px, py, 0.45, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void PaintKit::Bevel(cairo_t* cr, double w, double h, double size) {
    for (int i = 0; i < static_cast<int>(size); ++i) {
        const double fade = 1.0 - static_cast<double>(i) / size;
        const double o = i + 0.5;
        // Light from the upper left.
        cairo_set_source_rgba(cr, 1, 0.97, 0.85, 0.32 * fade);
        cairo_set_line_width(cr, 1.0);
        cairo_move_to(cr, o, h - o);
        cairo_line_to(cr, o, o);
        cairo_line_to(cr, w - o, o);
        cairo_stroke(cr);
        cairo_set_source_rgba(cr, 0.05, 0.04, 0.0, 0.40 * fade);
        cairo_move_to(cr, w - o, o);
        cairo_line_to(cr, w - o, h - o);
        cairo_line_to(cr, o, h - o);
        cairo_stroke(cr);
    }
    cairo_set_source_rgba(cr, 0.05, 0.06, 0.03, 0.6);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    cairo_stroke(cr);
}

void PaintKit::Bolt(cairo_t* cr, double x, double y, double r) {
    cairo_arc(cr, x + 0.8, y + 1.0, r, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    // Hexagonal head.
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = M_PI / 6 + i * M_PI / 3;
        cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* metal = cairo_pattern_create_linear(x - r, y - r, x + r, y + r);
    Colour::Hex(0xd8dcdc).Stop(metal, 0.0);
    Colour::Hex(0x8a9090).Stop(metal, 0.5);
    Colour::Hex(0x4a5050).Stop(metal, 1.0);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.8);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, x, y, r * 0.38, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.2, 0.2, 0.2, 0.7);
    cairo_fill(cr);
}

void PaintKit::Vignette(cairo_t* cr, double w, double h, double strength) {
    const double r = std::sqrt(w * w + h * h) / 2;
    cairo_pattern_t* v = cairo_pattern_create_radial(w / 2, h / 2, r * 0.45, w / 2, h / 2, r);
    cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, strength);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
}
