#include "render/OCamera.h"
#include "render/OTexture.h"

#include "app/OFileNotFound.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/GLTestWindow.h"
#include "support/ImageFiles.h"
#include "support/PixelCheck.h"
#include "support/TestArchive.h"

namespace {

// 64 x 64, the file's first 32 rows red, the last 32 blue (BGR bytes).
std::string RedBelowBlueTga() {
    std::vector<uint8_t> bgr;
    for (int row = 0; row < 64; ++row) {
        for (int x = 0; x < 64; ++x) {
            const bool first = row < 32;
            bgr.insert(bgr.end(), {uint8_t(first ? 0 : 255), 0, uint8_t(first ? 255 : 0)});
        }
    }
    return ImageFiles::Tga(2, 24, 64, 64, bgr);
}

// The same layout as a JPEG: its first 32 rows red, the last 32 blue.
std::string RedAboveBlueJpeg() {
    std::vector<uint8_t> rgb;
    for (int row = 0; row < 64; ++row) {
        for (int x = 0; x < 64; ++x) {
            const bool first = row < 32;
            rgb.insert(rgb.end(), {uint8_t(first ? 255 : 0), 0, uint8_t(first ? 0 : 255)});
        }
    }
    return ImageFiles::Jpeg(64, 64, 3, rgb);
}

class OTextureDrawTest : public ::testing::Test {
protected:
    OTextureDrawTest() : window(800, 600), camera(800, 600, 60, 1, 1024) {}

    void SetUp() override {
        archive.AddTexture("Board.Tga", RedBelowBlueTga());
        archive.AddTexture("Interface/Menu.Jpg", RedAboveBlueJpeg());
        archive.Open();
        camera.SetUp(window.width, window.height);
        camera.Set2D(800, 600);
        window.Clear(0, 0, 0);
        glEnable(GL_TEXTURE_2D);
    }

    GLTestWindow window;
    OCamera camera;
    TestArchive archive;
};

}  // namespace

TEST_F(OTextureDrawTest, FileRowsStartAtTheQuadsLowerEdge) {
    OTexture board;
    OTexture menu;
    board.Load("Board.Tga");
    menu.Load("Interface/Menu.Jpg");
    EXPECT_NE(board.GetImage()->textureName, 0u);
    board.Draw(100, 100);
    menu.Draw(300, 100);
    window.Snapshot("texture-orientation");

    // The TGA's first (bottom) rows are red and lie at the bottom: upright.
    EXPECT_TRUE(ColourNear(window.Pixel(132, 110), 255, 0, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(132, 155), 0, 0, 255));
    // The JPEG's first rows are its top, and also end up at the bottom.
    EXPECT_TRUE(ColourNear(window.Pixel(332, 110), 255, 0, 0, 24));
    EXPECT_TRUE(ColourNear(window.Pixel(332, 155), 0, 0, 255, 24));
    // The quad runs from (x + 1, y + 1) to (x + width, y + height).
    EXPECT_TRUE(ColourNear(window.Pixel(100, 120), 0, 0, 0)) << "left column x stays empty";
    EXPECT_TRUE(ColourNear(window.Pixel(101, 120), 255, 0, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(163, 120), 255, 0, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(164, 120), 0, 0, 0));
}

TEST_F(OTextureDrawTest, UploadedPicturesLetTheirPixelsGoAndAreReadAgainForANewContext) {
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

    // A picture gone from the archive by then cannot be rebuilt.
    OTexture::DeleteAllTextures();
    archive.Remove();
    EXPECT_THROW(OTexture::UploadAllTextures(), OFileNotFound);
}

TEST_F(OTextureDrawTest, ImagesLoadedWithoutUploadsAreUploadedLater) {
    OBaseImage::SetUploadsHeldBack(true);
    OTexture board;
    board.Load("Board.Tga");
    OBaseImage::SetUploadsHeldBack(false);
    EXPECT_EQ(board.GetImage()->textureName, 0u);

    // Bind without a texture object leaves the binding alone.
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    board.Bind();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), other);
    glDeleteTextures(1, &other);

    OTexture::UploadAllTextures();
    ASSERT_NE(board.GetImage()->textureName, 0u);
    board.Draw(100, 100);
    EXPECT_TRUE(ColourNear(window.Pixel(132, 110), 255, 0, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(132, 155), 0, 0, 255));
}

TEST_F(OTextureDrawTest, RowsOfOddWidthsArePackedTightly) {
    // 5 x 3 RGB and 3 x 3 greyscale: rows of 15 and 3 bytes, not multiples of
    // four. Every texel gets its own colour.
    std::vector<uint8_t> bgr;
    std::vector<uint8_t> grey;
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            bgr.insert(bgr.end(), {uint8_t(40 * x), uint8_t(100 * row), uint8_t(200)});
        }
        for (int x = 0; x < 3; ++x)
            grey.push_back(uint8_t(20 + 70 * row + 20 * x));
    }
    TestArchive odd;
    odd.AddTexture("Odd.Tga", ImageFiles::Tga(2, 24, 5, 3, bgr));
    odd.AddTexture("Grey.Tga", ImageFiles::Tga(3, 8, 3, 3, grey));
    odd.Open();
    OTexture colour;
    OTexture greyscale;
    colour.Load("Odd.Tga", false);
    greyscale.Load("Grey.Tga", false);
    for (OTexture* texture : {&colour, &greyscale}) {
        texture->Bind();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    glPushMatrix();
    glScalef(40, 40, 1);
    colour.Draw(0, 0);
    greyscale.Draw(6, 0);
    glPopMatrix();
    window.Snapshot("texture-odd-widths");

    // The quad spans units 1..width, so texel c covers 1 + (w - 1) * c / w
    // to 1 + (w - 1) * (c + 1) / w, scaled by 40.
    for (int row = 0; row < 3; ++row) {
        const int y = static_cast<int>(40 * (1 + 2.0 * (row + 0.5) / 3));
        for (int x = 0; x < 5; ++x) {
            const int px = static_cast<int>(40 * (1 + 4.0 * (x + 0.5) / 5));
            EXPECT_TRUE(ColourNear(window.Pixel(px, y), 200, 100 * row, 40 * x, 2))
                << "texel " << x << ", " << row;
        }
        for (int x = 0; x < 3; ++x) {
            const int px = static_cast<int>(40 * (7 + 2.0 * (x + 0.5) / 3));
            const int g = 20 + 70 * row + 20 * x;
            EXPECT_TRUE(ColourNear(window.Pixel(px, y), g, g, g, 2)) << "grey " << x << ", " << row;
        }
    }
}
