#include "assetgen/ItemArt.h"

#include <algorithm>
#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/PaintKit.h"
#include "assetgen/Rng.h"

namespace {

void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, alpha);
    cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
    cairo_set_source(cr, shadow);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    cairo_restore(cr);
}

void Lump(cairo_t* cr, Rng& rng, double cx, double cy, double r) {
    cairo_new_path(cr);
    const int corners = rng.Int(5, 7);
    const double turn = rng.Range(0, M_PI);
    for (int i = 0; i < corners; ++i) {
        const double a = turn + i * 2 * M_PI / corners;
        const double d = r * rng.Range(0.7, 1.1);
        cairo_line_to(cr, cx + d * std::cos(a), cy + d * 0.85 * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* shine = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    const double lift = rng.Range(0.0, 0.08);
    cairo_pattern_add_color_stop_rgb(shine, 0, 0.36 + lift, 0.37 + lift, 0.42 + lift);
    cairo_pattern_add_color_stop_rgb(shine, 0.5, 0.1, 0.1, 0.12);
    cairo_pattern_add_color_stop_rgb(shine, 1, 0.03, 0.03, 0.04);
    cairo_set_source(cr, shine);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shine);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    // Glint.
    cairo_arc(cr, cx - r * 0.35, cy - r * 0.35, r * 0.18, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.8, 0.85, 0.95, 0.55);
    cairo_fill(cr);
}

void Person(cairo_t* cr, bool second) {
    // A railway navvy seen from the front: cap, face, waistcoat, tool.
    const Colour skin = Colour::Hex(0xe6b48a);
    const Colour shirt = second ? Colour::Hex(0xe8e0c8) : Colour::Hex(0x5d86b4);
    const Colour vest = second ? Colour::Hex(0x6b3a22) : Colour::Hex(0x3d4a3a);
    const Colour trousers = second ? Colour::Hex(0x3a3a44) : Colour::Hex(0x5a4a34);
    const Colour scarf = second ? Colour::Hex(0xd8402a) : Colour::Hex(0xe8b830);
    GroundShadow(cr, 24, 44, 13, 3.5, 0.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Tool: shovel for the first worker, pickaxe for the second.
    cairo_set_source_rgb(cr, 0.45, 0.3, 0.16);
    cairo_set_line_width(cr, 2.2);
    if (second) {
        cairo_move_to(cr, 12, 43);
        cairo_line_to(cr, 8, 13);
        cairo_stroke(cr);
        cairo_move_to(cr, 1.5, 15);
        cairo_curve_to(cr, 5, 10, 11, 10, 14.5, 14);
        cairo_set_source_rgb(cr, 0.55, 0.57, 0.6);
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
    } else {
        cairo_move_to(cr, 37, 10);
        cairo_line_to(cr, 37, 37);
        cairo_stroke(cr);
        PaintKit::RoundedRect(cr, 33.5, 35, 7, 9, 2);
        cairo_set_source_rgb(cr, 0.6, 0.62, 0.65);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    // Legs and boots.
    trousers.Use(cr);
    cairo_rectangle(cr, 18, 31, 5, 11);
    cairo_rectangle(cr, 25, 31, 5, 11);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.15, 0.1, 0.07);
    PaintKit::RoundedRect(cr, 16.5, 40.5, 7, 4, 1.5);
    PaintKit::RoundedRect(cr, 24.5, 40.5, 7, 4, 1.5);
    cairo_fill(cr);
    // Body with rolled sleeves.
    shirt.Use(cr);
    PaintKit::RoundedRect(cr, 15, 17, 18, 16, 4);
    cairo_fill(cr);
    vest.Use(cr);
    cairo_rectangle(cr, 18, 18, 12, 15);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.85, 0.75, 0.4);
    for (double y : {22.0, 26.0, 30.0}) {
        cairo_arc(cr, 24, y, 0.7, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // Arms reaching to the tool.
    cairo_set_line_width(cr, 4);
    shirt.Use(cr);
    if (second) {
        cairo_move_to(cr, 17, 20);
        cairo_line_to(cr, 11, 26);
        cairo_move_to(cr, 31, 20);
        cairo_line_to(cr, 34, 29);
    } else {
        cairo_move_to(cr, 31, 20);
        cairo_line_to(cr, 36, 25);
        cairo_move_to(cr, 17, 20);
        cairo_line_to(cr, 14, 29);
    }
    cairo_stroke(cr);
    skin.Use(cr);
    for (auto hand : second ? std::vector<std::pair<double, double>>{{10.5, 26.5}, {34, 30}}
                            : std::vector<std::pair<double, double>>{{37, 25}, {14, 30}}) {
        cairo_arc(cr, hand.first, hand.second, 2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // Neckerchief, head, moustache and cap.
    scarf.Use(cr);
    cairo_move_to(cr, 19, 17);
    cairo_line_to(cr, 29, 17);
    cairo_line_to(cr, 24, 22);
    cairo_close_path(cr);
    cairo_fill(cr);
    skin.Use(cr);
    cairo_arc(cr, 24, 11.5, 5.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.35, 0.22, 0.12);
    cairo_move_to(cr, 21.2, 14);
    cairo_curve_to(cr, 22.5, 13, 25.5, 13, 26.8, 14);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.1, 0.08, 0.06);
    cairo_arc(cr, 22, 11, 0.7, 0, 2 * M_PI);
    cairo_arc(cr, 26, 11, 0.7, 0, 2 * M_PI);
    cairo_fill(cr);
    (second ? Colour::Hex(0x2a2a2e) : Colour::Hex(0x6a5a40)).Use(cr);
    cairo_move_to(cr, 18, 9.5);
    cairo_curve_to(cr, 18, 3.5, 30, 3.5, 30, 9.5);
    cairo_line_to(cr, 31.5, 10.5);
    cairo_line_to(cr, 18, 10);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Dark outline around the whole figure for the board's busy background.
}

}  // namespace

RgbaImage ItemArt::Coal() {
    Canvas canvas(48, 40);
    cairo_t* cr = canvas.Context();
    GroundShadow(cr, 24, 31, 22, 8, 0.55);
    // The heap's body, so the lumps read as one pile on grass and gravel.
    cairo_move_to(cr, 4, 33);
    cairo_curve_to(cr, 8, 20, 16, 8, 24, 8);
    cairo_curve_to(cr, 32, 8, 40, 20, 44, 33);
    cairo_curve_to(cr, 32, 37, 16, 37, 4, 33);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(10, 8, 38, 36);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.2, 0.21, 0.24);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.04, 0.04, 0.05);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    Rng rng(4242);
    // Lumps from the bottom of the heap upwards, so upper ones overlap.
    for (int layer = 0; layer < 5; ++layer) {
        const double y = 30 - layer * 4.2;
        const double half = 19 - layer * 3.6;
        const int count = std::max(1, static_cast<int>(half / 3.2));
        for (int i = 0; i < count; ++i) {
            const double x = 24 - half + (2 * half) * (i + 0.5) / count + rng.Range(-1.5, 1.5);
            Lump(cr, rng, x, y + rng.Range(-1, 1), rng.Range(3.6, 5.2));
        }
    }
    return canvas.ToImage(true);
}

RgbaImage ItemArt::Semaphore(bool clear) {
    Canvas canvas(40, 48);
    cairo_t* cr = canvas.Context();
    GroundShadow(cr, 20, 44, 10, 3, 0.55);
    // Lattice post.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_rectangle(cr, 18, 10, 4.5, 34);
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.13);
    cairo_fill(cr);
    cairo_rectangle(cr, 18.8, 10, 1.6, 34);
    cairo_set_source_rgb(cr, 0.92, 0.9, 0.85);
    cairo_fill(cr);
    cairo_rectangle(cr, 14, 41, 12.5, 4);
    cairo_set_source_rgb(cr, 0.25, 0.22, 0.2);
    cairo_fill(cr);
    // Finial.
    cairo_arc(cr, 20.2, 8.5, 2.4, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.13);
    cairo_fill(cr);
    // Arm pivoting at the post, pointing left: level for danger, raised 45
    // degrees for clear.
    const double pivotX = 20.2, pivotY = 15;
    cairo_save(cr);
    cairo_translate(cr, pivotX, pivotY);
    cairo_rotate(cr, clear ? M_PI / 4 : 0);
    cairo_rectangle(cr, -19, -3.4, 19, 6.8);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_fill(cr);
    cairo_rectangle(cr, -18.2, -2.6, 17.4, 5.2);
    cairo_set_source_rgb(cr, 0.86, 0.12, 0.1);
    cairo_fill(cr);
    cairo_rectangle(cr, -15.5, -2.6, 2.6, 5.2);
    cairo_set_source_rgb(cr, 0.97, 0.95, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    // Lamp with its coloured glow, a little below the pivot.
    const double lampX = 25.5, lampY = 20;
    const Colour light = clear ? Colour::Hex(0x5cf07a) : Colour::Hex(0xff3a2a);
    cairo_pattern_t* glow = cairo_pattern_create_radial(lampX, lampY, 0, lampX, lampY, 10);
    light.WithAlpha(0.8).Stop(glow, 0);
    light.WithAlpha(0).Stop(glow, 1);
    cairo_set_source(cr, glow);
    cairo_arc(cr, lampX, lampY, 10, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_arc(cr, lampX, lampY, 3.6, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_fill(cr);
    cairo_arc(cr, lampX, lampY, 2.4, 0, 2 * M_PI);
    light.Mix(Colour(1, 1, 1), 0.3).Use(cr);
    cairo_fill(cr);
    return canvas.ToImage(true);
}

RgbaImage ItemArt::Worker(bool second) {
    Canvas canvas(48, 48);
    cairo_t* cr = canvas.Context();
    // A dark halo keeps the figure readable on grass and gravel alike.
    cairo_push_group(cr);
    Person(cr, second);
    cairo_pattern_t* figure = cairo_pop_group(cr);
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            cairo_save(cr);
            cairo_translate(cr, dx * 0.9, dy * 0.9);
            cairo_set_source_rgba(cr, 0.08, 0.06, 0.04, 0.75);
            cairo_mask(cr, figure);
            cairo_restore(cr);
        }
    }
    cairo_set_source(cr, figure);
    cairo_paint(cr);
    cairo_pattern_destroy(figure);
    return canvas.ToImage(true);
}

RgbaImage ItemArt::Smoke() {
    RgbaImage image(32, 32, 4);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = (x + 0.5 - 16) / 15.5;
            const double dy = (y + 0.5 - 16) / 15.5;
            const double r2 = dx * dx + dy * dy;
            const double a = r2 >= 1 ? 0 : (1 - r2) * (1 - r2);
            uint8_t* p = image.Pixel(x, y);
            p[0] = p[1] = p[2] = 255;
            p[3] = static_cast<uint8_t>(std::lround(a * 255));
        }
    }
    return image;
}

RgbaImage ItemArt::Cursor() {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Context();
    auto arrow = [cr](double ox, double oy) {
        cairo_new_path(cr);
        cairo_move_to(cr, ox + 2, oy + 2);
        cairo_line_to(cr, ox + 2, oy + 50);
        cairo_line_to(cr, ox + 14, oy + 39);
        cairo_line_to(cr, ox + 23, oy + 59);
        cairo_line_to(cr, ox + 31, oy + 55.5);
        cairo_line_to(cr, ox + 22, oy + 36);
        cairo_line_to(cr, ox + 38, oy + 35);
        cairo_close_path(cr);
    };
    arrow(3, 3);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    arrow(0, 0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgb(cr, 0.07, 0.16, 0.17);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 30, 55);
    Colour::Cream().Stop(fill, 0.0);
    Colour::BrassLight().Stop(fill, 0.55);
    Colour::Brass().Stop(fill, 1.0);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    // Inner line for a struck-metal look.
    cairo_move_to(cr, 6, 10);
    cairo_line_to(cr, 6, 38);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return canvas.ToImage(true);
}

void ItemArt::Add(std::vector<Asset>& out) {
    out.push_back({"Coal.Tga", Coal()});
    out.push_back({"SRed.Tga", Semaphore(false)});
    out.push_back({"SGreen.Tga", Semaphore(true)});
    out.push_back({"Worker.Tga", Worker(false)});
    out.push_back({"WorkerR.Tga", Worker(true)});
    out.push_back({"CoDSmoke2.Tga", Smoke()});
    out.push_back({"Cursor.Tga", Cursor()});
}
