#include "render/OCamera.h"
#include "render/OFont.h"
#include "render/OTexture.h"

#include "app/OFileNotFound.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "support/FontPicture.h"
#include "support/GLTestWindow.h"
#include "support/ImageFiles.h"
#include "support/PixelCheck.h"
#include "support/TestArchive.h"

namespace {

// 64 x 64, the file's first 32 rows red, the last 32 blue, in the byte order
// of a TGA (BGR) or of a JPEG (RGB).
std::vector<uint8_t> RedThenBlue(bool bgr) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 64 * 64; ++i) {
        const bool red = i < 32 * 64;
        bytes.insert(bytes.end(),
                     {uint8_t(red != bgr ? 255 : 0), 0, uint8_t(red == bgr ? 255 : 0)});
    }
    return bytes;
}

// A 800 x 600 window in 2D over a test archive of two pictures and a font:
// its 'A' fills the whole cell (advance 31); '#' has one inked pixel in
// column 14 of its top row (advance 15); the set-1 'A' fills only its left 16
// columns.
class DrawTest : public ::testing::Test {
protected:
    DrawTest() : window(800, 600), camera(800, 600, 60, 1, 1024) {}

    void SetUp() override {
        FontPicture picture;
        picture.Fill('A' - 32);
        picture.Ink('#' - 32, 14, 0);
        picture.Fill(128 + 'A' - 32, 16);
        archive.AddTexture("Font.Tga", picture.Tga());
        archive.AddTexture("Board.Tga", ImageFiles::Tga(2, 24, 64, 64, RedThenBlue(true)));
        archive.AddTexture("Interface/Menu.Jpg", ImageFiles::Jpeg(64, 64, 3, RedThenBlue(false)));
        archive.Open();
        camera.SetUp(window.width, window.height);
        camera.Set2D(800, 600);
        glEnable(GL_TEXTURE_2D);
    }

    GLTestWindow window;
    OCamera camera;
    TestArchive archive;
};

using OTextureDrawTest = DrawTest;

class OFontDrawTest : public DrawTest {
protected:
    void SetUp() override {
        DrawTest::SetUp();
        window.Clear(0.5f, 0.5f, 0.5f);
        ASSERT_TRUE(font.Build());
        ASSERT_NE(font.GetTexture(), nullptr);
    }

    OFont font{"Font.Tga"};
};

}  // namespace

// The file's first rows lie at the quad's lower edge: the TGA's (its bottom)
// and the JPEG's (its top) alike. The quad runs from (x + 1, y + 1) to
// (x + width, y + height). An image loaded while uploads are held back is
// uploaded later; until then Bind leaves the current binding alone.
TEST_F(OTextureDrawTest, FileRowsStartAtTheQuadsLowerEdge) {
    window.Clear(0, 0, 0);
    OTexture board;
    OTexture menu;
    OBaseImage::SetUploadsHeldBack(true);
    board.Load("Board.Tga");
    OBaseImage::SetUploadsHeldBack(false);
    EXPECT_EQ(board.GetImage()->textureName, 0u);
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    board.Bind();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), other);
    glDeleteTextures(1, &other);
    menu.Load("Interface/Menu.Jpg");
    EXPECT_NE(menu.GetImage()->textureName, 0u);
    OTexture::UploadAllTextures();
    ASSERT_NE(board.GetImage()->textureName, 0u);

    board.Draw(100, 100);
    menu.Draw(300, 100);
    window.Snapshot("texture-orientation");
    // Red low, blue high, in both; the TGA's column x stays empty and its
    // last inked column is x + 63.
    const std::array<int, 6> probes[] = {{132, 110, 255, 0, 0, 10}, {132, 155, 0, 0, 255, 10},
                                         {332, 110, 255, 0, 0, 24}, {332, 155, 0, 0, 255, 24},
                                         {100, 120, 0, 0, 0, 10},   {101, 120, 255, 0, 0, 10},
                                         {163, 120, 255, 0, 0, 10}, {164, 120, 0, 0, 0, 10}};
    for (const auto& [x, y, red, green, blue, tolerance] : probes)
        EXPECT_TRUE(ColourNear(window.Pixel(x, y), red, green, blue, tolerance)) << x << ", " << y;
}

// Uploaded pictures drop their pixels unless a user asks to keep them, and
// are read from the archive again when a new context or, for a parked
// picture, its next draw needs them.
TEST_F(OTextureDrawTest, UploadedPicturesLetTheirPixelsGoAndAreReadAgainWhenNeeded) {
    OTexture board;
    OTexture menu;
    OTexture kept;
    board.Load("Board.Tga");
    menu.Load("Interface/Menu.Jpg", false);
    EXPECT_FALSE(board.GetImage()->HasPixels()) << "the driver holds the uploaded copy";
    EXPECT_FALSE(menu.GetImage()->HasPixels());
    // A user that reads the pixels asks to keep them, also of a cached image.
    kept.Load("Board.Tga", true, true);
    ASSERT_EQ(kept.GetImage(), board.GetImage());
    EXPECT_EQ(kept.GetImage()->pixels.size(), 64u * 64u * 3u);
    board.Draw(100, 100);
    menu.Draw(300, 100);
    const std::vector<uint8_t> before = window.Frame();

    OTexture::DeleteAllTextures();
    EXPECT_EQ(board.GetImage()->textureName, 0u);
    OTexture::UploadAllTextures();
    EXPECT_NE(board.GetImage()->textureName, 0u);
    EXPECT_NE(menu.GetImage()->textureName, 0u);
    EXPECT_FALSE(menu.GetImage()->HasPixels()) << "read for the upload, then let go again";
    EXPECT_EQ(menu.GetWidth(), 64);

    window.Clear(0, 0, 0);
    board.Draw(100, 100);
    menu.Draw(300, 100);
    EXPECT_TRUE(window.Frame() == before) << "the rebuilt textures draw differently";

    // A parked picture has neither texture nor pixels, stays so through a
    // context rebuild, and is read again when it is next drawn. One that
    // keeps its pixels is not parked.
    menu.Park();
    kept.Park();
    EXPECT_NE(board.GetImage()->textureName, 0u);
    OTexture::DeleteAllTextures();
    OTexture::UploadAllTextures();
    EXPECT_EQ(menu.GetImage()->textureName, 0u);
    EXPECT_FALSE(menu.GetImage()->HasPixels());
    window.Clear(0, 0, 0);
    board.Draw(100, 100);
    menu.Draw(300, 100);
    EXPECT_TRUE(window.Frame() == before) << "the parked picture draws differently";
    EXPECT_NE(menu.GetImage()->textureName, 0u);

    // A picture gone from the archive by then cannot be rebuilt; parked, it
    // is drawn blank instead of stopping the frame.
    menu.Park();
    OTexture::DeleteAllTextures();
    archive.Remove();
    EXPECT_NO_THROW(menu.Draw(300, 100));
    EXPECT_EQ(menu.GetImage()->textureName, 0u);
    EXPECT_THROW(OTexture::UploadAllTextures(), OFileNotFound);
}

// Rows of a 5 x 3 RGB picture (15 bytes, not a multiple of four) are packed
// tightly: every texel gets its own colour.
TEST_F(OTextureDrawTest, RowsOfOddWidthsArePackedTightly) {
    window.Clear(0, 0, 0);
    std::vector<uint8_t> bgr;
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x)
            bgr.insert(bgr.end(), {uint8_t(40 * x), uint8_t(100 * row), uint8_t(200)});
    }
    archive.AddTexture("Odd.Tga", ImageFiles::Tga(2, 24, 5, 3, bgr));
    archive.Open();
    OTexture colour;
    colour.Load("Odd.Tga", false);
    colour.Bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPushMatrix();
    glScalef(40, 40, 1);
    colour.Draw(0, 0);
    glPopMatrix();
    window.Snapshot("texture-odd-widths");

    // The quad spans units 1..width and 1..height, scaled by 40: from pixel
    // 40 on, each of the five texels is 32 pixels wide and each of the three
    // rows 80 / 3 tall; the probes sit in their middles.
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_TRUE(
                ColourNear(window.Pixel(56 + 32 * x, 53 + 80 * row / 3), 200, 100 * row, 40 * x, 2))
                << "texel " << x << ", " << row;
        }
    }
}

// A picture always drawn at a share of its size is stored at that size,
// without mipmaps, while its own size stays what sprite cells are cut by; a
// new context stores it shrunk again. Each quadrant keeps its colour, also in
// RGB rows that are not a multiple of four bytes long.
TEST_F(OTextureDrawTest, PicturesDrawnSmallerAreStoredAtTheirDrawnSize) {
    struct Case {
        int depth;
        int width;
        int height;
        float scale;
        int storedWidth;
        int storedHeight;
    };
    const Case cases[] = {
        {32, 64, 64, 0.5f, 32, 32}, {24, 20, 12, 0.5f, 10, 6}, {32, 40, 40, 0.6f, 24, 24}};
    const std::array<int, 3> quadrants[] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 0}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bgra;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const auto& rgb = quadrants[(y * 2 / c.height) * 2 + x * 2 / c.width];
                bgra.insert(bgra.end(), {uint8_t(rgb[2]), uint8_t(rgb[1]), uint8_t(rgb[0])});
                if (c.depth == 32)
                    bgra.push_back(255);
            }
        }
        const std::string name = "Sheet" + std::to_string(c.width) + ".Tga";
        archive.AddTexture(name, ImageFiles::Tga(2, uint8_t(c.depth), c.width, c.height, bgra));
        archive.Open();
        OTexture sheet;
        sheet.LoadScaled(name, c.scale);
        EXPECT_EQ(sheet.GetWidth(), c.width);
        EXPECT_EQ(sheet.GetHeight(), c.height);
        for (int context = 0; context < 2; ++context) {
            SCOPED_TRACE(name + (context == 0 ? " first upload" : " after a new context"));
            window.Clear(0, 0, 0);
            sheet.Bind();
            GLint stored[3] = {};
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &stored[0]);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &stored[1]);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &stored[2]);
            EXPECT_EQ(stored[0], c.storedWidth);
            EXPECT_EQ(stored[1], c.storedHeight);
            EXPECT_EQ(stored[2], GL_LINEAR) << "no mipmaps";
            glPushMatrix();
            glScalef(c.scale, c.scale, 1);
            sheet.Draw(-1, -1);
            glPopMatrix();
            for (int q = 0; q < 4; ++q) {
                const int x = (q % 2) * c.storedWidth / 2 + c.storedWidth / 4;
                const int y = (q / 2) * c.storedHeight / 2 + c.storedHeight / 4;
                const auto& rgb = quadrants[q];
                EXPECT_TRUE(ColourNear(window.Pixel(x, y), rgb[0], rgb[1], rgb[2], 2)) << q;
            }
            OTexture::DeleteAllTextures();
            OTexture::UploadAllTextures();
        }
    }
}

// Codes without a glyph (control codes, DEL, the empty cells above printable
// ASCII, everything from 160) are left out: they neither draw nor take room,
// in either glyph set, so text looks as if they were not there.
TEST_F(OFontDrawTest, GlyphlessCodesNeitherDrawNorTakeRoom) {
    struct Case {
        std::string withGlyphless;
        std::string plain;
        int glyphSet;
        float scale;
    };
    const Case cases[] = {{std::string{5, 31, 'A', 1, '\xFF'}, "A", 0, 1.0f},
                          {std::string("\xA0\xFF\x10"
                                       "A",
                                       4),
                           "A", 1, 1.0f},
                          {std::string("A\x7F\x80#\x9F\x0D", 6), "A#", 0, 1.5f}};
    std::copy_n(std::array<float, 4>{1, 1, 0, 1}.data(), 4, font.colour);  // yellow
    window.Clear(0.5f, 0.5f, 0.5f);
    const std::vector<uint8_t> empty = window.Frame();
    for (const Case& c : cases) {
        window.Clear(0.5f, 0.5f, 0.5f);
        font.DrawText(100, 300, c.withGlyphless, true, c.scale, c.glyphSet);
        const std::vector<uint8_t> withGlyphless = window.Frame();
        window.Clear(0.5f, 0.5f, 0.5f);
        font.DrawText(100, 300, c.plain, true, c.scale, c.glyphSet);
        EXPECT_TRUE(window.Frame() != empty) << c.plain << " draws nothing";
        EXPECT_TRUE(window.Frame() == withGlyphless) << c.plain << " in set " << c.glyphSet;
    }
}
