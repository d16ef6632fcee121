#include "render/KvModel.h"
#include "render/KvModelData.h"
#include "render/KvModelRegistry.h"
#include "render/OGLExtensions.h"
#include "render/OTexture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/GLTestWindow.h"
#include "support/ImageFiles.h"
#include "support/ModelFiles.h"
#include "support/PixelCheck.h"
#include "support/TestArchive.h"

namespace {

constexpr int kSize = 256;

// Looking down -z at the unit cube: x and y from -2 to 2.
void SetUpView() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}

// 64 x 64: the left half red, the right half green.
std::string RedGreenTga() {
    std::vector<uint8_t> bgr;
    for (int i = 0; i < 64 * 64; ++i)
        bgr.insert(bgr.end(), {0, uint8_t(i % 64 < 32 ? 0 : 255), uint8_t(i % 64 < 32 ? 255 : 0)});
    return ImageFiles::Tga(2, 24, 64, 64, bgr);
}

class KvModelDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        archive.AddTexture("RedGreen.Tga", RedGreenTga());
        archive.AddTexture("White.Tga", ImageFiles::FilledTga(2, 24, 8, 8, {255, 255, 255}));
        archive.AddTexture("Grey.Tga", ImageFiles::FilledTga(3, 8, 8, 8, {128}));
        KvModelWriter textured = KvModelWriter::Cube(1.0f);
        textured.SetTextures("RedGreen.Tga");
        archive.Add("Data/Models/Cube.Kvm", textured.Build());
        KvModelWriter detailed = KvModelWriter::Cube(1.0f);
        detailed.SetTextures("White.Tga", "Grey.Tga");
        archive.Add("Data/Models/Detailed.Kvm", detailed.Build());
        archive.Open();
        SetUpView();
        window.Clear(0, 0, 0);
        cube.Load("Cube.Kvm");
    }

    // A window whose GL context a test can destroy and create again, as a
    // display-mode switch does.
    GLTestWindow window{kSize, kSize};
    ModelTestGuard guard;
    TestArchive archive;
    KvModel cube;
};

// The +z face covers window pixels 64..192 on both axes.
void ExpectRedGreenFace(const GLTestWindow& window) {
    EXPECT_TRUE(ColourNear(window.Pixel(90, 128), 255, 0, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(166, 128), 0, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(30, 128), 0, 0, 0)) << "outside the cube";
    EXPECT_TRUE(ColourNear(window.Pixel(128, 220), 0, 0, 0)) << "outside the cube";
}

}  // namespace

TEST_F(KvModelDrawTest, ATexturedCubeDrawsThroughItsListAlikeUnlistedAndAfterANewContext) {
    cube.BuildDisplayList();
    ASSERT_TRUE(glIsList(cube.GetData()->displayList));
    cube.Draw();
    window.Snapshot("model-cube");
    ExpectRedGreenFace(window);
    const std::vector<uint8_t> listed = window.Frame();

    // Sent triangle by triangle (no list) the picture is the same.
    KvModelRegistry::Instance().DeleteAllLists();
    EXPECT_EQ(cube.GetData()->displayList, 0u);
    window.Clear(0, 0, 0);
    cube.Draw();
    EXPECT_TRUE(window.Frame() == listed);

    // What the application does around a display-mode switch: the rebuilt
    // list draws the same.
    OTexture::DeleteAllTextures();
    window.DestroyContext();
    window.CreateContext();
    SetUpView();
    OTexture::UploadAllTextures();
    KvModelRegistry::Instance().RebuildAllLists();
    ASSERT_TRUE(glIsList(cube.GetData()->displayList));
    window.Clear(0, 0, 0);
    cube.Draw();
    EXPECT_TRUE(window.Frame() == listed) << "the rebuilt list draws differently";

    // Invisible models draw nothing; a moved model draws where it is.
    window.Clear(0, 0, 0);
    cube.visible = false;
    cube.Draw();
    EXPECT_TRUE(ColourNear(window.Pixel(90, 128), 0, 0, 0));
    cube.visible = true;
    cube.SetPosition({-0.5f, 0, 0});
    cube.Draw();
    EXPECT_TRUE(ColourNear(window.Pixel(40, 128), 255, 0, 0));
}

TEST_F(KvModelDrawTest, TheDetailTextureModulatesOnTheSecondUnitAndIsSwitchedOffAfter) {
    OGLExtensions::ForgetAll();
    KvModel detailed;
    detailed.Load("Detailed.Kvm");
    detailed.BuildDisplayList();
    EXPECT_TRUE(OGLExtensions::HasMultitexture()) << "loaded for the detail texture";
    detailed.Draw();
    window.Snapshot("model-detail");
    // White base times 128 grey detail.
    EXPECT_TRUE(ColourNear(window.Pixel(128, 128), 128, 128, 128, 4));

    OGLExtensions::ActiveTextureARB(GL_TEXTURE1_ARB);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "the second unit stays on after the list";
    OGLExtensions::ActiveTextureARB(GL_TEXTURE0_ARB);

    // The plain cube drawn afterwards is not darkened by the detail texture.
    cube.BuildDisplayList();
    window.Clear(0, 0, 0);
    cube.Draw();
    ExpectRedGreenFace(window);
}

TEST_F(KvModelDrawTest, TranslucentAndWireframeDrawingRestoreTheCallersState) {
    cube.BuildDisplayList();
    cube.translucency = 0.0;
    cube.colour[3] = 0.5f;
    window.Clear(0, 0, 1);
    glDisable(GL_LIGHTING);
    // Only the front face, so the colour is one blend of it over the blue.
    glEnable(GL_CULL_FACE);
    cube.Draw();
    glDisable(GL_CULL_FACE);
    EXPECT_TRUE(ColourNear(window.Pixel(90, 128), 128, 0, 128, 4));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "lighting was off before and stays off";

    // The wireframe shows the face's diagonal through the centre; beside it
    // the face is empty.
    window.Clear(0, 0, 0);
    glDisable(GL_TEXTURE_2D);
    KvModel wire;
    wire.Load("Cube.Kvm");
    wire.DrawWireframe();
    window.Snapshot("model-wireframe");
    int lit = 0;
    for (int d = -3; d <= 3; ++d)
        lit += ColourNear(window.Pixel(128 + d, 128 + d), 255, 255, 255, 60) ? 1 : 0;
    EXPECT_GT(lit, 3);
    EXPECT_TRUE(ColourNear(window.Pixel(100, 150), 0, 0, 0));
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(KvModelDrawTest, ShadowVolumeCoversTheGroundBehindTheModel) {
    // A cube lit from straight above: its volume, seen from above, covers
    // the cube's square footprint and nothing beside it.
    const OVector3 light(0, 100, 0);
    cube.UpdateShadow(light);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -8);  // the cube in front of the eye
    glColor3f(1, 1, 0);
    cube.DrawShadowVolume(light, true);
    window.Snapshot("model-shadow-volume");
    // The silhouette is the top face's border; its sides run up to the light
    // and down to infinity, so the volume covers a band through the cube.
    EXPECT_TRUE(ColourNear(window.Pixel(128, 128), 255, 255, 0));
    EXPECT_TRUE(ColourNear(window.Pixel(128, 10), 255, 255, 0)) << "extends to infinity below";
    EXPECT_TRUE(ColourNear(window.Pixel(20, 128), 0, 0, 0)) << "beside the cube";
}
