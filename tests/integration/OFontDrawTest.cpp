#include "render/OCamera.h"
#include "render/OFont.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/FontPicture.h"
#include "support/GLTestWindow.h"
#include "support/PixelCheck.h"
#include "support/TestArchive.h"

namespace {

constexpr int kGrey = 128;

// 'A' fills its whole cell (advance 31); '#' has one inked pixel in column 14
// of its top row (advance 15); the set-1 'A' fills only its left 16 columns.
std::string TestFont() {
    FontPicture picture;
    picture.Fill('A' - 32);
    picture.Ink('#' - 32, 14, 0);
    for (int row = 0; row < 32; ++row) {
        for (int column = 0; column < 16; ++column)
            picture.Ink(128 + 'A' - 32, column, row);
    }
    return picture.Tga();
}

class OFontDrawTest : public ::testing::Test {
protected:
    OFontDrawTest() : window(800, 600), camera(800, 600, 60, 1, 1024) {}

    void SetUp() override {
        archive.AddTexture("Font.Tga", TestFont());
        archive.Open();
        camera.SetUp(window.width, window.height);
        camera.Set2D(800, 600);
        window.Clear(0.5f, 0.5f, 0.5f);
        glEnable(GL_TEXTURE_2D);
    }

    void SetColour(float red, float green, float blue, float alpha) {
        font.colour[0] = red;
        font.colour[1] = green;
        font.colour[2] = blue;
        font.colour[3] = alpha;
    }

    GLTestWindow window;
    OCamera camera;
    TestArchive archive;
    OFont font{"Font.Tga"};
};

}  // namespace

TEST_F(OFontDrawTest, ShadowedTextIsColouredWithABlackCopyOneUnitRightAndDown) {
    ASSERT_TRUE(font.Build());
    EXPECT_NE(font.GetListBase(), 0u);
    SetColour(1, 1, 0, 1);
    font.DrawText(100, 100, "A", true, 1.0f, 0);
    SetColour(1, 1, 0, 0.5f);
    font.DrawText(300, 100, "A", true, 1.0f, 0);
    window.Snapshot("font-shadow");

    EXPECT_TRUE(ColourNear(window.Pixel(115, 115), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(131, 99), 0, 0, 0, 30)) << "shadow below right";
    EXPECT_TRUE(ColourNear(window.Pixel(99, 115), kGrey, kGrey, kGrey)) << "nothing to the left";
    // Half alpha: yellow over the black shadow over grey, and the shadow alone.
    EXPECT_TRUE(ColourNear(window.Pixel(315, 115), 159, 159, 32, 12));
    EXPECT_TRUE(ColourNear(window.Pixel(331, 99), 64, 64, 64, 20));
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is switched off again";
}

TEST_F(OFontDrawTest, AdvancesScaleAndGlyphSetsPlaceTheCells) {
    font.Build();
    SetColour(1, 1, 0, 1);
    font.DrawText(100, 300, "#A", false, 1.0f, 0);
    font.DrawText(100, 400, "#A", false, 0.75f, 0);
    font.DrawText(300, 100, "A", false, 1.0f, 1);
    font.DrawText(300, 200, "A", false, 1.0f, 0);
    window.Snapshot("font-placement");

    // '#' advances 15 units: 'A' covers x 115..146.
    EXPECT_TRUE(ColourNear(window.Pixel(113, 310), kGrey, kGrey, kGrey));
    EXPECT_TRUE(ColourNear(window.Pixel(117, 310), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(144, 310), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(148, 310), kGrey, kGrey, kGrey));
    // At 0.75 the advance is 11.25 and the cell 23.25 units: 111.25..134.5.
    EXPECT_TRUE(ColourNear(window.Pixel(109, 410), kGrey, kGrey, kGrey));
    EXPECT_TRUE(ColourNear(window.Pixel(113, 410), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(133, 410), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(137, 410), kGrey, kGrey, kGrey));
    EXPECT_TRUE(ColourNear(window.Pixel(120, 421), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(120, 425), kGrey, kGrey, kGrey));
    // Set 1 draws cell 161, inked on its left half only.
    EXPECT_TRUE(ColourNear(window.Pixel(305, 115), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(325, 115), kGrey, kGrey, kGrey));
    EXPECT_TRUE(ColourNear(window.Pixel(325, 215), 255, 255, 0));
}

TEST_F(OFontDrawTest, GlyphlessCodesNeverCallListsOutsideTheFont) {
    // Display lists of someone else right below the font's block, each
    // painting the whole screen red.
    const GLuint others = glGenLists(40);
    for (GLuint list = others; list < others + 40; ++list) {
        glNewList(list, GL_COMPILE);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 0, 0);
        glRectf(0, 0, 800, 600);
        glEnable(GL_TEXTURE_2D);
        glEndList();
    }
    font.Build();
    ASSERT_EQ(font.GetListBase(), others + 40) << "the test needs the blocks adjacent";
    SetColour(1, 1, 0, 1);
    font.DrawText(100, 100,
                  std::string("\x05\x1F"
                              "A\x01\xFF",
                              5),
                  true, 1.0f, 0);
    font.DrawText(100, 200, std::string("\xA0\xFF\x10", 3), true, 1.0f, 1);
    window.Snapshot("font-glyphless");

    EXPECT_TRUE(ColourNear(window.Pixel(700, 500), kGrey, kGrey, kGrey));
    EXPECT_TRUE(ColourNear(window.Pixel(115, 115), 255, 255, 0));
    glDeleteLists(others, 40);

    // DEL and the empty cells above printable ASCII are not drawn and take
    // no room: the text looks as if they were not there.
    window.Clear(0.5f, 0.5f, 0.5f);
    font.DrawText(100, 300, std::string("A\x7F\x80#\x9F\x0D", 6), true, 1.0f, 0);
    const std::vector<uint8_t> withGlyphless = window.Frame();
    window.Clear(0.5f, 0.5f, 0.5f);
    font.DrawText(100, 300, "A#", true, 1.0f, 0);
    EXPECT_TRUE(window.Frame() == withGlyphless);
}

TEST_F(OFontDrawTest, RebuiltListsDrawTheSameText) {
    font.Build();
    SetColour(0.2f, 0.9f, 0.4f, 1);
    font.DrawText(50, 50, "A#A A", true, 1.5f, 0);
    font.DrawText(50, 150, "AA#", true, 0.6f, 1);
    const std::vector<uint8_t> before = window.Frame();
    const uint16_t width = font.GetTextWidth("A#A A");

    font.DeleteLists();
    EXPECT_EQ(font.GetListBase(), 0u);
    archive.Remove();
    font.Build();
    window.Clear(0.5f, 0.5f, 0.5f);
    font.DrawText(50, 50, "A#A A", true, 1.5f, 0);
    font.DrawText(50, 150, "AA#", true, 0.6f, 1);
    EXPECT_TRUE(window.Frame() == before) << "the rebuilt font draws differently";
    EXPECT_EQ(font.GetTextWidth("A#A A"), width);
}
