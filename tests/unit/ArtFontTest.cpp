#include <gtest/gtest.h>

#include "assetgen/FontArt.h"

namespace {

const RgbaImage& Font() {
    static const RgbaImage font = FontArt::Build();
    return font;
}

int CellInk(const RgbaImage& font, int cell, int threshold) {
    int count = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            count += font.Alpha((cell % 16) * 32 + x, (cell / 16) * 32 + y) > threshold;
        }
    }
    return count;
}

}  // namespace

TEST(FontArt, SetZeroHoldsWhiteGlyphsForPrintableAscii) {
    const RgbaImage& font = Font();
    for (int code = 33; code <= 126; ++code) {
        EXPECT_GT(CellInk(font, code - 32, 128), 4) << "code " << code;
    }
    for (int code = 127; code < 160; ++code) {
        EXPECT_EQ(CellInk(font, code - 32, 0), 0) << "code " << code;
    }
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 512; ++x) {
            if (font.Alpha(x, y) != 0) {
                ASSERT_EQ(font.Pixel(x, y)[0], 255);
                ASSERT_EQ(font.Pixel(x, y)[2], 255);
            }
        }
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
        EXPECT_GE(advances[cell], 1);
        EXPECT_LE(advances[cell], 31);
    }
    // Empty cells fall back to 12, as the game measures them.
    EXPECT_EQ(advances[100], 12.0f);
}

TEST(FontArt, LabelPlatesJoinWithoutGapsAtTheMeasuredWidths) {
    EXPECT_EQ(FontArt::CheckLabels(Font()), "");
    // TRACK BONUS is one plate across ten cells, its space cell left empty.
    EXPECT_EQ(FontArt::Plates().back().letters, "QRS TUVWXY");
    // Every plate letter's cell is covered across its whole advance.
    const std::array<float, 128> advances = FontArt::MeasureAdvances(Font());
    for (const FontArt::LabelPlate& plate : FontArt::Plates()) {
        for (char c : plate.letters) {
            if (c == ' ') {
                continue;  // carried by the letter before it
            }
            const int cell = 128 + c - 32;
            const int width = static_cast<int>(advances[c - 32]);
            const int first = c == plate.letters.front() ? 3 : 0;
            const int last = c == plate.letters.back() ? width - 4 : width - 1;
            for (int x = first; x <= last; ++x) {
                EXPECT_GT(Font().Alpha((cell % 16) * 32 + x, (cell / 16) * 32 + 16), 200)
                    << plate.word << " letter " << c << " column " << x;
            }
        }
    }
}

TEST(FontArt, CheckFindsAGapOrAFilledSpace) {
    RgbaImage broken = Font();
    const int cell = 128 + 'C' - 32;  // the middle of SCORE
    for (int y = 0; y < 32; ++y) {
        for (int x = 4; x < 7; ++x) {
            broken.Pixel((cell % 16) * 32 + x, (cell / 16) * 32 + y)[3] = 0;
        }
    }
    EXPECT_NE(FontArt::CheckLabels(broken).find("SCORE"), std::string::npos);

    RgbaImage spaced = Font();
    spaced.Pixel(0 * 32 + 5, 8 * 32 + 16)[3] = 255;  // set-1 space, cell 128
    EXPECT_NE(FontArt::CheckLabels(spaced), "");
}

TEST(FontArt, SetOneNumbersAreStyledBrass) {
    const RgbaImage& font = Font();
    for (char c : {'0', '5', '9', ':'}) {
        const int cell = 128 + c - 32;
        int brass = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const uint8_t* p = font.Pixel((cell % 16) * 32 + x, (cell / 16) * 32 + y);
                brass += font.Alpha((cell % 16) * 32 + x, (cell / 16) * 32 + y) > 200 &&
                         p[0] > p[2] + 40;
            }
        }
        EXPECT_GT(brass, 10) << c;
    }
}

TEST(FontArt, TheLetterBeforeTheSpaceCarriesThePlateAcrossIt) {
    RgbaImage broken = Font();
    const std::array<float, 128> advances = FontArt::MeasureAdvances(Font());
    const int cell = 128 + 'S' - 32;
    const int from = static_cast<int>(advances['S' - 32]);
    for (int y = 0; y < 32; ++y) {
        for (int x = from; x < 32; ++x) {
            broken.Pixel((cell % 16) * 32 + x, (cell / 16) * 32 + y)[3] = 0;
        }
    }
    EXPECT_NE(FontArt::CheckLabels(broken).find("TRACK BONUS"), std::string::npos);
}
