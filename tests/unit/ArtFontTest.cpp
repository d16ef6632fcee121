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

// Pixels of a cell with alpha above the threshold; with `brass`, only those
// more red than blue.
int CellInk(const RgbaImage& font, int cell, int threshold, bool brass = false) {
    int count = 0;
    for (int i = 0; i < 32 * 32; ++i) {
        const uint8_t* p = CellPixel(font, cell, i % 32, i / 32);
        count += p[3] > threshold && (!brass || p[0] > p[2] + 40);
    }
    return count;
}

}  // namespace

TEST(FontArt, SetZeroHoldsWhiteGlyphsForPrintableAsciiAndSetOneNumbersAreBrass) {
    const RgbaImage& font = Font();
    for (int code = 33; code < 160; ++code) {
        const int ink = CellInk(font, code - 32, code < 127 ? 128 : 0);
        EXPECT_TRUE(code < 127 ? ink > 4 : ink == 0) << "code " << code << ": " << ink;
    }
    for (int i = 0; i < 512 * 256; ++i) {
        const uint8_t* p = font.Pixel(i % 512, i / 512);
        ASSERT_TRUE(p[3] == 0 || (p[0] == 255 && p[2] == 255)) << i % 512 << "," << i / 512;
    }
    for (char c : {'0', '5', '9', ':'}) {
        EXPECT_GT(CellInk(font, 128 + c - 32, 200, true), 10) << c;
    }
}

TEST(FontArt, AdvanceWidthsMeasuredFromAlphaSpaceTheLetters) {
    const std::array<float, 128> advances = FontArt::MeasureAdvances(Font());
    EXPECT_GT(advances['W' - 32], advances['i' - 32] + 8);
    EXPECT_GT(advances['m' - 32], advances['n' - 32]);
    EXPECT_EQ(advances['0' - 32], advances['8' - 32]) << "digits share one width";
    // The space's cell carries only its advance mark, no visible ink.
    EXPECT_GE(advances[0], 5);
    EXPECT_LE(advances[0], 12);
    EXPECT_EQ(CellInk(Font(), 0, 1), 0);
    for (int cell = 0; cell < 95; ++cell) {
        EXPECT_TRUE(advances[cell] >= 1 && advances[cell] <= 31) << cell;
    }
    // Empty cells fall back to 12, as the game measures them.
    EXPECT_EQ(advances[100], 12.0f);
}

TEST(FontArt, LabelPlatesJoinWithoutGapsAtTheMeasuredWidths) {
    EXPECT_EQ(FontArt::CheckLabels(Font()), "");
    // TRACK BONUS is one plate across ten cells, its space cell left empty.
    EXPECT_EQ(FontArt::Plates().back().letters, "QRS TUVWXY");
    // Every plate letter's cell is covered across its whole advance; the
    // space is carried by the letter before it.
    const std::array<float, 128> advances = FontArt::MeasureAdvances(Font());
    for (const FontArt::LabelPlate& plate : FontArt::Plates()) {
        for (char c : plate.letters) {
            const int width = static_cast<int>(advances[c - 32]);
            const int first = c == plate.letters.front() ? 3 : 0;
            const int last = c == plate.letters.back() ? width - 4 : width - 1;
            for (int x = first; c != ' ' && x <= last; ++x) {
                EXPECT_GT(CellPixel(Font(), 128 + c - 32, x, 16)[3], 200)
                    << plate.word << " letter " << c << " column " << x;
            }
        }
    }
}

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
