#include "render/OTexture.h"

#include "app/OFileNotFound.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/ImageFiles.h"
#include "support/TestArchive.h"

namespace {

const std::string kMessage = "Required file missing. Please reinstall the game.";

std::string RedTga(int width, int height) {
    return ImageFiles::FilledTga(2, 24, width, height, {0, 0, 255});
}

std::string GreyJpeg(int width, int height) {
    return ImageFiles::Jpeg(width, height, 1, std::vector<uint8_t>(width * height, 90));
}

// Expects Load to throw the game's missing-file exception and cache nothing.
void ExpectMissing(const std::string& name) {
    OTexture texture;
    try {
        texture.Load(name);
        ADD_FAILURE() << name << " loaded";
    } catch (const OFileNotFound& error) {
        EXPECT_EQ(error.GetCode(), 3);
        EXPECT_EQ(error.GetMessage(), kMessage);
    }
    EXPECT_EQ(texture.GetImage(), nullptr) << name;
    EXPECT_FALSE(OTexture::IsCached(name)) << name;
}

}  // namespace

TEST(OTexture, HandlesOfOneNameShareOneImageUntilTheLastGoes) {
    TestArchive archive;
    archive.AddTexture("Buttons/Ok.Tga", RedTga(4, 2));
    archive.Open();
    const size_t cachedBefore = OTexture::CachedImageCount();

    auto first = std::make_unique<OTexture>();
    ASSERT_TRUE(first->Load("Buttons/Ok.Tga"));
    EXPECT_EQ(first->GetWidth(), 4);
    EXPECT_EQ(first->GetHeight(), 2);
    EXPECT_EQ(first->GetName(), "Buttons/Ok.Tga");

    // The second Load must not read: the archive is gone by now.
    archive.Remove();
    auto second = std::make_unique<OTexture>();
    ASSERT_TRUE(second->Load("Buttons/Ok.Tga"));
    EXPECT_EQ(second->GetImage(), first->GetImage());
    EXPECT_EQ(first->GetImage()->GetReferenceCount(), 2);
    EXPECT_EQ(OTexture::CachedImageCount(), cachedBefore + 1);

    first.reset();
    EXPECT_TRUE(OTexture::IsCached("Buttons/Ok.Tga"));
    EXPECT_EQ(second->GetImage()->GetReferenceCount(), 1);
    EXPECT_EQ(second->GetWidth(), 4);

    second.reset();
    EXPECT_FALSE(OTexture::IsCached("Buttons/Ok.Tga"));
    EXPECT_EQ(OTexture::CachedImageCount(), cachedBefore);
    // The image went with its last handle: loading again reads the (now
    // missing) file.
    ExpectMissing("Buttons/Ok.Tga");
}

TEST(OTexture, CopiesAndAssignmentsCountTheirReferences) {
    TestArchive archive;
    archive.AddTexture("A.Tga", RedTga(2, 2));
    archive.AddTexture("B.Tga", RedTga(3, 3));
    archive.Open();

    auto original = std::make_unique<OTexture>();
    original->Load("A.Tga");
    OBaseImage* image = original->GetImage();
    OTexture copy(*original);
    EXPECT_EQ(copy.GetImage(), image);
    EXPECT_EQ(copy.GetName(), "A.Tga");
    EXPECT_EQ(image->GetReferenceCount(), 2);
    original.reset();
    EXPECT_EQ(image->GetReferenceCount(), 1);
    EXPECT_EQ(copy.GetWidth(), 2);

    OTexture other;
    other.Load("B.Tga");
    other = copy;  // B.Tga loses its only handle
    EXPECT_FALSE(OTexture::IsCached("B.Tga"));
    EXPECT_EQ(image->GetReferenceCount(), 2);
    const OTexture& same = other;  // a self-assignment the compiler cannot see
    other = same;
    EXPECT_EQ(image->GetReferenceCount(), 2);

    // Loading into a handle that already holds an image lets the old one go.
    copy.Load("B.Tga");
    EXPECT_EQ(image->GetReferenceCount(), 1);
    EXPECT_EQ(copy.GetWidth(), 3);
}

TEST(OTexture, OnlyTheExactJpgSpellingIsDecodedAsJpeg) {
    TestArchive archive;
    archive.AddTexture("Interface/Menu.Jpg", GreyJpeg(16, 8));
    archive.AddTexture("Interface/Menu.jpg", GreyJpeg(16, 8));
    archive.AddTexture("Interface/Menu.Jpg.Tga", GreyJpeg(8, 8));
    archive.Open();

    OTexture menu;
    ASSERT_TRUE(menu.Load("Interface/Menu.Jpg"));
    EXPECT_EQ(menu.GetWidth(), 16);
    EXPECT_EQ(menu.GetHeight(), 8);
    EXPECT_EQ(menu.GetImage()->pixelFormat, static_cast<GLenum>(GL_LUMINANCE));
    OTexture anywhere;
    ASSERT_TRUE(anywhere.Load("Interface/Menu.Jpg.Tga")) << "\".Jpg\" anywhere in the name";
    EXPECT_EQ(anywhere.GetWidth(), 8);
    // Lower case goes to the TGA reader, which refuses JPEG bytes.
    ExpectMissing("Interface/Menu.jpg");
}

TEST(OTexture, MissingAndDamagedFilesThrowAndCacheNothing) {
    TestArchive archive;
    const std::string full = ImageFiles::FilledTga(2, 32, 8, 8, {1, 2, 3, 4});
    archive.AddTexture("Short.Tga", full.substr(0, full.size() - 4));
    archive.AddTexture("Rle.Tga", [&] {
        std::string rle = full;
        rle[2] = 10;
        return rle;
    }());
    archive.AddTexture("Sixteen.Tga", ImageFiles::FilledTga(2, 16, 2, 2, {1, 2}));
    archive.AddTexture("Cmyk.Jpg", ImageFiles::Jpeg(8, 8, 4, std::vector<uint8_t>(256, 50)));
    const std::string jpeg = GreyJpeg(32, 32);
    archive.AddTexture("Cut.Jpg", jpeg.substr(0, jpeg.size() / 2));
    archive.AddTexture("Empty.Jpg", "");
    // Stored outside the picture folder: names are looked up below it.
    archive.Add("Data/Loose.Tga", full);
    archive.Open();
    const size_t cachedBefore = OTexture::CachedImageCount();

    for (const char* name : {"Absent.Tga", "Short.Tga", "Rle.Tga", "Sixteen.Tga", "Cmyk.Jpg",
                             "Cut.Jpg", "Empty.Jpg", "Loose.Tga", "Absent.Jpg"}) {
        ExpectMissing(name);
    }
    EXPECT_EQ(OTexture::CachedImageCount(), cachedBefore);
}

TEST(OTexture, WithoutAGlContextImagesKeepTheirPixelsAndNoTextureName) {
    TestArchive archive;
    archive.AddTexture("Coal.Tga", ImageFiles::FilledTga(2, 32, 4, 4, {10, 20, 30, 255}));
    archive.Open();

    OTexture empty;
    empty.Bind();
    empty.Draw(10, 10);
    EXPECT_EQ(empty.GetWidth(), 0);
    EXPECT_EQ(empty.GetHeight(), 0);

    OTexture coal;
    coal.Load("Coal.Tga");
    ASSERT_NE(coal.GetImage(), nullptr);
    EXPECT_EQ(coal.GetImage()->textureName, 0u);
    coal.Bind();
    coal.Draw(0, 0);

    archive.Remove();
    OTexture::DeleteAllTextures();
    OTexture::UploadAllTextures();
    EXPECT_EQ(coal.GetImage()->textureName, 0u);
    ASSERT_EQ(coal.GetImage()->pixels.size(), 4u * 4u * 4u);
    EXPECT_EQ(coal.GetImage()->pixels[0], 30);
    EXPECT_EQ(coal.GetImage()->pixels[2], 10);
}

TEST(OTexture, DecodeBytesChoosesTheDecoderByName) {
    OBaseImage image;
    const std::string tga = RedTga(2, 1);
    const std::string jpeg = GreyJpeg(8, 8);
    EXPECT_TRUE(OTexture::DecodeBytes(image, "x.Tga", ImageFiles::Bytes(tga), tga.size()));
    EXPECT_FALSE(OTexture::DecodeBytes(image, "x.Jpg", ImageFiles::Bytes(tga), tga.size()));
    EXPECT_TRUE(OTexture::DecodeBytes(image, "x.Jpg", ImageFiles::Bytes(jpeg), jpeg.size()));
    EXPECT_FALSE(OTexture::DecodeBytes(image, "x.JPG", ImageFiles::Bytes(jpeg), jpeg.size()));
}
