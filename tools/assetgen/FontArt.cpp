#include "assetgen/FontArt.h"

#include <algorithm>
#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"

namespace {

constexpr int kPixelSize = 21;
constexpr int kPlateTop = 5;
constexpr int kPlateHeight = 23;
constexpr int kCheckRow = kPlateTop + kPlateHeight / 2;

int CellX(int cell) {
    return (cell % 16) * FontArt::kCell;
}
int CellY(int cell) {
    return (cell / 16) * FontArt::kCell;
}

// Set 0: white glyphs whose alpha is FreeType's coverage. A pixel of alpha 1
// marks the glyph's true advance so that the game's measurement spaces the
// letters as the typeface intends.
void RenderSetZero(RgbaImage& font) {
    FT_Face face = FontLibrary::Instance().Face(FontLibrary::kSansBold);
    FT_Set_Pixel_Sizes(face, 0, kPixelSize);
    for (int code = 32; code <= 126; ++code) {
        const int cell = code - 32;
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = 1 + slot->bitmap_left;
        const int top = FontArt::kBaseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int x = left + static_cast<int>(col);
                const int y = top + static_cast<int>(row);
                if (x < 0 || x > 30 || y < 0 || y >= FontArt::kCell) {
                    continue;
                }
                const uint8_t coverage = bitmap.buffer[row * bitmap.pitch + col];
                uint8_t* p = font.Pixel(CellX(cell) + x, CellY(cell) + y);
                p[0] = p[1] = p[2] = 255;
                p[3] = std::max(p[3], coverage);
            }
        }
        const int advance = static_cast<int>(std::lround(slot->advance.x / 64.0));
        const int marker = std::clamp(advance - 1, 0, 30);
        uint8_t* p = font.Pixel(CellX(cell) + marker, CellY(cell) + FontArt::kBaseline);
        if (p[3] == 0) {
            p[0] = p[1] = p[2] = 255;
            p[3] = 1;
        }
    }
}

bool IsPlateLetter(int code) {
    for (const FontArt::LabelPlate& plate : FontArt::Plates()) {
        if (code != ' ' && plate.letters.find(static_cast<char>(code)) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Set 1 for every code that carries no plate piece: the same glyph in
// polished brass with a dark outline, like the numbers on a cab-side plate.
void RenderSetOneGlyphs(cairo_t* cr) {
    PaintKit::SetFont(cr, FontLibrary::kSansBold, kPixelSize);
    for (int code = 33; code <= 126; ++code) {
        if (IsPlateLetter(code)) {
            continue;
        }
        const int cell = 128 + code - 32;
        const char text[2] = {static_cast<char>(code), 0};
        cairo_save(cr);
        cairo_rectangle(cr, CellX(cell), CellY(cell), FontArt::kCell, FontArt::kCell);
        cairo_clip(cr);
        cairo_move_to(cr, CellX(cell) + 1, CellY(cell) + FontArt::kBaseline);
        cairo_text_path(cr, text);
        cairo_set_source_rgb(cr, 0.12, 0.07, 0.03);
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        const double top = CellY(cell) + FontArt::kBaseline - 16;
        cairo_pattern_t* fill =
            cairo_pattern_create_linear(0, top, 0, CellY(cell) + FontArt::kBaseline);
        Colour::Cream().Stop(fill, 0.0);
        Colour::BrassLight().Stop(fill, 0.5);
        Colour::Brass().Stop(fill, 1.0);
        cairo_set_source(cr, fill);
        cairo_fill(cr);
        cairo_pattern_destroy(fill);
        cairo_restore(cr);
    }
}

int PlateWidth(const FontArt::LabelPlate& plate, const std::array<float, 128>& advances) {
    int width = 0;
    for (char c : plate.letters) {
        width += static_cast<int>(advances[c - 32]);
    }
    return width;
}

// One plate drawn across the summed advances of its letters.
RgbaImage PlateStrip(const FontArt::LabelPlate& plate, int width) {
    Canvas strip(width, FontArt::kCell);
    cairo_t* cr = strip.Context();
    const double x = 0.5, y = kPlateTop, w = width - 1.0, h = kPlateHeight;
    const double inner = w - 8;
    PaintKit::RoundedRect(cr, x, y, w, h, 4);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y, 0, y + h);
    Colour::BrassLight().Stop(rim, 0);
    Colour::Brass().Stop(rim, 0.5);
    Colour::BrassDark().Stop(rim, 1);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    PaintKit::RoundedRect(cr, x + 1.6, y + 1.6, w - 3.2, h - 3.2, 3);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
    Colour::Hex(0xa33a2c).Stop(body, 0);
    Colour::Hex(0x6a1c14).Stop(body, 1);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    // Cream capitals, letter-spaced a little when the plate is roomy. Plates
    // of one label share a letter size.
    PaintKit::FitSize(cr, FontLibrary::kSerifCondensedBold, plate.word, inner, 15);
    const double natural = PaintKit::TextWidth(cr, plate.word);
    const int gaps = static_cast<int>(plate.word.size()) - 1;
    const double spacing = gaps > 0 ? std::clamp((inner * 0.75 - natural) / gaps, 0.0, 2.5) : 0.0;
    const double total = natural + spacing * gaps;
    double pen = x + (w - total) / 2;
    const double baseline = y + h / 2 + 5.2;
    for (char c : plate.word) {
        const char text[2] = {c, 0};
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text, &extents);
        cairo_move_to(cr, pen - extents.x_bearing + 0.8, baseline + 0.9);
        cairo_text_path(cr, text);
        cairo_set_source_rgba(cr, 0.15, 0.02, 0.0, 0.8);
        cairo_fill(cr);
        cairo_move_to(cr, pen - extents.x_bearing, baseline);
        cairo_text_path(cr, text);
        Colour::Cream().Use(cr);
        cairo_fill(cr);
        pen += extents.x_advance + spacing;
    }
    return strip.ToImage(true);
}

void CutPlates(RgbaImage& font) {
    const std::array<float, 128> advances = FontArt::MeasureAdvances(font);
    for (const FontArt::LabelPlate& plate : FontArt::Plates()) {
        const int width = PlateWidth(plate, advances);
        const RgbaImage strip = PlateStrip(plate, width);
        int offset = 0;
        for (size_t i = 0; i < plate.letters.size(); ++i) {
            const char c = plate.letters[i];
            const int advance = static_cast<int>(advances[c - 32]);
            if (c == ' ') {
                offset += advance;
                continue;
            }
            // The piece runs to the next letter with a cell of its own, plus
            // one column of overlap that covers the seam left by the game's
            // 31-unit glyph quads.
            int length = advance;
            size_t next = i + 1;
            for (; next < plate.letters.size() && plate.letters[next] == ' '; ++next) {
                length += static_cast<int>(advances[' ' - 32]);
            }
            if (next < plate.letters.size()) {
                length += 1;
            }
            length = std::min(length, FontArt::kCell);
            const int cell = 128 + c - 32;
            for (int y = 0; y < FontArt::kCell; ++y) {
                for (int col = 0; col < length && offset + col < width; ++col) {
                    const uint8_t* from = strip.Pixel(offset + col, y);
                    uint8_t* to = font.Pixel(CellX(cell) + col, CellY(cell) + y);
                    std::copy(from, from + 4, to);
                }
            }
            offset += advance;
        }
    }
}

}  // namespace

const std::vector<FontArt::LabelPlate>& FontArt::Plates() {
    static const std::vector<LabelPlate> plates = {{"SCORE", "ABCDE"},
                                                   {"FUEL", "FGHI"},
                                                   {"POINTS", "JKLMN"},
                                                   {"LEVEL", "OPZ"},
                                                   {"TRACK BONUS", "QRS TUVWXY"}};
    return plates;
}

std::array<float, 128> FontArt::MeasureAdvances(const RgbaImage& font) {
    std::array<float, 128> advances;
    advances.fill(10.0f);
    for (int cell = 0; cell < 128; ++cell) {
        float advance = 12.0f;
        for (int col = 30; col >= 0; --col) {
            bool ink = false;
            for (int row = 0; row < kCell && !ink; ++row) {
                ink = font.Alpha(CellX(cell) + col, CellY(cell) + row) != 0;
            }
            if (ink) {
                advance = static_cast<float>(col + 1);
                break;
            }
        }
        advances[cell] = advance;
    }
    return advances;
}

std::string FontArt::CheckLabels(const RgbaImage& font) {
    if (font.Width() != kSize || font.Height() != kSize || font.Channels() != 4) {
        return "font picture is not 512 x 512 RGBA";
    }
    const std::array<float, 128> advances = MeasureAdvances(font);
    for (const LabelPlate& plate : Plates()) {
        // Opaque spans of the plate's middle row, placed as the game places
        // them: cell column c of a piece at offset + c x 31 / 32.
        std::vector<std::pair<double, double>> spans;
        int offset = 0;
        for (char c : plate.letters) {
            const int cell = 128 + c - 32;
            for (int col = 0; col < kCell; ++col) {
                if (font.Alpha(CellX(cell) + col, CellY(cell) + kCheckRow) >= 128) {
                    spans.push_back({offset + col * 31.0 / 32.0, offset + (col + 1) * 31.0 / 32.0});
                }
            }
            offset += static_cast<int>(advances[c - 32]);
        }
        std::sort(spans.begin(), spans.end());
        double reached = 2.0;
        for (const auto& span : spans) {
            if (span.first > reached + 1e-6 && span.first < offset - 2.5) {
                return "plate " + plate.word + " has a gap at " + std::to_string(span.first);
            }
            reached = std::max(reached, span.second);
        }
        if (reached < offset - 2.5) {
            return "plate " + plate.word + " ends early at " + std::to_string(reached);
        }
    }
    // Set-1 spaces must stay empty: they separate labels from numbers.
    for (int row = 0; row < kCell; ++row) {
        for (int col = 0; col < kCell; ++col) {
            if (font.Alpha(CellX(128) + col, CellY(128) + row) > 1) {
                return "the set-1 space is not empty";
            }
        }
    }
    return "";
}

RgbaImage FontArt::Build() {
    RgbaImage font(kSize, kSize, 4);
    RenderSetZero(font);
    {
        Canvas canvas(kSize, kSize);
        RenderSetOneGlyphs(canvas.Context());
        const RgbaImage setOne = canvas.ToImage(true);
        for (int y = kSize / 2; y < kSize; ++y) {
            std::copy(setOne.Pixel(0, y), setOne.Pixel(0, y) + kSize * 4, font.Pixel(0, y));
        }
    }
    CutPlates(font);
    return font;
}

void FontArt::Add(std::vector<Asset>& out) {
    out.push_back({"Font.Tga", Build()});
}
