#include "render/OTexture.h"

#include "app/OFileNotFound.h"

#include <gtest/gtest.h>

#include "support/ImageFiles.h"
#include "support/TestArchive.h"

namespace {

// Expects Load to throw the game's missing-file exception and cache nothing.
void ExpectMissing(const std::string& name) {
    OTexture texture;
    EXPECT_THROW(texture.Load(name), OFileNotFound) << name;
    EXPECT_EQ(texture.GetImage(), nullptr) << name;
    EXPECT_FALSE(OTexture::IsCached(name)) << name;
}

}  // namespace

// Handles of one name, loaded or copied, share one image; the cache serves
// it without reading until its last handle goes. Without a GL context
// nothing is uploaded and the pixels stay.
TEST(OTexture, HandlesShareOneCachedImageUntilTheLastGoes) {
    TestArchive archive;
    archive.AddTexture("A.Tga", ImageFiles::FilledTga(2, 24, 4, 4, {0, 0, 255}));
    archive.AddTexture("B.Tga", ImageFiles::FilledTga(2, 24, 3, 3, {0, 0, 255}));
    archive.Open();
    const size_t cachedBefore = OTexture::CachedImageCount();
    {
        auto first = std::make_unique<OTexture>();
        ASSERT_TRUE(first->Load("A.Tga"));
        OBaseImage* image = first->GetImage();
        OTexture other;
        other.Load("B.Tga");
        OTexture copy(*first);
        EXPECT_EQ(copy.GetName(), "A.Tga");
        other = copy;  // B.Tga loses its only handle
        EXPECT_FALSE(OTexture::IsCached("B.Tga"));
        const OTexture& same = other;  // a self-assignment the compiler cannot see
        other = same;
        EXPECT_EQ(image->GetReferenceCount(), 3);
        copy.Load("B.Tga");  // lets A.Tga go
        EXPECT_EQ(copy.GetWidth(), 3);
        EXPECT_EQ(image->GetReferenceCount(), 2);

        archive.Remove();  // from here on only the cache can serve
        OTexture second;
        ASSERT_TRUE(second.Load("A.Tga"));
        EXPECT_EQ(second.GetImage(), image);
        EXPECT_EQ(second.GetHeight(), 4);
        EXPECT_EQ(OTexture::CachedImageCount(), cachedBefore + 2);
        first.reset();
        EXPECT_EQ(image->GetReferenceCount(), 2);
        second.Bind();
        second.Draw(0, 0);
        OTexture::DeleteAllTextures();
        OTexture::UploadAllTextures();
        EXPECT_EQ(image->textureName, 0u);
        EXPECT_EQ(image->pixels.size(), 4u * 4u * 3u);
    }
    EXPECT_EQ(OTexture::CachedImageCount(), cachedBefore);
    ExpectMissing("A.Tga");  // gone with its last handle: read again, and missing
    OTexture empty;
    empty.Bind();
    empty.Draw(10, 10);
    EXPECT_EQ(empty.GetWidth() + empty.GetHeight(), 0);
}

// Missing files and files the decoder (chosen by the name: JPEG where
// ".Jpg" is in it) refuses throw and leave nothing cached; which files each
// decoder refuses is the image tests' business.
TEST(OTexture, MissingAndDamagedFilesThrowAndCacheNothing) {
    TestArchive archive;
    const std::string full = ImageFiles::FilledTga(2, 32, 8, 8, {1, 2, 3, 4});
    const std::string jpeg = ImageFiles::Jpeg(32, 32, 1, std::vector<uint8_t>(1024, 90));
    archive.AddTexture("Short.Tga", full.substr(0, full.size() - 4));
    archive.AddTexture("Cut.Jpg", jpeg.substr(0, jpeg.size() / 2));
    archive.AddTexture("Empty.Jpg", "");
    archive.AddTexture("Menu.jpg", jpeg);  // lower case: read as a TGA
    archive.AddTexture("Tga.Jpg", full);   // a TGA read as a JPEG
    archive.Add("Data/Loose.Tga", full);   // outside the picture folder
    archive.Open();
    const size_t cachedBefore = OTexture::CachedImageCount();
    for (const char* name : {"Absent.Tga", "Short.Tga", "Cut.Jpg", "Empty.Jpg", "Menu.jpg",
                             "Tga.Jpg", "Loose.Tga", "Absent.Jpg"}) {
        ExpectMissing(name);
    }
    EXPECT_EQ(OTexture::CachedImageCount(), cachedBefore);
}
