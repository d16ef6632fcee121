#include "render/OFont.h"

#include "app/OFileNotFound.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/FontPicture.h"
#include "support/TestArchive.h"

namespace {

constexpr int kCellA = 'A' - 32;
constexpr int kCellB = 'B' - 32;
constexpr int kCellC = 'C' - 32;

// A font picture with known right edges:
//   A: ink reaching column 20 (advance 21), only in the cell's top row;
//   B: ink at column 5 in the cell's bottom row (advance 6);
//   C: a filled cell (column 31 is never looked at: advance 31);
//   '!': ink only in column 31 (advance 12, as if empty);
//   '"': colour without coverage (advance 12);
//   '#': ink at column 0 (advance 1);
//   '$': ink at column 11 and 3 (advance 12 measured, not the empty default);
//   code 150 (above printable ASCII): ink at column 7 (advance 8).
// The lower half (set 1) is inked too, and must not change set 0's widths.
FontPicture MakePicture() {
    FontPicture picture;
    picture.Ink(kCellA, 3, 0);
    picture.Ink(kCellA, 20, 0, 1);
    picture.Ink(kCellB, 5, 31);
    picture.Fill(kCellC);
    picture.Ink('!' - 32, 31, 10);
    picture.Colour('"' - 32, 25, 10);
    picture.Ink('#' - 32, 0, 16);
    picture.Ink('$' - 32, 11, 4);
    picture.Ink('$' - 32, 3, 4);
    picture.Ink(150 - 32, 7, 9);
    // Set 1 and the mirrored position of the space cell (cell row 15).
    picture.Fill(128 + kCellA);
    picture.Ink(240, 25, 31);
    picture.Ink(240, 25, 0);
    return picture;
}

class OFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        archive.AddTexture("Font.Tga", MakePicture().Tga());
        archive.Open();
    }
    TestArchive archive;
};

}  // namespace

TEST_F(OFontTest, BuildMeasuresAdvancesFromAlphaWithoutAGlContext) {
    OFont font("Font.Tga");
    EXPECT_FLOAT_EQ(font.GetAdvance('A'), 10.0f) << "widths start at 10";
    ASSERT_TRUE(font.Build());
    EXPECT_EQ(font.GetListBase(), 0u) << "no context: no display lists";
    EXPECT_FLOAT_EQ(font.GetAdvance(' '), 12.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('A'), 21.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('B'), 6.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('C'), 31.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('!'), 12.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('"'), 12.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('#'), 1.0f);
    EXPECT_FLOAT_EQ(font.GetAdvance('$'), 12.0f);
}

TEST_F(OFontTest, TextWidthsAndFitCounts) {
    OFont font("Font.Tga");
    font.Build();
    EXPECT_EQ(font.GetTextWidth(""), 0);
    EXPECT_EQ(font.GetFitCount("", 100), 0);
    EXPECT_EQ(font.GetTextWidth("AB C"), 21 + 6 + 12 + 31);

    const std::string abc = "ABC";
    const uint16_t firstTwo = 21 + 6;
    EXPECT_EQ(font.GetFitCount(abc, firstTwo), 2);
    EXPECT_EQ(font.GetFitCount(abc, firstTwo - 1), 1);
    EXPECT_EQ(font.GetFitCount(abc, font.GetTextWidth(abc)), 3);
    EXPECT_EQ(font.GetFitCount(abc, 60000), 3);
    EXPECT_EQ(font.GetFitCount(abc, 0), 0);
    EXPECT_EQ(font.GetFitCount(abc, 20), 0);

    // A text wider than 16 bits can count must not wrap round and "fit".
    const std::string wide(2200, 'C');  // 68200 units
    EXPECT_EQ(font.GetFitCount(wide, 65535), 2114);
}

// Printable ASCII always has its glyph (an empty cell still advances 12);
// codes above it have one only where the picture holds ink; control codes and
// everything from 160 never. Without a glyph a code has no width, fits for
// free and is not drawn.
TEST_F(OFontTest, OnlyCodesWithAGlyphHaveWidth) {
    OFont font("Font.Tga");
    font.Build();
    const std::pair<int, float> advances[] = {
        {0, 0.0f},    {13, 0.0f},  {31, 0.0f},  {' ', 12.0f}, {'"', 12.0f},
        {'~', 12.0f}, {127, 0.0f}, {128, 0.0f}, {150, 8.0f},  {159, 0.0f},
        {160, 0.0f},  {255, 0.0f}, {-5, 0.0f},  {1000, 0.0f},
    };
    for (const auto& [code, advance] : advances) {
        EXPECT_FLOAT_EQ(font.GetAdvance(code), advance) << code;
        EXPECT_EQ(font.HasGlyph(code), advance > 0.0f) << code;
    }
    std::string odd = "A";
    for (int code : {0, 1, 13, 31, 127, 128, 159, 160, 200, 255})
        odd += static_cast<char>(code);
    odd += "B";
    EXPECT_EQ(font.GetTextWidth(odd), 21 + 6);
    EXPECT_EQ(font.GetFitCount(odd, 21), 11) << "the glyphless codes fit for free";
    EXPECT_EQ(font.GetTextWidth(std::string("A\x96", 2)), 21 + 8);
    // No context: drawing does nothing, whatever the codes.
    font.DrawText(10, 10, odd, true, 1.0f, 1);
    font.DrawText(10, 10, odd, true, 1.0f, 7);
}

TEST_F(OFontTest, RebuildKeepsWidthsAndTakesThePictureFromTheCache) {
    OFont font("Font.Tga");
    font.Build();
    const OBaseImage* picture = font.GetTexture()->GetImage();
    font.DeleteLists();
    archive.Remove();  // a rebuild must not need the archive
    ASSERT_TRUE(font.Build());
    EXPECT_EQ(font.GetTexture()->GetImage(), picture);
    EXPECT_EQ(picture->GetReferenceCount(), 1);
    EXPECT_FLOAT_EQ(font.GetAdvance('A'), 21.0f);
    EXPECT_EQ(font.GetTextWidth("ABC"), 58);
}

TEST_F(OFontTest, MissingPictureThrowsAndOddPicturesAreNotMeasured) {
    OFont missing("NoFont.Tga");
    EXPECT_THROW(missing.Build(), OFileNotFound);
    EXPECT_EQ(missing.GetTexture(), nullptr);

    OBaseImage small;
    const std::string tga = ImageFiles::FilledTga(2, 32, 256, 256, {0, 0, 0, 255});
    ASSERT_TRUE(small.DecodeTga(ImageFiles::Bytes(tga), tga.size()));
    OFont font("Font.Tga");
    EXPECT_FALSE(font.MeasureAdvances(small));
    EXPECT_FLOAT_EQ(font.GetAdvance('A'), 10.0f);
}
