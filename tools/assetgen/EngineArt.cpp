#include "assetgen/EngineArt.h"

#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/Colour.h"
#include "assetgen/PaintKit.h"

namespace {

void Rect(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
}

// Cylinder shading across x: dark edges, a bright line off centre.
cairo_pattern_t* Cylinder(double x0, double x1, const Colour& base) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    base.Mix(Colour(0, 0, 0), 0.55).Stop(p, 0.0);
    base.Mix(Colour(1, 1, 1), 0.35).Stop(p, 0.32);
    base.Stop(p, 0.55);
    base.Mix(Colour(0, 0, 0), 0.6).Stop(p, 1.0);
    return p;
}

void BrassDisc(cairo_t* cr, double x, double y, double r) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.35, r * 0.1, x, y, r);
    Colour::BrassLight().Stop(p, 0);
    Colour::Brass().Stop(p, 0.6);
    Colour::BrassDark().Stop(p, 1);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// The engine pointing up, centred on the origin, in sheet pixels
// (133 pixels = one board block).
void Engine(cairo_t* cr) {
    const Colour green = Colour::Hex(0x2f7040);
    const Colour black = Colour::Hex(0x1c1d1f);
    // Shadow on the ground.
    cairo_save(cr);
    cairo_translate(cr, 5, 6);
    PaintKit::RoundedRect(cr, -27, -64, 54, 124, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    PaintKit::RoundedRect(cr, -29, -66, 58, 128, 10);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.15);
    cairo_fill(cr);
    cairo_restore(cr);

    // Footplate with red valances.
    PaintKit::RoundedRect(cr, -26, -60, 52, 118, 4);
    black.Use(cr);
    cairo_fill(cr);
    Rect(cr, -26, -56, -23, 54);
    Rect(cr, 23, -56, 26, 54);
    Colour::Hex(0x9a2a1e).Use(cr);
    cairo_fill(cr);
    // Buffer beam and buffers at the front, coupling hook.
    Rect(cr, -27, -63, 27, -55);
    Colour::Hex(0xc0392b).Use(cr);
    cairo_fill(cr);
    for (double x : {-18.0, 18.0}) {
        Rect(cr, x - 4, -69, x + 4, -63);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.32);
        cairo_fill(cr);
        Rect(cr, x - 5.5, -71, x + 5.5, -68);
        cairo_set_source_rgb(cr, 0.75, 0.77, 0.8);
        cairo_fill(cr);
    }
    Rect(cr, -2, -68, 2, -63);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_fill(cr);
    // Lamps on the buffer beam.
    for (double x : {-9.0, 9.0}) {
        cairo_arc(cr, x, -59, 2.6, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.95, 0.93, 0.85);
        cairo_fill(cr);
    }
    // Outside cylinders ahead of the tanks, with their steam chests.
    for (double side : {-1.0, 1.0}) {
        const double x0 = side < 0 ? -31 : 25;
        cairo_pattern_t* cylinder = Cylinder(x0, x0 + 6, Colour::Hex(0x5a5e62));
        Rect(cr, x0, -52, x0 + 6, -36);
        cairo_set_source(cr, cylinder);
        cairo_fill(cr);
        cairo_pattern_destroy(cylinder);
        Rect(cr, x0, -53, x0 + 6, -51.5);
        Rect(cr, x0, -37, x0 + 6, -35.5);
        Colour::BrassLight().Use(cr);
        cairo_fill(cr);
    }
    // Side tanks / splashers.
    for (double side : {-1.0, 1.0}) {
        const double x0 = side < 0 ? -24 : 15;
        const double x1 = side < 0 ? -15 : 24;
        PaintKit::RoundedRect(cr, x0, -34, x1 - x0, 46, 2);
        cairo_pattern_t* tank = Cylinder(x0, x1, green);
        cairo_set_source(cr, tank);
        cairo_fill(cr);
        cairo_pattern_destroy(tank);
        Rect(cr, x0 + 1.2, -32.5, x1 - 1.2, -31.5);
        Rect(cr, x0 + 1.2, 9.5, x1 - 1.2, 10.5);
        Colour::BrassLight().WithAlpha(0.8).Use(cr);
        cairo_fill(cr);
    }
    // Boiler.
    cairo_pattern_t* boiler = Cylinder(-15, 15, green);
    PaintKit::RoundedRect(cr, -15, -46, 30, 62, 3);
    cairo_set_source(cr, boiler);
    cairo_fill(cr);
    cairo_pattern_destroy(boiler);
    // Brass boiler bands.
    for (double y : {-33.0, -14.0, 4.0}) {
        cairo_pattern_t* band = Cylinder(-15, 15, Colour::Brass());
        Rect(cr, -15, y, 15, y + 2.2);
        cairo_set_source(cr, band);
        cairo_fill(cr);
        cairo_pattern_destroy(band);
    }
    // Handrails along the boiler.
    for (double x : {-13.2, 13.2}) {
        cairo_move_to(cr, x, -40);
        cairo_line_to(cr, x, 14);
    }
    Colour::BrassLight().WithAlpha(0.85).Use(cr);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // Smokebox.
    cairo_pattern_t* smokebox = Cylinder(-15.5, 15.5, Colour::Hex(0x2a2b2e));
    PaintKit::RoundedRect(cr, -15.5, -56, 31, 14, 3);
    cairo_set_source(cr, smokebox);
    cairo_fill(cr);
    cairo_pattern_destroy(smokebox);
    // Chimney with a copper cap.
    cairo_arc(cr, 0, -48, 8.5, 0, 2 * M_PI);
    cairo_pattern_t* cap = cairo_pattern_create_radial(-3, -51, 1, 0, -48, 8.5);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.95, 0.62, 0.4);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.5, 0.25, 0.12);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    cairo_arc(cr, 0, -48, 5.2, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
    cairo_fill(cr);
    // Steam dome and safety valves.
    BrassDisc(cr, 0, -22, 7.5);
    BrassDisc(cr, 0, 0, 4.5);
    BrassDisc(cr, 0, 8, 3);
    BrassDisc(cr, 5, 12, 1.8);  // whistle
    // Cab.
    PaintKit::RoundedRect(cr, -25, 16, 50, 32, 3);
    green.Mix(Colour(0, 0, 0), 0.25).Use(cr);
    cairo_fill(cr);
    PaintKit::RoundedRect(cr, -23, 18, 46, 28, 5);
    cairo_pattern_t* roof = cairo_pattern_create_linear(-23, 0, 23, 0);
    cairo_pattern_add_color_stop_rgb(roof, 0, 0.2, 0.2, 0.22);
    cairo_pattern_add_color_stop_rgb(roof, 0.35, 0.55, 0.55, 0.58);
    cairo_pattern_add_color_stop_rgb(roof, 1, 0.16, 0.16, 0.18);
    cairo_set_source(cr, roof);
    cairo_fill(cr);
    cairo_pattern_destroy(roof);
    Rect(cr, -6, 27, 6, 35);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
    cairo_fill(cr);
    // Lining along the cab front.
    Rect(cr, -25, 16, 25, 17.5);
    Colour::BrassLight().Use(cr);
    cairo_fill(cr);
    // Coal bunker at the rear.
    Rect(cr, -22, 48, 22, 57);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.11);
    cairo_fill(cr);
    for (int i = 0; i < 9; ++i) {
        cairo_arc(cr, -18 + i * 4.5, 52 + ((i * 7) % 3) - 1, 2.3, 0, 2 * M_PI);
    }
    cairo_set_source_rgb(cr, 0.28, 0.29, 0.32);
    cairo_fill(cr);
}

}  // namespace

const char* EngineArt::SheetName(int direction) {
    static const char* const names[4] = {"Up.Tga", "Right.Tga", "Down.Tga", "Left.Tga"};
    return names[direction];
}

void EngineArt::CellOrigin(int frame, int& x, int& y) {
    x = (frame / 4) * kCell;
    y = kSheet - ((frame & 3) + 1) * kCell;
}

RgbaImage EngineArt::Sheet(int direction) {
    Canvas canvas(kSheet, kSheet);
    cairo_t* cr = canvas.Context();
    for (int frame = 0; frame < kFrames; ++frame) {
        int x = 0, y = 0;
        CellOrigin(frame, x, y);
        cairo_save(cr);
        cairo_rectangle(cr, x, y, kCell, kCell);
        cairo_clip(cr);
        cairo_translate(cr, x + kCell / 2.0, y + kCell / 2.0);
        cairo_rotate(cr, (direction * 90.0 + frame * 10.0) * M_PI / 180.0);
        Engine(cr);
        cairo_restore(cr);
    }
    return canvas.ToImage(true);
}

void EngineArt::Add(std::vector<Asset>& out) {
    for (int direction = 0; direction < 4; ++direction) {
        out.push_back({SheetName(direction), Sheet(direction)});
    }
}
