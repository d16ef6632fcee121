#include "assetgen/PanelArt.h"

#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"

namespace {

// Panel body: brass frame, dark teal field with a faint diagonal weave.
void PanelBody(cairo_t* cr, double w, double h) {
    PaintKit::Plate(cr, 1, 1, w - 2, h - 2, 12, false, 5);
    cairo_save(cr);
    PaintKit::RoundedRect(cr, 7, 7, w - 14, h - 14, 8);
    cairo_clip(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.035);
    cairo_set_line_width(cr, 1);
    for (double d = -h; d < w; d += 6) {
        cairo_move_to(cr, d, h);
        cairo_line_to(cr, d + h, 0);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    // Inner brass line.
    PaintKit::RoundedRect(cr, 9.5, 9.5, w - 19, h - 19, 7);
    Colour::Brass().WithAlpha(0.55).Use(cr);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Corner rivets.
    for (double x : {16.0, w - 16}) {
        for (double y : {16.0, h - 16}) {
            cairo_arc(cr, x, y, 2.4, 0, 2 * M_PI);
            cairo_pattern_t* p = cairo_pattern_create_radial(x - 0.8, y - 0.8, 0.2, x, y, 2.4);
            Colour::BrassLight().Stop(p, 0);
            Colour::BrassDark().Stop(p, 1);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        }
    }
}

void Ornament(cairo_t* cr, double cx, double y, double half) {
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - half, 0, cx + half, 0);
    Colour::Brass().WithAlpha(0).Stop(p, 0);
    Colour::BrassLight().Stop(p, 0.5);
    Colour::Brass().WithAlpha(0).Stop(p, 1);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, cx - half, y - 0.75, half * 2, 1.5);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, cx, y - 4);
    cairo_line_to(cr, cx + 4, y);
    cairo_line_to(cr, cx, y + 4);
    cairo_line_to(cr, cx - 4, y);
    cairo_close_path(cr);
    Colour::BrassLight().Use(cr);
    cairo_fill(cr);
}

void Laurel(cairo_t* cr, double cx, double cy, double r) {
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 7; ++i) {
            const double a = M_PI / 2 + side * (0.35 + i * 0.33);
            const double x = cx + r * std::cos(a);
            const double y = cy + r * std::sin(a);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a + side * 0.9);
            cairo_scale(cr, 5.5, 2.4);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
        }
    }
    cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
    Colour::BrassLight().Stop(p, 0);
    Colour::Brass().Stop(p, 1);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

}  // namespace

RgbaImage PanelArt::LevelComplete() {
    // The game prints its three result lines on the left half and places the
    // Next Level button at the bottom centre; the title sits on the right.
    Canvas canvas(360, 170);
    cairo_t* cr = canvas.Context();
    PanelBody(cr, 360, 170);
    const double cx = 298, cy = 60;
    Laurel(cr, cx, cy, 34);
    cairo_arc(cr, cx, cy, 22, 0, 2 * M_PI);
    Colour::Hex(0x7a2218).Use(cr);
    cairo_fill_preserve(cr);
    Colour::BrassLight().Use(cr);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A five-pointed star in the medallion.
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2 == 0) ? 14 : 6;
        cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    cairo_close_path(cr);
    Colour::Cream().Use(cr);
    cairo_fill(cr);
    PaintKit::SetFont(cr, FontLibrary::kSerifBold, 17);
    PaintKit::Lettering(cr, "Level", cx, 118, Colour::Cream(), Colour::BrassLight(),
                        Colour(0, 0, 0, 0.8), 1.2, 1);
    PaintKit::Lettering(cr, "Complete!", cx, 138, Colour::Cream(), Colour::BrassLight(),
                        Colour(0, 0, 0, 0.8), 1.2, 1);
    // Guide rules under the result lines.
    for (double y : {42.0, 70.0, 110.0}) {
        cairo_rectangle(cr, 16, y, 218, 1);
    }
    Colour::Brass().WithAlpha(0.35).Use(cr);
    cairo_fill(cr);
    return canvas.ToImage(true);
}

RgbaImage PanelArt::Hints() {
    Canvas canvas(480, 180);
    cairo_t* cr = canvas.Context();
    PanelBody(cr, 480, 180);
    Ornament(cr, 200, 20, 150);
    // A mouse with its left button gilded (move) and right one cream (turn).
    const double mx = 420, my = 76;
    PaintKit::SoftShadow(cr, mx - 22 + 2, my - 34 + 3, 44, 68, 20, 2, 0.5);
    PaintKit::RoundedRect(cr, mx - 22, my - 34, 44, 68, 20);
    cairo_pattern_t* body = cairo_pattern_create_linear(mx - 22, 0, mx + 22, 0);
    Colour::Hex(0xe8e0cc).Stop(body, 0);
    Colour::Hex(0xb8ae98).Stop(body, 1);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    cairo_move_to(cr, mx - 22, my - 8);
    cairo_line_to(cr, mx - 22, my - 14);
    cairo_curve_to(cr, mx - 22, my - 28, mx - 14, my - 34, mx - 1, my - 34);
    cairo_line_to(cr, mx - 1, my - 8);
    cairo_close_path(cr);
    Colour::Hex(0xf0c860).Use(cr);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0.2, 0.15, 0.08, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, mx, my - 34);
    cairo_line_to(cr, mx, my - 8);
    cairo_move_to(cr, mx - 22, my - 8);
    cairo_line_to(cr, mx + 22, my - 8);
    cairo_stroke(cr);
    PaintKit::RoundedRect(cr, mx - 22, my - 34, 44, 68, 20);
    cairo_stroke(cr);
    cairo_move_to(cr, mx, my - 34);
    cairo_curve_to(cr, mx, my - 50, mx + 20, my - 52, mx + 24, my - 64);
    Colour::Brass().Use(cr);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    PaintKit::SetFont(cr, FontLibrary::kSansBold, 10);
    PaintKit::Lettering(cr, "move", mx - 24, my + 50, Colour::BrassLight(), Colour::Brass(),
                        Colour(0, 0, 0, 0.7), 1, 0);
    PaintKit::Lettering(cr, "turn", mx + 24, my + 50, Colour::Cream(), Colour::Cream(),
                        Colour(0, 0, 0, 0.7), 1, 0);
    return canvas.ToImage(true);
}

RgbaImage PanelArt::GameOver() {
    Canvas canvas(400, 120);
    cairo_t* cr = canvas.Context();
    PaintKit::SoftShadow(cr, 4, 5, 392, 110, 14, 4, 0.5);
    PaintKit::RoundedRect(cr, 3, 3, 394, 112, 14);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 3, 0, 115);
    Colour::BrassLight().Stop(rim, 0);
    Colour::Brass().Stop(rim, 0.5);
    Colour::BrassDark().Stop(rim, 1);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    PaintKit::RoundedRect(cr, 9, 9, 382, 100, 9);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 9, 0, 109);
    Colour::Hex(0xa3382a).Stop(body, 0);
    Colour::Hex(0x58140e).Stop(body, 1);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    PaintKit::RoundedRect(cr, 14.5, 14.5, 371, 89, 6);
    Colour::BrassLight().WithAlpha(0.7).Use(cr);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    PaintKit::FitSize(cr, FontLibrary::kSerifBold, "GAME OVER", 330, 46);
    PaintKit::Lettering(cr, "GAME OVER", 200, 70, Colour::Hex(0xfff6d8), Colour::BrassLight(),
                        Colour(0.2, 0.03, 0.01), 1.6, 3);
    PaintKit::SetFont(cr, FontLibrary::kSansBold, 12);
    PaintKit::Lettering(cr, "The line is closed", 200, 94, Colour::Cream(), Colour::Cream(),
                        Colour(0.2, 0.03, 0.01), 1, 0);
    return canvas.ToImage(true);
}

RgbaImage PanelArt::SmallWindow() {
    Canvas canvas(400, 150);
    cairo_t* cr = canvas.Context();
    PanelBody(cr, 400, 150);
    Ornament(cr, 200, 30, 140);
    Ornament(cr, 200, 86, 110);
    return canvas.ToImage(true);
}

void PanelArt::Add(std::vector<Asset>& out) {
    out.push_back({"LCompl.Tga", LevelComplete()});
    out.push_back({"HintsBgrn.Tga", Hints()});
    out.push_back({"GameOver.Tga", GameOver()});
    out.push_back({"SmlWind.Tga", SmallWindow()});
}
