#include "assetgen/ScreenArt.h"

#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/LogoArt.h"
#include "assetgen/PaintKit.h"
#include "assetgen/Rng.h"

namespace {

void Tree(cairo_t* cr, Rng& rng, double x, double y, double r) {
    cairo_arc(cr, x + r * 0.35, y + r * 0.45, r * 1.05, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0.03, 0, 0.38);
    cairo_fill(cr);
    // Canopy built from overlapping clumps, lit from the upper left.
    for (int i = 0; i < 7; ++i) {
        const double a = rng.Range(0, 2 * M_PI);
        const double d = rng.Range(0, r * 0.45);
        const double cx = x + d * std::cos(a), cy = y + d * std::sin(a);
        const double cr2 = r * rng.Range(0.45, 0.7);
        cairo_pattern_t* p =
            cairo_pattern_create_radial(cx - cr2 * 0.4, cy - cr2 * 0.4, cr2 * 0.1, cx, cy, cr2);
        const double tint = rng.Range(-0.04, 0.04);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.42 + tint, 0.6 + tint, 0.26);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.13, 0.28 + tint, 0.1);
        cairo_set_source(cr, p);
        cairo_arc(cr, cx, cy, cr2, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

bool NearBoard(double x, double y) {
    // Hand-made levels leave a band around the board visible; keep trees
    // mostly to the edges of the screen.
    return x > 130 && x < 670 && y > 70 && y < 530;
}

void Hills(cairo_t* cr, double baseY, double amplitude, double phase, const Colour& top,
           const Colour& bottom, double height) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 600);
    for (int x = 0; x <= 800; x += 8) {
        const double y = baseY - amplitude * (0.6 * std::sin(x * 0.008 + phase) +
                                              0.4 * std::sin(x * 0.021 + phase * 2.3));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, 800, 600);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, baseY - amplitude, 0, baseY + height);
    top.Stop(p, 0);
    bottom.Stop(p, 1);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Viaduct(cairo_t* cr, double y, double x0, double x1) {
    const double deck = 10, pier = 64;
    cairo_new_path(cr);
    cairo_rectangle(cr, x0, y, x1 - x0, deck);
    for (double x = x0; x < x1; x += 44) {
        cairo_rectangle(cr, x, y + deck, 10, pier);
    }
    cairo_fill(cr);
    cairo_new_path(cr);
    for (double x = x0 + 10; x + 34 <= x1 + 0.1; x += 44) {
        cairo_move_to(cr, x, y + deck);
        cairo_line_to(cr, x + 34, y + deck);
        cairo_line_to(cr, x + 34, y + deck + 10);
        cairo_arc_negative(cr, x + 17, y + deck + 27, 17, 0, M_PI);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

}  // namespace

RgbaImage ScreenArt::GameBackground() {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.Context();
    PaintKit::Meadow(cr, 0, 0, 800, 600, 31337, 0.72);
    Rng rng(2718);
    // A farm lane winding across the field.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, -20, 470);
    cairo_curve_to(cr, 180, 560, 420, 520, 820, 590);
    cairo_set_source_rgba(cr, 0.5, 0.42, 0.28, 0.55);
    cairo_set_line_width(cr, 20);
    cairo_stroke(cr);
    cairo_move_to(cr, -20, 470);
    cairo_curve_to(cr, 180, 560, 420, 520, 820, 590);
    cairo_set_source_rgba(cr, 0.62, 0.53, 0.36, 0.6);
    cairo_set_line_width(cr, 12);
    cairo_stroke(cr);
    // Hedgerows along the top and bottom field edges.
    for (double x = -10; x < 820; x += rng.Range(9, 14)) {
        Tree(cr, rng, x, rng.Range(4, 14), rng.Range(9, 13));
        Tree(cr, rng, x, rng.Range(586, 598), rng.Range(9, 13));
    }
    // Scattered trees, clear of the middle where the board lies.
    int placed = 0;
    while (placed < 26) {
        const double x = rng.Range(10, 790);
        const double y = rng.Range(30, 570);
        if (NearBoard(x, y)) {
            continue;
        }
        Tree(cr, rng, x, y, rng.Range(14, 26));
        ++placed;
    }
    PaintKit::Vignette(cr, 800, 600, 0.45);
    return canvas.ToImage(false);
}

RgbaImage ScreenArt::MenuBackground() {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.Context();
    // Evening sky: deep teal above, warm amber at the horizon.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 360);
    Colour::Hex(0x0d2c33).Stop(sky, 0);
    Colour::Hex(0x2c5a5c).Stop(sky, 0.45);
    Colour::Hex(0xc88a4a).Stop(sky, 0.85);
    Colour::Hex(0xf0c070).Stop(sky, 1);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    // The setting sun's glow.
    cairo_pattern_t* sun = cairo_pattern_create_radial(590, 340, 10, 590, 340, 260);
    cairo_pattern_add_color_stop_rgba(sun, 0, 1, 0.9, 0.6, 0.9);
    cairo_pattern_add_color_stop_rgba(sun, 0.15, 1, 0.75, 0.4, 0.35);
    cairo_pattern_add_color_stop_rgba(sun, 1, 1, 0.6, 0.3, 0);
    cairo_set_source(cr, sun);
    cairo_paint(cr);
    cairo_pattern_destroy(sun);
    // Soft clouds.
    Rng rng(1881);
    for (int i = 0; i < 14; ++i) {
        const double x = rng.Range(-50, 850), y = rng.Range(60, 250);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, rng.Range(60, 130), rng.Range(8, 16));
        cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.85, 0.7, 0.18);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.85, 0.7, 0);
        cairo_set_source(cr, p);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    // Distant hills, the viaduct with a train, nearer hills.
    Hills(cr, 350, 22, 0.5, Colour::Hex(0x4a6a6a), Colour::Hex(0x35524f), 80);
    cairo_set_source_rgb(cr, 0.2, 0.26, 0.25);
    Viaduct(cr, 372, -10, 820);
    cairo_set_source_rgb(cr, 0.1, 0.14, 0.13);
    LogoArt::SideEngine(cr, 612, 372, 40);
    for (int car = 0; car < 3; ++car) {
        cairo_new_path(cr);
        PaintKit::RoundedRect(cr, 562 - car * 48, 352, 44, 16, 3);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 572 - car * 48, 369, 4, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 596 - car * 48, 369, 4, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    for (int i = 0; i < 9; ++i) {
        const double px = 650 - i * 22, py = 340 - i * 5 - std::sin(i * 1.3) * 4;
        cairo_arc(cr, px, py, 6 + i * 1.6, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.95, 0.9, 0.85, 0.35 - i * 0.03);
        cairo_fill(cr);
    }
    Hills(cr, 440, 26, 2.0, Colour::Hex(0x2f5a32), Colour::Hex(0x1d3a22), 120);
    Hills(cr, 520, 30, 4.1, Colour::Hex(0x254a28), Colour::Hex(0x0f2214), 100);
    // Hedgerows dividing the fields on the nearer slopes, with a tree here
    // and there.
    for (int row = 0; row < 3; ++row) {
        const double baseY = 486 + row * 40;
        const double tilt = rng.Range(-0.06, 0.06);
        cairo_new_path(cr);
        for (double x = -10; x < 810; x += rng.Range(2.5, 4)) {
            const double y = baseY + tilt * (x - 400) + 7 * std::sin(x * 0.008 + row * 1.7);
            const bool tree = rng.Unit() < 0.03;
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y - (tree ? 6 : rng.Range(0, 1.5)),
                      tree ? rng.Range(7, 10) : rng.Range(3, 5), 0, 2 * M_PI);
        }
        cairo_set_source_rgba(cr, 0.04, 0.11, 0.05, 0.9);
        cairo_fill(cr);
    }
    // Dim the middle a little so that lettering over it stays readable.
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_set_source_rgba(cr, 0.02, 0.08, 0.09, 0.28);
    cairo_fill(cr);
    PaintKit::Vignette(cr, 800, 600, 0.65);
    return canvas.ToImage(false);
}

RgbaImage ScreenArt::StatusBar() {
    Canvas canvas(800, 40);
    cairo_t* cr = canvas.Context();
    cairo_pattern_t* bar = cairo_pattern_create_linear(0, 0, 0, 40);
    Colour::Hex(0x1f5a58).Stop(bar, 0);
    Colour::Teal().Stop(bar, 0.4);
    Colour::TealDark().Stop(bar, 1);
    cairo_set_source(cr, bar);
    cairo_paint(cr);
    cairo_pattern_destroy(bar);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 0, 0, 4);
    Colour::BrassLight().Stop(rim, 0);
    Colour::BrassDark().Stop(rim, 1);
    cairo_set_source(cr, rim);
    cairo_rectangle(cr, 0, 0, 800, 4);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    // Recessed slots behind the fuel, score and level read-outs and behind
    // the turbo box with the menu and restart tabs.
    const double slots[][2] = {{10, 168}, {174, 330}, {336, 492}, {498, 718}};
    for (const auto& slot : slots) {
        PaintKit::RoundedRect(cr, slot[0], 7, slot[1] - slot[0], 29, 6);
        cairo_set_source_rgba(cr, 0.0, 0.05, 0.05, 0.75);
        cairo_fill(cr);
        PaintKit::RoundedRect(cr, slot[0] + 0.5, 7.5, slot[1] - slot[0] - 1, 28, 6);
        cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_move_to(cr, slot[0] + 6, 36.5);
        cairo_line_to(cr, slot[1] - 6, 36.5);
        Colour::Brass().WithAlpha(0.55).Use(cr);
        cairo_stroke(cr);
    }
    // Rivets along the bar outside the slots, and a small engine emblem at
    // the right end.
    for (double x = 6; x < 800; x += 40) {
        bool inSlot = false;
        for (const auto& slot : slots) {
            inSlot = inSlot || (x > slot[0] - 2 && x < slot[1] + 2);
        }
        if (!inSlot) {
            cairo_arc(cr, x, 21, 2, 0, 2 * M_PI);
            Colour::Brass().Use(cr);
            cairo_fill(cr);
        }
    }
    Colour::BrassLight().WithAlpha(0.8).Use(cr);
    LogoArt::SideEngine(cr, 742, 31, 36);
    cairo_rectangle(cr, 738, 31.5, 46, 1.5);
    cairo_fill(cr);
    return canvas.ToImage(false);
}

void ScreenArt::Add(std::vector<Asset>& out) {
    out.push_back({"GB.Tga", GameBackground()});
    out.push_back({"Interface/Menu.Jpg", MenuBackground()});
    out.push_back({"Interface/StatusBar.Tga", StatusBar()});
}
