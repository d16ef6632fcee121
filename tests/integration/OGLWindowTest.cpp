#include "app/OGLWindow.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/OMessageBox.h"
#include "app/OSoftwareGL.h"
#include "data/SystemOptions.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

const char kClassName[] = "3D";
const char kTitle[] = "Carrowmoor version 1.1";

// Draws and shows frames; asks to quit after its twentieth.
class TestWindow : public OGLWindow {
public:
    int frames = 0;
    void Update(int) override {
        glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SwapBuffers();
        if (++frames == 20)
            PostQuit(0);
    }
    // Drops the window and its context and builds them again from the
    // options, as a change of the video mode does.
    bool Rebuild() {
        SetFullScreen(SystemOptions.FullScreen != 0);
        EXPECT_TRUE(ReleaseRenderContext());
        EXPECT_TRUE(DestroyMainWindow());
        const bool built = CreateMainWindow() && CreateRenderContext();
        ShowMainWindow();
        return built;
    }
};

// The window's and the drawable's size are the client size, and the current
// context clears the whole of it (its far corner is read back).
void ExpectClientArea(const TestWindow& window, int width, int height) {
    ASSERT_NE(window.GetWindow(), nullptr);
    int w = 0, h = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(window.GetWindow(), &w, &h);
    SDL_GL_GetDrawableSize(window.GetWindow(), &dw, &dh);
    EXPECT_EQ(std::vector<int>({window.GetWidth(), window.GetHeight(), w, h, dw, dh}),
              std::vector<int>({width, height, width, height, width, height}));
    ASSERT_NE(window.GetRenderContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), window.GetRenderContext());
    glViewport(0, 0, width, height);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(width - 1, height - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(std::vector<int>({pixel[0], pixel[1]}), std::vector<int>({255, 0}));
}

SDL_Event WindowEvent(const TestWindow& window, Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event = {};
    const Uint32 id = SDL_GetWindowID(window.GetWindow());
    event.window = {SDL_WINDOWEVENT, 0, id, kind, 0, 0, 0, data1, data2};
    return event;
}

}  // namespace

// One window through the modes the virtual 1024 x 768 screen can show; it is
// rebuilt between them as a change in the options screen does. (A window as
// large as the desktop playing full screen is seen by the options screen's
// end-to-end test.)
TEST(OGLWindowOnDisplay, OpensInEachModeRunsUntilQuitAndIsRebuiltInAnother) {
    std::vector<std::string> messages;
    OMessageBox::SetHandler([&](const std::string& caption, const std::string& text,
                                OMessageBox::Icon) { messages.push_back(caption + ": " + text); });
    ResetSystemOptions();  // windowed
    SystemOptions.ColorDepth = 16;
    SystemOptions.ScreenRes = 5;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    EXPECT_EQ(SystemOptions.ScreenRes, 0) << "out of range: the smallest mode";
    ExpectClientArea(window, 640, 480);
    int depthBits = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    EXPECT_GE(depthBits, 16) << "16-bit colour still gets a depth buffer";
    EXPECT_EQ(SDL_GetWindowFlags(window.GetWindow()) &
                  (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN),
              0u);
    EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), kClassName) << "the X11 window class";
    std::vector<uint8_t> pixels(32 * 32 * 4, 200);
    EXPECT_TRUE(window.SetIcon(32, 32, pixels));
    pixels.pop_back();
    EXPECT_FALSE(window.SetIcon(32, 32, pixels)) << "too few pixels";
    EXPECT_FALSE(window.SetIcon(0, 32, pixels));

    // Frames are drawn until a quit; the close box ends Run with 0 and only
    // asks to quit: the window and its context stay.
    EXPECT_EQ(window.Run(), 0);
    EXPECT_EQ(window.frames, 20);
    SDL_Event close = WindowEvent(window, SDL_WINDOWEVENT_CLOSE);
    SDL_PushEvent(&close);
    EXPECT_EQ(window.Run(), 0);
    ExpectClientArea(window, 640, 480);

    // Rebuilt at 800 x 600; a size event of the old window, still queued,
    // changes nothing.
    SDL_Event stale = WindowEvent(window, SDL_WINDOWEVENT_SIZE_CHANGED, 640, 480);
    SystemOptions.ColorDepth = 32;
    SystemOptions.ScreenRes = 1;
    ASSERT_TRUE(window.Rebuild());
    window.HandleEvent(stale);
    ExpectClientArea(window, 800, 600);
    EXPECT_TRUE(messages.empty()) << messages.front();

    // Without a window the context step reports its failure; releasing
    // twice is harmless.
    EXPECT_TRUE(window.ReleaseRenderContext());
    EXPECT_TRUE(window.DestroyMainWindow());
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_TRUE(window.ReleaseRenderContext());
    EXPECT_FALSE(window.CreateRenderContext());
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Can't select pixel format"});
    messages.clear();

    if (window.GetDisplayModes().Mode(0).refreshRates.empty() &&
        window.GetDisplayModes().Mode(1).refreshRates.empty()) {
        // Full screen at 800 x 600 and then 640 x 480 is refused: a
        // borderless window of the size it had, without a mode change.
        const int width = window.GetWidth();
        const int height = window.GetHeight();
        SystemOptions.FullScreen = 1;
        SystemOptions.ScreenRes = 1;
        ASSERT_TRUE(window.Rebuild());
        EXPECT_EQ(std::vector<int>({SystemOptions.ScreenRes, SystemOptions.FullScreen}),
                  std::vector<int>({0, 1}));
        const Uint32 flags = SDL_GetWindowFlags(window.GetWindow());
        EXPECT_NE(flags & SDL_WINDOW_BORDERLESS, 0u);
        EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN, 0u);
        ExpectClientArea(window, width, height);
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    OMessageBox::SetHandler(nullptr);
    ResetSystemOptions();
}

namespace {

// In a child process: opens the window and describes how that went.
std::string OpenWindowAndDescribe() {
    ResetSystemOptions();  // windowed
    SystemOptions.ScreenRes = 0;
    std::string outcome;
    OMessageBox::SetHandler(
        [&outcome](const std::string& caption, const std::string& text, OMessageBox::Icon) {
            outcome += "message " + caption + ": " + text + "\n";
        });
    {
        OGLWindow window;
        try {
            outcome += window.Create(kClassName, kTitle, 640, 480) ? "created\n" : "failed\n";
        } catch (const OSoftwareGL& error) {
            outcome += "software " + std::to_string(error.GetCode()) + "\n";
        }
        if (SDL_GL_GetCurrentContext() != nullptr) {
            outcome += std::string("renderer ") +
                       reinterpret_cast<const char*>(glGetString(GL_RENDERER)) + "\n";
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        outcome += std::string("driver ") + (driver ? driver : "none") + "\n";
    }
    OMessageBox::SetHandler(nullptr);
    return outcome;
}

const bool kRanAsChild = [] {
    const char* resultFile = ChildResultFileFor("open-window");
    if (resultFile == nullptr)
        return false;
    TempDir::Write(resultFile, OpenWindowAndDescribe());
    std::fflush(nullptr);
    _exit(0);
}();

}  // namespace

// Without a display Create fails and says so (SDL finds no driver, or falls
// back quietly to its offscreen one); a headless driver asked for is not
// refused. (Mesa's softpipe refused and llvmpipe taken are seen by the
// end-to-end scripts: missing_data.sh runs softpipe, all of them llvmpipe.)
TEST(OGLWindowInChild, CreateSaysSoWhenNoDisplayCanBeOpened) {
    const auto npos = std::string::npos;
    const std::string none =
        RunSelfAsChild("open-window", {}, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"});
    EXPECT_NE(none.find("failed\n"), npos) << none;
    EXPECT_EQ(none.find("renderer"), npos) << none;
    EXPECT_TRUE(none.find("message Error: No display could be opened") != npos ||
                none.find("message Error: Can't register window class") != npos)
        << none;
    const std::string dummy =
        RunSelfAsChild("open-window", {{"SDL_VIDEODRIVER", "dummy"}}, {"DISPLAY"});
    EXPECT_NE(dummy.find("created\n"), npos) << dummy;
    EXPECT_NE(dummy.find("driver dummy"), npos) << dummy;
    EXPECT_EQ(dummy.find("No display could be opened"), npos) << dummy;
}
