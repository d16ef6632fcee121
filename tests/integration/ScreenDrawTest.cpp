#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>

#include <array>
#include <cstdlib>
#include <string>

#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "render/KvModel.h"
#include "render/KvModelData.h"
#include "render/KvModelRegistry.h"
#include "render/KvModelWriter.h"
#include "render/OTexture.h"
#include "support/TestArchive.h"
#include "support/TgaBytes.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"
#include "ui/ORenderWindow.h"

namespace {

constexpr uint32_t kRed = 0xFF0000FFu;
constexpr uint32_t kGreen = 0x00FF00FFu;
constexpr uint32_t kBlue = 0x0000FFFFu;
constexpr uint32_t kYellow = 0xFFFF00FFu;
constexpr uint32_t kMagenta = 0xFF00FFFFu;
constexpr uint32_t kGrey = 0x404040FFu;

// A picture of `bands` equal horizontal bands; band 0 is the first rows of
// the file, which is the bottom of the picture (t = 0 once uploaded).
std::vector<uint8_t> Banded(int width, int height, std::initializer_list<uint32_t> colours) {
    std::vector<uint32_t> list(colours);
    const int bandHeight = height / static_cast<int>(list.size());
    return MakeTga32(width, height, [=](int, int row) { return list[row / bandHeight]; });
}

// The pictures the test screen and the application load.
class ScreenTestData {
public:
    ScreenTestData() {
        archive.AddTexture("PLogo.Tga", MakeTga32(8, 8));
        archive.AddTexture("Font.Tga", MakeTga32(512, 512, [](int, int) { return 0u; }));
        archive.AddTexture("Cursor.Tga", MakeTga32(64, 64, [](int, int) { return kMagenta; }));
        archive.AddTexture("Back.Tga", MakeTga32(64, 64, [](int, int) { return kGrey; }));
        archive.AddTexture("Button.Tga", Banded(128, 80, {kBlue, kGreen}));
        archive.AddTexture("CheckBox.Tga", Banded(24, 96, {kRed, kGreen, kBlue, kYellow}));
        KvModelWriter cube = KvModelWriter::Cube(1.0f);
        cube.SetTextures("Back.Tga");
        archive.Add("Data/Models/Cube.Kvm", cube.Build());
        archive.Open();
    }

private:
    TestArchive archive;
};

class TestScreen : public ORenderWindow {
public:
    TestScreen() : ORenderWindow(201) {}
    bool Build() override {
        LoadPictures("Back.Tga", "");
        button = new BlendButton(1, false);
        button->SetImage("Button.Tga");
        button->SetPosition(400, 300);
        AddControl(button);
        box = new KvCheckBox(nullptr, 2, 1.0f);
        box->SetImage("CheckBox.Tga");
        box->SetPosition(100, 100);
        box->checked = 1;
        AddControl(box);
        return true;
    }
    BlendButton* button = nullptr;
    KvCheckBox* box = nullptr;
};

// The application with every presented frame kept: the back buffer is read
// just before each swap, where its contents are defined.
class CapturingApp : public OApplication {
public:
    void SwapBuffers() override {
        frameWidth = GetWidth();
        frameHeight = GetHeight();
        frame.assign(static_cast<size_t>(frameWidth) * frameHeight * 3, 0);
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, frameWidth, frameHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
        OApplication::SwapBuffers();
        ++swaps;
    }
    // Runs one frame; true when it was drawn and presented.
    bool Presents(int ms) {
        const int before = swaps;
        Update(ms);
        return swaps != before;
    }
    int swaps = 0;
    // The colour at window pixel (x, y) of the last frame, origin lower left.
    std::array<int, 3> Pixel(int x, int y) const {
        const size_t at = (static_cast<size_t>(y) * frameWidth + x) * 3;
        return {frame[at], frame[at + 1], frame[at + 2]};
    }
    std::vector<uint8_t> frame;
    int frameWidth = 0;
    int frameHeight = 0;
};

bool Near(std::array<int, 3> actual, uint32_t rgba) {
    const int expected[3] = {static_cast<int>(rgba >> 24), static_cast<int>((rgba >> 16) & 0xFF),
                             static_cast<int>((rgba >> 8) & 0xFF)};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(actual[i] - expected[i]) > 24) {
            return false;
        }
    }
    return true;
}

std::string Describe(std::array<int, 3> c) {
    return std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]);
}

class ScreenDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ResetSystemOptions();
        SystemOptions.ScreenRes = 1;
        ASSERT_TRUE(app.Create("3D", "Carrowmoor version 1.1", 640, 480));
        app.Init();
        screen = new TestScreen();
        app.AddScreen(screen);
        app.SetScreen(201);
    }

    void TearDown() override { app.OnQuit(); }

    void MoveTo(int x, int y) {
        InputEvent move{};
        move.type = EventMouseMove;
        move.x = static_cast<int16_t>(x);
        move.y = static_cast<int16_t>(y);
        app.OnInput(move);
    }

    ScreenTestData data;
    CapturingApp app;
    TestScreen* screen = nullptr;
};

}  // namespace

TEST_F(ScreenDrawTest, BandsShowTheControlsStatesAndTheCursorIsDrawnLast) {
    ASSERT_EQ(app.GetWidth(), 800);
    MoveTo(10, 10);
    app.Update(16);
    // Idle button: upper band (green); checked box: its second band (green
    // over red), the background grey elsewhere.
    EXPECT_TRUE(Near(app.Pixel(400, 300), kGreen)) << Describe(app.Pixel(400, 300));
    EXPECT_TRUE(Near(app.Pixel(110, 110), kGreen)) << Describe(app.Pixel(110, 110));
    EXPECT_TRUE(Near(app.Pixel(700, 500), kGrey)) << Describe(app.Pixel(700, 500));

    screen->box->checked = 0;
    MoveTo(400, 300);  // hover the button: its lower band (blue)
    app.Update(16);
    EXPECT_TRUE(Near(app.Pixel(350, 290), kBlue)) << Describe(app.Pixel(350, 290));
    EXPECT_TRUE(Near(app.Pixel(110, 110), kRed)) << Describe(app.Pixel(110, 110));
    // The cursor's top-left corner is at the pointer: 800 x 600 -> 37 pixels.
    const int size = OApplication::CursorSize(600);
    EXPECT_EQ(size, 37);
    EXPECT_TRUE(Near(app.Pixel(402, 600 - 300 - 2), kMagenta));
    EXPECT_TRUE(Near(app.Pixel(400 + size - 2, 600 - 300 - size + 2), kMagenta));
    EXPECT_FALSE(Near(app.Pixel(400 + size + 2, 600 - 300 - 2), kMagenta));
}

TEST_F(ScreenDrawTest, AStillScreenIsDrawnAgainOnlyWhenSomethingChanges) {
    MoveTo(10, 10);
    EXPECT_TRUE(app.Presents(16));
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_FALSE(app.Presents(16)) << "nothing changed at frame " << frame;
    }
    app.OnExposed();
    EXPECT_TRUE(app.Presents(16)) << "an uncovered window is drawn again";
    EXPECT_FALSE(app.Presents(16));

    // Hovering the button starts its glow (0.5 at 0.00125 per ms, about
    // 400 ms): every frame is drawn while it grows, the last one without it.
    MoveTo(400, 300);
    int glowFrames = 0;
    while (screen->button->Animating() && glowFrames < 20) {
        EXPECT_TRUE(app.Presents(50)) << "glow frame " << glowFrames;
        ++glowFrames;
    }
    EXPECT_GE(glowFrames, 8);
    EXPECT_LE(glowFrames, 9);
    EXPECT_FALSE(app.Presents(50));

    // A still screen is still refreshed now and then.
    EXPECT_FALSE(app.Presents(RedrawPolicy::kRefreshMs / 2));
    EXPECT_TRUE(app.Presents(RedrawPolicy::kRefreshMs / 2));
    app.DrawLoadingScreen(50, nullptr);
    EXPECT_TRUE(app.Presents(16)) << "the loading frame hid the screen";
}

TEST_F(ScreenDrawTest, LoadingBarGrowsFromTheLeftTo305Units) {
    app.DrawLoadingScreen(50, nullptr);
    auto inBar = app.Pixel(248 + 140, 245);
    auto pastBar = app.Pixel(248 + 170, 245);
    EXPECT_GT(inBar[0], 150) << Describe(inBar);
    EXPECT_LT(inBar[1], 40);
    EXPECT_LT(pastBar[0], 40) << Describe(pastBar);
    app.DrawLoadingScreen(100, nullptr);
    EXPECT_GT(app.Pixel(248 + 300, 245)[0], 150);
    EXPECT_LT(app.Pixel(248 + 310, 245)[0], 40) << "the bar ends at 553";
}

TEST_F(ScreenDrawTest, ResetVideoModeRedrawsTheSameScreenAtTheNewSize) {
    SystemOptions.ScreenRes = 0;
    ASSERT_TRUE(app.ResetVideoMode());
    EXPECT_EQ(app.GetWidth(), 640);
    EXPECT_EQ(app.GetHeight(), 480);
    EXPECT_EQ(screen->windowWidth, 640);
    MoveTo(5, 5);
    app.Update(16);
    // Virtual (400, 300) is window (320, 240); the textures came back.
    EXPECT_TRUE(Near(app.Pixel(320, 240), kGreen)) << Describe(app.Pixel(320, 240));
    EXPECT_TRUE(Near(app.Pixel(600, 400), kGrey)) << Describe(app.Pixel(600, 400));
    EXPECT_TRUE(Near(app.Pixel(88, 88), kGreen)) << Describe(app.Pixel(88, 88));
}

TEST_F(ScreenDrawTest, CursorIs48PixelsSquareAt768Lines) {
    SystemOptions.ScreenRes = 2;
    ASSERT_TRUE(app.ResetVideoMode());
    ASSERT_EQ(app.GetHeight(), 768);
    MoveTo(600, 100);
    app.Update(16);
    const int top = 768 - 100 - 1;  // window row 100 in GL's bottom-up rows
    EXPECT_TRUE(Near(app.Pixel(600, top), kMagenta)) << Describe(app.Pixel(600, top));
    EXPECT_TRUE(Near(app.Pixel(600 + 47, top - 47), kMagenta));
    EXPECT_FALSE(Near(app.Pixel(600 + 48, top), kMagenta));
    EXPECT_FALSE(Near(app.Pixel(600, top - 48), kMagenta));
}

TEST_F(ScreenDrawTest, ModelListsAreRebuiltInTheNewContextAfterResetVideoMode) {
    KvModel cube;
    cube.Load("Cube.Kvm");
    cube.BuildDisplayList();
    ASSERT_NE(cube.GetData()->displayList, 0u);
    SystemOptions.ScreenRes = 0;
    ASSERT_TRUE(app.ResetVideoMode());
    ASSERT_NE(cube.GetData()->displayList, 0u);
    EXPECT_TRUE(glIsList(cube.GetData()->displayList)) << "the list lives in the new context";
    KvModelRegistry::Instance().DeleteAllLists();
}
