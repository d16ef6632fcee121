#include <gtest/gtest.h>

#include "assetgen/FontArt.h"

namespace {

const RgbaImage& Font() {
    static const RgbaImage font = FontArt::Build();
    return font;
}

// Pixel (x, y) of a 32 x 32 cell of the font.
template <class Image>
auto CellPixel(Image& font, int cell, int x, int y) {
    return font.Pixel((cell % 16) * 32 + x, (cell / 16) * 32 + y);
}

}  // namespace

TEST(FontArt, CheckFindsAGapAFilledSpaceOrAPlateNotCarriedAcrossTheSpace) {
    const int sAdvance = static_cast<int>(FontArt::MeasureAdvances(Font())['S' - 32]);
    const struct {
        char letter;  // set-1 cell changed
        int from, to, rows, alpha;
        const char* told;
    } cases[] = {
        {'C', 4, 7, 32, 0, "SCORE"},                // a gap in the middle of SCORE
        {' ', 5, 6, 1, 255, ""},                    // ink in the set-1 space
        {'S', sAdvance, 32, 32, 0, "TRACK BONUS"},  // S stops at its own advance
    };
    for (const auto& c : cases) {
        RgbaImage broken = Font();
        for (int y = 16; y < 16 + c.rows; ++y) {
            for (int x = c.from; x < c.to; ++x) {
                CellPixel(broken, 128 + c.letter - 32, x, y % 32)[3] =
                    static_cast<uint8_t>(c.alpha);
            }
        }
        const std::string told = FontArt::CheckLabels(broken);
        EXPECT_NE(told, "") << c.letter;
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
    }
}
