#include "assetgen/ButtonArt.h"

#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"

namespace {

// Draws one state into the band whose top row is bandTop.
void ButtonBand(cairo_t* cr, int width, int bandTop, int bandHeight, const std::string& text,
                bool lit) {
    const double x = 3, y = bandTop + 2, w = width - 6, h = bandHeight - 6;
    PaintKit::SoftShadow(cr, x + 1, y + 2, w, h, 8, 2.0, 0.5);
    PaintKit::Plate(cr, x, y, w, h, 8, lit);
    if (text.empty()) {
        return;
    }
    const double size = PaintKit::FitSize(cr, FontLibrary::kSerifBold, text, w - 22, h * 0.55);
    const Colour top = lit ? Colour::Hex(0xfffbe8) : Colour::Cream();
    const Colour bottom = lit ? Colour::BrassLight() : Colour::Hex(0xd8c8a0);
    PaintKit::Lettering(cr, text, width / 2.0, y + h / 2 + size * 0.36, top, bottom,
                        Colour(0.04, 0.1, 0.1, 0.9), 1.4, 1.5);
}

void Tick(cairo_t* cr, double x, double y, double s, bool lit) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, x + s * 0.2, y + s * 0.52);
    cairo_line_to(cr, x + s * 0.42, y + s * 0.75);
    cairo_line_to(cr, x + s * 0.82, y + s * 0.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_set_line_width(cr, s * 0.26);
    cairo_stroke_preserve(cr);
    (lit ? Colour::Hex(0xfff6c0) : Colour::Cream()).Use(cr);
    cairo_set_line_width(cr, s * 0.15);
    cairo_stroke(cr);
}

}  // namespace

RgbaImage ButtonArt::LetteredButton(int width, const std::string& text) {
    Canvas canvas(width, 80);
    ButtonBand(canvas.Context(), width, 0, 40, text, false);
    ButtonBand(canvas.Context(), width, 40, 40, text, true);
    return canvas.ToImage(true);
}

namespace {

// A status-bar tab: two 28-row bands (plain, lit), each a plate in its upper
// half with a symbol drawn by drawSymbol(cr, top) in the band's ink.
template <typename Symbol>
RgbaImage TabBands(Symbol drawSymbol) {
    Canvas canvas(28, 56);
    cairo_t* cr = canvas.Context();
    for (int band = 0; band < 2; ++band) {
        const bool lit = band == 1;
        const double top = band * 28;
        PaintKit::Plate(cr, 1, top + 0.5, 26, 13.5, 3, lit, 1.5);
        (lit ? Colour::Hex(0xfff6c0) : Colour::Cream()).Use(cr);
        drawSymbol(cr, top);
    }
    return canvas.ToImage(true);
}

}  // namespace

RgbaImage ButtonArt::MenuTab() {
    // Content in the upper half of each band: the button is centred on the
    // screen's bottom edge. Three bars.
    return TabBands([](cairo_t* cr, double top) {
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, 7, top + 3.5 + i * 3, 14, 1.6);
        }
        cairo_fill(cr);
    });
}

RgbaImage ButtonArt::RestartTab() {
    // The menu tab's plate with a curved arrow that turns back on itself.
    return TabBands([](cairo_t* cr, double top) {
        const double cx = 14, cy = top + 7.5, r = 4.2;
        cairo_set_line_width(cr, 1.6);
        cairo_arc(cr, cx, cy, r, 0.35 * M_PI, 1.95 * M_PI);
        cairo_stroke(cr);
        // Arrow head at the arc's open end, pointing along the turn.
        const double ex = cx + r * std::cos(1.95 * M_PI), ey = cy + r * std::sin(1.95 * M_PI);
        cairo_move_to(cr, ex + 2.6, ey - 0.2);
        cairo_line_to(cr, ex - 1.4, ey - 2.6);
        cairo_line_to(cr, ex - 0.6, ey + 2.2);
        cairo_close_path(cr);
        cairo_fill(cr);
    });
}

RgbaImage ButtonArt::CheckBox() {
    // Bands from the bottom of the picture: unchecked, checked, then the
    // hovered versions of checked and unchecked.
    Canvas canvas(24, 96);
    cairo_t* cr = canvas.Context();
    const bool checked[4] = {false, true, true, false};
    const bool lit[4] = {false, false, true, true};
    for (int band = 0; band < 4; ++band) {
        const double top = 96 - 24 * (band + 1);
        PaintKit::Plate(cr, 1.5, top + 1.5, 21, 21, 4, lit[band], 2.5);
        // Recessed well.
        PaintKit::RoundedRect(cr, 5, top + 5, 14, 14, 2);
        cairo_set_source_rgba(cr, 0.02, 0.08, 0.08, 0.85);
        cairo_fill(cr);
        if (checked[band]) {
            Tick(cr, 3, top + 2, 19, lit[band]);
        }
    }
    return canvas.ToImage(true);
}

RgbaImage ButtonArt::SelectorPlate() {
    Canvas canvas(160, 56);
    cairo_t* cr = canvas.Context();
    for (int band = 0; band < 2; ++band) {
        const double top = band * 28;
        PaintKit::Plate(cr, 1.5, top + 1.5, 157, 25, 6, band == 1, 2.0);
    }
    return canvas.ToImage(true);
}

RgbaImage ButtonArt::Arrow() {
    // The upper band is the hot one (the arrow's own band order).
    Canvas canvas(24, 56);
    cairo_t* cr = canvas.Context();
    for (int band = 0; band < 2; ++band) {
        const bool hot = band == 0;
        const double top = band * 28;
        cairo_new_path(cr);
        cairo_move_to(cr, 4, top + 4);
        cairo_line_to(cr, 21, top + 14);
        cairo_line_to(cr, 4, top + 24);
        cairo_close_path(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, 0.03, 0.09, 0.09, 0.95);
        cairo_set_line_width(cr, 3);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* fill = cairo_pattern_create_linear(0, top + 4, 0, top + 24);
        if (hot) {
            Colour::Hex(0xfff6c0).Stop(fill, 0);
            Colour::Hex(0xf0c860).Stop(fill, 1);
        } else {
            Colour::BrassLight().Stop(fill, 0);
            Colour::BrassDark().Stop(fill, 1);
        }
        cairo_set_source(cr, fill);
        cairo_fill(cr);
        cairo_pattern_destroy(fill);
    }
    return canvas.ToImage(true);
}

RgbaImage ButtonArt::SliderTrack() {
    Canvas canvas(160, 40);
    cairo_t* cr = canvas.Context();
    for (int band = 0; band < 2; ++band) {
        const bool lit = band == 1;
        const double top = band * 20;
        PaintKit::RoundedRect(cr, 1, top + 5, 158, 10, 5);
        cairo_pattern_t* rim = cairo_pattern_create_linear(0, top + 5, 0, top + 15);
        (lit ? Colour::Hex(0xfff0b0) : Colour::BrassLight()).Stop(rim, 0);
        Colour::BrassDark().Stop(rim, 1);
        cairo_set_source(cr, rim);
        cairo_fill(cr);
        cairo_pattern_destroy(rim);
        PaintKit::RoundedRect(cr, 3, top + 7, 154, 6, 3);
        (lit ? Colour::Hex(0x1f5e5c) : Colour::TealDark()).Use(cr);
        cairo_fill(cr);
        // Scale marks every tenth.
        (lit ? Colour::Hex(0xfff6c0) : Colour::Brass()).Use(cr);
        for (int i = 1; i < 10; ++i) {
            cairo_rectangle(cr, 8 + i * 14.4 - 0.5, top + 8.5, 1, 3);
        }
        cairo_fill(cr);
    }
    return canvas.ToImage(true);
}

RgbaImage ButtonArt::SliderThumb() {
    Canvas canvas(16, 56);
    cairo_t* cr = canvas.Context();
    for (int band = 0; band < 2; ++band) {
        const bool lit = band == 1;
        const double top = band * 28;
        PaintKit::SoftShadow(cr, 2, top + 3, 12, 23, 3, 1.2, 0.5);
        PaintKit::RoundedRect(cr, 1.5, top + 1.5, 13, 24, 3);
        cairo_pattern_t* knob = cairo_pattern_create_linear(1.5, 0, 14.5, 0);
        (lit ? Colour::Hex(0xfff6c8) : Colour::BrassLight()).Stop(knob, 0);
        (lit ? Colour::Hex(0xe8c060) : Colour::Brass()).Stop(knob, 0.5);
        Colour::BrassDark().Stop(knob, 1);
        cairo_set_source(cr, knob);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(knob);
        cairo_set_source_rgba(cr, 0.15, 0.1, 0.02, 0.9);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // Grip grooves.
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, 4, top + 9 + i * 4, 8, 1.2);
        }
        cairo_set_source_rgba(cr, 0.2, 0.12, 0.02, 0.8);
        cairo_fill(cr);
    }
    return canvas.ToImage(true);
}

void ButtonArt::Add(std::vector<Asset>& out) {
    const std::pair<const char*, const char*> menu[] = {
        {"Continue", "Continue"}, {"NewGame", "New Game"}, {"Options", "Options"},
        {"Score", "High Scores"}, {"Help", "Help"},        {"Credits", "Credits"},
        {"Exit", "Exit"}};
    for (const auto& button : menu) {
        out.push_back(
            {std::string("Buttons/") + button.first + ".Tga", LetteredButton(200, button.second)});
    }
    out.push_back({"Buttons/Menu.Tga", LetteredButton(128, "Menu")});
    // OK is narrower: the confirmation panels place it 85 units from their
    // right edge.
    out.push_back({"Buttons/Ok.Tga", LetteredButton(84, "OK")});
    out.push_back({"Buttons/Cancel.Tga", LetteredButton(128, "Cancel")});
    out.push_back({"Buttons/PlayNext.Tga", LetteredButton(128, "Next Level")});
    out.push_back({"Buttons/MenuSml.Tga", MenuTab()});
    out.push_back({"Buttons/RestartSml.Tga", RestartTab()});
    out.push_back({"Interface/CheckBox.Tga", CheckBox()});
    out.push_back({"Interface/Button.Tga", SelectorPlate()});
    out.push_back({"Interface/HArrow.Tga", Arrow()});
    out.push_back({"Interface/Slider.Tga", SliderTrack()});
    out.push_back({"Interface/Thumb.Tga", SliderThumb()});
}
