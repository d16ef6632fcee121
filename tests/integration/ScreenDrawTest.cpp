#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "support/TestArchive.h"
#include "support/TgaBytes.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"
#include "ui/ORenderWindow.h"

namespace {

// kBar: red at 0.75 over black.
constexpr uint32_t kRed = 0xFF0000FFu, kGreen = 0x00FF00FFu, kBlue = 0x0000FFFFu,
                   kYellow = 0xFFFF00FFu, kMagenta = 0xFF00FFFFu, kGrey = 0x404040FFu,
                   kBar = 0xBF0000FFu, kBlack = 0x000000FFu;

// A picture of equal horizontal bands; band 0 is the first rows of the
// file, which is the bottom of the picture (t = 0 once uploaded).
std::vector<uint8_t> Banded(int width, int height, std::vector<uint32_t> colours) {
    const int bandHeight = height / static_cast<int>(colours.size());
    return MakeTga32(width, height, [=](int, int row) { return colours[row / bandHeight]; });
}

// The application with every presented frame kept: the back buffer is read
// just before each swap, where its contents are defined.
class CapturingApp : public OApplication {
public:
    void SwapBuffers() override {
        frameWidth = GetWidth();
        frame.assign(static_cast<size_t>(frameWidth) * GetHeight() * 3, 0);
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, frameWidth, GetHeight(), GL_RGB, GL_UNSIGNED_BYTE, frame.data());
        OApplication::SwapBuffers();
        ++swaps;
    }
    // Runs one frame; true when it was drawn and presented.
    bool Presents(int ms) {
        const int before = swaps;
        Update(ms);
        return swaps != before;
    }
    // Whether window pixel (x, y) of the last frame, origin lower left, has
    // about the colour.
    testing::AssertionResult Shows(int x, int y, uint32_t rgba) const {
        const size_t at = (static_cast<size_t>(y) * frameWidth + x) * 3;
        std::string seen;
        bool near = true;
        for (int i = 0; i < 3; ++i) {
            const int expected = static_cast<int>((rgba >> (24 - 8 * i)) & 0xFF);
            near = near && std::abs(frame[at + i] - expected) <= 24;
            seen += std::to_string(frame[at + i]) + (i < 2 ? "," : "");
        }
        return (near ? testing::AssertionSuccess() : testing::AssertionFailure())
               << "(" << x << ", " << y << ") is " << seen;
    }
    int swaps = 0;
    std::vector<uint8_t> frame;
    int frameWidth = 0;
};

class ScreenDrawTest : public ::testing::Test {
protected:
    ScreenDrawTest() {
        archive.AddTexture("PLogo.Tga", MakeTga32(8, 8));
        archive.AddTexture("Font.Tga", Banded(512, 512, {0u}));
        archive.AddTexture("Cursor.Tga", Banded(64, 64, {kMagenta}));
        archive.AddTexture("Back.Tga", Banded(64, 64, {kGrey}));
        archive.AddTexture("Button.Tga", Banded(128, 80, {kBlue, kGreen}));
        archive.AddTexture("CheckBox.Tga", Banded(24, 96, {kRed, kGreen, kBlue, kYellow}));
        archive.Open();
    }
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ResetSystemOptions();  // an 800 x 600 window
        ASSERT_TRUE(app.Create("3D", "Carrowmoor version 1.1", 640, 480));
        app.Init();
        // A grey screen with a button (idle green, lit blue) at (400, 300)
        // and a checked box (bands red, green, blue, yellow) at (100, 100).
        screen = new ORenderWindow(201);
        app.AddScreen(screen);
        screen->LoadPictures("Back.Tga", "");
        button = new BlendButton(1, false);
        button->SetImage("Button.Tga");
        button->SetPosition(400, 300);
        screen->AddControl(button);
        box = new KvCheckBox(nullptr, 2, 1.0f);
        box->SetImage("CheckBox.Tga");
        box->SetPosition(100, 100);
        box->checked = 1;
        screen->AddControl(box);
        app.SetScreen(201);
    }
    void TearDown() override { app.OnQuit(); }
    void MoveTo(int x, int y) {
        InputEvent move{EventMouseMove, 0, 0, 0, int16_t(x), int16_t(y)};
        app.OnInput(move);
    }

    TestArchive archive;
    CapturingApp app;
    ORenderWindow* screen = nullptr;
    BlendButton* button = nullptr;
    KvCheckBox* box = nullptr;
};

}  // namespace

TEST_F(ScreenDrawTest, BandsShowTheControlsStatesAndAStillScreenIsDrawnOnlyWhenItChanges) {
    ASSERT_EQ(app.GetWidth(), 800);
    MoveTo(10, 10);
    EXPECT_TRUE(app.Presents(16));
    // Idle button: upper band; checked box: its second band; grey elsewhere.
    EXPECT_TRUE(app.Shows(400, 300, kGreen));
    EXPECT_TRUE(app.Shows(110, 110, kGreen));
    EXPECT_TRUE(app.Shows(700, 500, kGrey));
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_FALSE(app.Presents(16)) << "nothing changed at frame " << frame;
    app.OnExposed();
    EXPECT_TRUE(app.Presents(16)) << "an uncovered window is drawn again";
    EXPECT_FALSE(app.Presents(16));

    // Hovering the button lights its lower band and starts its glow (0.5 at
    // 0.00125 per ms, about 400 ms): every frame is drawn while it grows.
    box->checked = 0;
    MoveTo(400, 300);
    int glowFrames = 0;
    while (button->Animating() && glowFrames < 20) {
        EXPECT_TRUE(app.Presents(50)) << "glow frame " << glowFrames;
        if (glowFrames++ > 0)
            continue;
        EXPECT_TRUE(app.Shows(350, 290, kBlue));
        EXPECT_TRUE(app.Shows(110, 110, kRed));
        // The cursor is drawn last, its top-left corner at the pointer: 37
        // pixels at 600 lines.
        EXPECT_TRUE(app.Shows(402, 600 - 300 - 2, kMagenta));
        EXPECT_TRUE(app.Shows(400 + 35, 600 - 300 - 35, kMagenta));
        EXPECT_FALSE(app.Shows(400 + 39, 600 - 300 - 2, kMagenta));
    }
    EXPECT_TRUE(glowFrames == 8 || glowFrames == 9) << glowFrames;
    EXPECT_FALSE(app.Presents(50));

    // A still screen is still refreshed now and then.
    EXPECT_FALSE(app.Presents(RedrawPolicy::kRefreshMs / 2));
    EXPECT_TRUE(app.Presents(RedrawPolicy::kRefreshMs / 2));
    // The loading bar grows from the left to 305 units, and the loading
    // frame hides the screen.
    app.DrawLoadingScreen(50, nullptr);
    EXPECT_TRUE(app.Shows(248 + 140, 245, kBar));
    EXPECT_TRUE(app.Shows(248 + 170, 245, kBlack));
    app.DrawLoadingScreen(100, nullptr);
    EXPECT_TRUE(app.Shows(248 + 300, 245, kBar));
    EXPECT_TRUE(app.Shows(248 + 310, 245, kBlack)) << "the bar ends at 553";
    EXPECT_TRUE(app.Presents(16));
}
