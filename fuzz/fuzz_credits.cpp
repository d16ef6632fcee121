// Feeds arbitrary bytes to the credits text reader as the credits file, then
// measures every line with a font as the credits screen does (centring,
// fading): lines never hold a line feed, headings lose their mark, widths
// count only the characters the font can draw, and the fade stays in 0..1.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "render/OBaseImage.h"
#include "render/OFont.h"
#include "ui/Credits.h"
#include "ui/CreditsText.h"

namespace {

// A font picture in which printable ASCII and a few codes above it have ink
// of differing widths; the other cells stay empty.
OFont& MeasuredFont() {
    static OFont font("Font.Tga");
    static const bool measured = [] {
        OBaseImage picture;
        picture.width = picture.height = OFont::kPictureSide;
        picture.bytesPerPixel = 4;
        picture.pixels.assign(static_cast<size_t>(OFont::kPictureSide) * OFont::kPictureSide * 4,
                              0);
        for (int code = 33; code < 160; ++code) {
            if (code >= 127 && code % 5 != 0) {
                continue;
            }
            const int cell = code - OFont::kFirstCode;
            const int x = (cell % 16) * OFont::kCellSide + code % 30;
            const int pictureRow = (cell / 16) * OFont::kCellSide + 10;
            const size_t bufferRow = static_cast<size_t>(OFont::kPictureSide - 1 - pictureRow);
            picture.pixels[(bufferRow * OFont::kPictureSide + x) * 4 + 3] = 255;
        }
        return font.MeasureAdvances(picture);
    }();
    if (!measured) {
        __builtin_trap();
    }
    return font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OFont& font = MeasuredFont();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<CreditLine> lines = CreditsText::Parse(text);
    size_t characters = 0;
    for (size_t n = 0; n < lines.size(); ++n) {
        const CreditLine& line = lines[n];
        if (line.text.find('\n') != std::string::npos) {
            __builtin_trap();
        }
        characters += line.text.size();
        unsigned width = 0;
        for (unsigned char c : line.text) {
            width += font.HasGlyph(c) ? static_cast<unsigned>(font.GetAdvance(c)) : 0;
        }
        if (font.GetTextWidth(line.text) != static_cast<uint16_t>(width) ||
            font.GetFitCount(line.text, 800) > line.text.size()) {
            __builtin_trap();
        }
        const double x = (800.0 - font.GetTextWidth(line.text) * line.scale) / 2.0;
        const double y = (static_cast<double>(n) - 2.0) * -Credits::kLineSpacing;
        const float fade = Credits::FadeAt(y + 600.0 * (n % 3) / 2.0);
        if (!std::isfinite(x) || !(fade >= 0.0f && fade <= 1.0f)) {
            __builtin_trap();
        }
        font.DrawText(static_cast<float>(x), static_cast<float>(y), line.text, true, line.scale, 0);
    }
    if (characters > size) {
        __builtin_trap();
    }
    return 0;
}
