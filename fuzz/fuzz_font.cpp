// Feeds arbitrary bytes to the font as its picture file: decoded by the
// texture loader as a TGA and, when it is a picture the font can use,
// measured for the advance widths. Every width the font then gives must lie
// in the range the measuring allows, and text made of every code must measure
// and fit without overflowing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "render/OBaseImage.h"
#include "render/OFont.h"
#include "render/OTexture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OBaseImage picture;
    if (!OTexture::DecodeBytes(picture, "Font.Tga", data, size)) {
        return 0;
    }
    OFont font("Font.Tga");
    const bool measured = font.MeasureAdvances(picture);
    std::string everyCode;
    for (int code = 0; code < 256; ++code) {
        everyCode += static_cast<char>(code);
        const float advance = font.GetAdvance(code);
        const bool glyph = font.HasGlyph(code);
        if (!glyph && advance != 0.0f) {
            __builtin_trap();
        }
        if (glyph && measured && (advance < 1.0f || advance > 31.0f)) {
            __builtin_trap();
        }
        if (glyph && !measured && advance != OFont::kDefaultAdvance) {
            __builtin_trap();
        }
    }
    const uint16_t width = font.GetTextWidth(everyCode);
    const uint16_t fit = font.GetFitCount(everyCode, width);
    if (fit != everyCode.size() || font.GetFitCount(everyCode, 0) > everyCode.size()) {
        __builtin_trap();
    }
    return 0;
}
