#include "render/OFont.h"

#include "app/OFileNotFound.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FontPicture.h"
#include "support/TestArchive.h"

namespace {

class OFontTest : public ::testing::Test {
protected:
    // A font picture with known right edges (advances in brackets): 'A' ink
    // reaching column 20, only in the cell's top row (21); 'B' ink at column
    // 5 in the bottom row (6); 'C' filled, column 31 never looked at (31);
    // '!' ink only in column 31 (12, as if empty); '"' colour without
    // coverage (12); '#' ink at column 0 (1); '$' ink at columns 11 and 3
    // (12 measured, not the empty default); code 150, above printable ASCII,
    // ink at column 7 (8). Set 1 (the lower half) is inked too, and must not
    // change set 0's widths.
    void SetUp() override {
        FontPicture picture;
        picture.Ink('A' - 32, 3, 0);
        picture.Ink('A' - 32, 20, 0, 1);
        picture.Ink('B' - 32, 5, 31);
        picture.Fill('C' - 32);
        picture.Ink('!' - 32, 31, 10);
        picture.Ink('"' - 32, 25, 10, 0);
        picture.Ink('#' - 32, 0, 16);
        picture.Ink('$' - 32, 11, 4);
        picture.Ink('$' - 32, 3, 4);
        picture.Ink(150 - 32, 7, 9);
        picture.Fill(128 + 'A' - 32);
        picture.Ink(240, 25, 31);  // the mirrored position of the space cell
        picture.Ink(240, 25, 0);
        archive.AddTexture("Font.Tga", picture.Tga());
        archive.Open();
        font.Build();
    }
    TestArchive archive;
    OFont font{"Font.Tga"};
};

}  // namespace

// Printable ASCII always has its glyph (an empty cell still advances 12);
// codes above it have one only where the picture holds ink; control codes and
// everything from 160 never. A rebuild keeps the widths and takes the picture
// from the texture cache.
TEST_F(OFontTest, AdvancesAreMeasuredFromAlphaAndOnlyGlyphsHaveWidth) {
    EXPECT_FLOAT_EQ(OFont("Font.Tga").GetAdvance('A'), 10.0f) << "widths start at 10";
    const std::pair<int, float> advances[] = {
        {' ', 12}, {'A', 21}, {'B', 6}, {'C', 31}, {'!', 12}, {'"', 12}, {'#', 1},
        {'$', 12}, {'~', 12}, {150, 8}, {0, 0},    {13, 0},   {31, 0},   {127, 0},
        {128, 0},  {159, 0},  {160, 0}, {255, 0},  {-5, 0},   {1000, 0}};
    for (const auto& [code, advance] : advances) {
        EXPECT_FLOAT_EQ(font.GetAdvance(code), advance) << code;
        EXPECT_EQ(font.HasGlyph(code), advance > 0.0f) << code;
    }
    const OBaseImage* picture = font.GetTexture()->GetImage();
    archive.Remove();  // a rebuild must not need the archive
    ASSERT_TRUE(font.Build());
    EXPECT_EQ(font.GetTexture()->GetImage(), picture);
    EXPECT_EQ(picture->GetReferenceCount(), 1);
    EXPECT_FLOAT_EQ(font.GetAdvance('A'), 21.0f);

    // A missing picture throws; one of another size is not measured.
    OFont missing("NoFont.Tga");
    EXPECT_THROW(missing.Build(), OFileNotFound);
    EXPECT_EQ(missing.GetTexture(), nullptr);
    OBaseImage small;
    const std::string tga = ImageFiles::FilledTga(2, 32, 256, 256, {0, 0, 0, 255});
    ASSERT_TRUE(small.DecodeTga(ImageFiles::Bytes(tga), tga.size()));
    EXPECT_FALSE(missing.MeasureAdvances(small));
    EXPECT_FLOAT_EQ(missing.GetAdvance('A'), 10.0f);
}

// Codes without a glyph have no width and fit for free; a text wider than 16
// bits can count must not wrap round and "fit".
TEST_F(OFontTest, TextWidthsAndFitCounts) {
    const std::string glyphless{'A',    0,      1,      13,     31,     127,
                                '\x80', '\x9F', '\xA0', '\xC8', '\xFF', 'B'};
    const std::tuple<std::string, int, int, int> cases[] = {
        {"", 0, 100, 0},    {"AB C", 70, 60000, 4}, {"ABC", 58, 27, 2},
        {"ABC", 58, 26, 1}, {"ABC", 58, 58, 3},     {"ABC", 58, 20, 0},
        {"ABC", 58, 0, 0},  {"A\x96", 29, 29, 2},   {glyphless, 27, 21, 11}};
    for (const auto& [text, width, maxWidth, fit] : cases) {
        EXPECT_EQ(font.GetTextWidth(text), width) << text;
        EXPECT_EQ(font.GetFitCount(text, maxWidth), fit) << text << " in " << maxWidth;
    }
    EXPECT_EQ(font.GetFitCount(std::string(2200, 'C'), 65535), 2114) << "68200 units";
    font.DrawText(10, 10, glyphless, true, 1.0f, 1);  // no context: draws nothing
}
