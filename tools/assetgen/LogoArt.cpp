#include "assetgen/LogoArt.h"

#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"

void LogoArt::SideEngine(cairo_t* cr, double x, double y, double length) {
    const double u = length / 100.0;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, u, u);
    cairo_new_path(cr);
    // Cab, boiler, smokebox, chimney and dome as one shape.
    cairo_rectangle(cr, 0, -58, 30, 44);   // cab
    cairo_rectangle(cr, -3, -62, 36, 5);   // cab roof
    cairo_rectangle(cr, 28, -42, 58, 26);  // boiler
    cairo_rectangle(cr, 84, -45, 10, 30);  // smokebox
    cairo_rectangle(cr, 84, -62, 8, 18);   // chimney
    cairo_rectangle(cr, 81, -65, 14, 4);   // chimney cap
    cairo_rectangle(cr, 52, -50, 12, 9);   // dome
    cairo_rectangle(cr, -4, -18, 104, 6);  // footplate
    cairo_move_to(cr, 100, -12);           // cow-catcher
    cairo_line_to(cr, 108, -2);
    cairo_line_to(cr, 96, -2);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Wheels.
    for (double wx : {14.0, 46.0, 72.0}) {
        cairo_arc(cr, wx, -9, wx < 20 ? 9 : 11, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_arc(cr, 92, -6, 6, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

RgbaImage LogoArt::GameLogo() {
    Canvas canvas(300, 100);
    cairo_t* cr = canvas.Context();
    const std::string name = "Carrowmoor";
    PaintKit::FitSize(cr, FontLibrary::kSerifBold, name, 284, 50);
    // A soft dark halo so the logo reads on any background.
    cairo_text_extents_t extents;
    cairo_text_extents(cr, name.c_str(), &extents);
    const double x = 150 - extents.width / 2 - extents.x_bearing;
    const double baseline = 60;
    for (int i = 6; i >= 1; --i) {
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, name.c_str());
        cairo_set_source_rgba(cr, 0.02, 0.08, 0.08, 0.12);
        cairo_set_line_width(cr, i * 2.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    PaintKit::Lettering(cr, name, 150, baseline, Colour::Hex(0xfff4cc), Colour::Hex(0xc8902e),
                        Colour::Hex(0x2a1804), 1.6, 3);
    // Highlight along the top of the letters.
    cairo_save(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, name.c_str());
    cairo_clip(cr);
    cairo_rectangle(cr, 0, baseline - 40, 300, 10);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);

    // A length of track underneath, with a small engine running along it.
    const double railY = 78;
    cairo_set_source_rgba(cr, 0.02, 0.08, 0.08, 0.6);
    cairo_rectangle(cr, 14, railY - 2, 272, 9);
    cairo_fill(cr);
    for (double sx = 18; sx < 284; sx += 9) {
        cairo_rectangle(cr, sx, railY + 1, 5, 5);
    }
    cairo_set_source_rgb(cr, 0.45, 0.3, 0.18);
    cairo_fill(cr);
    cairo_rectangle(cr, 14, railY - 1, 272, 2.4);
    Colour::BrassLight().Use(cr);
    cairo_fill(cr);
    PaintKit::SetFont(cr, FontLibrary::kSansBold, 11);
    PaintKit::Lettering(cr, "A   RAILWAY   PUZZLE", 150, 97, Colour::Cream(), Colour::Cream(),
                        Colour(0.02, 0.08, 0.08, 0.8), 1.5, 0);
    return canvas.ToImage(true);
}

RgbaImage LogoArt::TeamBadge() {
    Canvas canvas(200, 120);
    cairo_t* cr = canvas.Context();
    auto ellipse = [cr](double rx, double ry) {
        cairo_save(cr);
        cairo_translate(cr, 100, 60);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    };
    ellipse(97, 57);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);
    ellipse(95, 55);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 5, 0, 115);
    Colour::BrassLight().Stop(rim, 0);
    Colour::Brass().Stop(rim, 0.5);
    Colour::BrassDark().Stop(rim, 1);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    ellipse(89, 49);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 10, 0, 110);
    Colour::Hex(0x9a3428).Stop(body, 0);
    Colour::Hex(0x5a140e).Stop(body, 1);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    ellipse(80, 41);
    Colour::BrassLight().WithAlpha(0.8).Use(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Colour::Cream().Use(cr);
    SideEngine(cr, 72, 52, 56);
    PaintKit::FitSize(cr, FontLibrary::kSerifBold, "CARROWMOOR", 130, 20);
    PaintKit::Lettering(cr, "CARROWMOOR", 100, 76, Colour::Cream(), Colour::BrassLight(),
                        Colour(0.2, 0.04, 0.02), 1.0, 1);
    PaintKit::SetFont(cr, FontLibrary::kSansBold, 11);
    PaintKit::Lettering(cr, "- TEAM -", 100, 92, Colour::BrassLight(), Colour::Brass(),
                        Colour(0.2, 0.04, 0.02), 0.8, 0);
    return canvas.ToImage(true);
}

RgbaImage LogoArt::Icon(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.Context();
    // Drawn on a 64-unit square, scaled to the size asked for.
    cairo_scale(cr, size / double(kIconSize), size / double(kIconSize));
    PaintKit::Plate(cr, 1, 1, 62, 62, 12, false, 3.5);
    Colour::Cream().Use(cr);
    SideEngine(cr, 9, 47, 42);
    cairo_rectangle(cr, 7, 49, 50, 2.5);
    Colour::BrassLight().Use(cr);
    cairo_fill(cr);
    // A puff of steam above the chimney.
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 45 + i * 4, 15 - i * 3, 3 + i, 0, 2 * M_PI);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_fill(cr);
    return canvas.ToImage(true);
}

void LogoArt::Add(std::vector<Asset>& out) {
    out.push_back({"Quarvelr3D.Tga", GameLogo()});
    out.push_back({"PLogo.Tga", TeamBadge()});
    out.push_back({"Icon.Tga", Icon()});
}
