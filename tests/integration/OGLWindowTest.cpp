#include "app/OGLWindow.h"

#include <gtest/gtest.h>
// After gtest: the X11 headers behind SDL_syswm.h define macros such as None.
#include <SDL_opengl.h>
#include <SDL_syswm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
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

class TestWindow : public OGLWindow {
public:
    std::vector<int> frameTimes;
    std::vector<InputEvent> inputs;
    std::atomic<int> frames{0};
    bool drawFrames = true;
    int stallAtFrame = -1;

    void Update(int ms) override {
        frameTimes.push_back(ms);
        if (static_cast<int>(frameTimes.size()) == stallAtFrame) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        if (drawFrames) {
            glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            SwapBuffers();
        }
        ++frames;
    }
    bool OnInput(InputEvent& event) override {
        inputs.push_back(event);
        return true;
    }
};

// Every test starts from the default options and sees the message boxes it
// causes instead of a box waiting for a click.
class OGLWindowOnDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSystemOptions();
        SystemOptions.FullScreen = 0;
        SystemOptions.ColorDepth = 32;
        OMessageBox::SetHandler(
            [this](const std::string& caption, const std::string& text, OMessageBox::Icon) {
                messages.push_back(caption + ": " + text);
            });
    }
    void TearDown() override {
        OMessageBox::SetHandler(nullptr);
        ResetSystemOptions();
    }

    static void ExpectClientSize(const TestWindow& window, int width, int height) {
        EXPECT_EQ(window.GetWidth(), width);
        EXPECT_EQ(window.GetHeight(), height);
        ASSERT_NE(window.GetWindow(), nullptr);
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(window.GetWindow(), &w, &h);
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
        SDL_GL_GetDrawableSize(window.GetWindow(), &w, &h);
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }

    // Clears the back buffer and reads the far corner: the framebuffer the
    // context draws into really has the client size.
    static void ExpectContextDrawsTheClientArea(const TestWindow& window) {
        ASSERT_NE(window.GetRenderContext(), nullptr);
        EXPECT_EQ(SDL_GL_GetCurrentContext(), window.GetRenderContext());
        glViewport(0, 0, window.GetWidth(), window.GetHeight());
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        unsigned char pixel[4] = {};
        glReadPixels(window.GetWidth() - 1, window.GetHeight() - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixel);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(pixel[0], 255);
        EXPECT_EQ(pixel[1], 0);
    }

    static bool DesktopIs(int width, int height) {
        SDL_DisplayMode desktop;
        return SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w == width &&
               desktop.h == height;
    }

    std::vector<std::string> messages;
};

void PushWindowEvent(const TestWindow& window, Uint8 kind) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.windowID = SDL_GetWindowID(window.GetWindow());
    SDL_PushEvent(&event);
}

}  // namespace

TEST_F(OGLWindowOnDisplay, WindowedModesOpenWithTheirClientSizeAndACurrentContext) {
    struct Case {
        int screenRes;
        int width;
        int height;
    };
    for (const Case& c : {Case{0, 640, 480}, Case{1, 800, 600}}) {
        SCOPED_TRACE(c.screenRes);
        SystemOptions.ScreenRes = c.screenRes;
        TestWindow window;
        ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
        ExpectClientSize(window, c.width, c.height);
        ExpectContextDrawsTheClientArea(window);
        EXPECT_STREQ(SDL_GetWindowTitle(window.GetWindow()), kTitle);
        EXPECT_EQ(window.GetClassName(), kClassName);
        EXPECT_EQ(SystemOptions.FullScreen, 0);
        EXPECT_FALSE(window.IsFullScreen());
        EXPECT_EQ(SDL_GetWindowFlags(window.GetWindow()) &
                      (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN),
                  0u);
        EXPECT_TRUE(messages.empty()) << messages.front();
    }
}

TEST_F(OGLWindowOnDisplay, AWindowAsLargeAsTheDesktopPlaysFullScreen) {
    SystemOptions.ScreenRes = 2;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    if (!DesktopIs(1024, 768))
        GTEST_SKIP() << "needs a 1024 x 768 screen";
    EXPECT_EQ(SystemOptions.FullScreen, 1) << "the switch is remembered in the options";
    EXPECT_TRUE(window.IsFullScreen());
    EXPECT_NE(SDL_GetWindowFlags(window.GetWindow()) & SDL_WINDOW_FULLSCREEN, 0u);
    ExpectClientSize(window, 1024, 768);
    ExpectContextDrawsTheClientArea(window);
    EXPECT_EQ(window.GetDisplayModes().Mode(2).refreshRates.size(), 1u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(OGLWindowOnDisplay, ScreenResOutOfRangeOpensTheSmallestMode) {
    SystemOptions.ScreenRes = 5;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    EXPECT_EQ(SystemOptions.ScreenRes, 0);
    ExpectClientSize(window, 640, 480);
}

TEST_F(OGLWindowOnDisplay, FullScreenThatTheDisplayCannotShowFallsBackToABorderlessWindow) {
    // The virtual screen lists 1024 x 768 only: 800 x 600 and then 640 x 480
    // are refused, and the window keeps the size it was created with.
    SystemOptions.FullScreen = 1;
    SystemOptions.ScreenRes = 1;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    if (!window.GetDisplayModes().Mode(0).refreshRates.empty() ||
        !window.GetDisplayModes().Mode(1).refreshRates.empty()) {
        GTEST_SKIP() << "the display offers 640 x 480 or 800 x 600";
    }
    EXPECT_EQ(SystemOptions.ScreenRes, 0);
    EXPECT_EQ(SystemOptions.FullScreen, 1);
    Uint32 flags = SDL_GetWindowFlags(window.GetWindow());
    EXPECT_NE(flags & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN, 0u) << "no display-mode change";
    ExpectClientSize(window, 640, 480);
    ExpectContextDrawsTheClientArea(window);
}

TEST_F(OGLWindowOnDisplay, SixteenBitColourGetsAContextWithADepthBuffer) {
    SystemOptions.ColorDepth = 16;
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    ASSERT_NE(window.GetRenderContext(), nullptr);
    int depthBits = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    EXPECT_GE(depthBits, 16);
    ExpectContextDrawsTheClientArea(window);
    EXPECT_TRUE(messages.empty());
}

TEST_F(OGLWindowOnDisplay, TheWindowIsKnownByItsClassName) {
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window.GetWindow(), &info));
    if (info.subsystem != SDL_SYSWM_X11)
        GTEST_SKIP() << "not on X11";
    std::string command =
        "xprop -id " + std::to_string(info.info.x11.window) + " WM_CLASS 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    bool read = std::fgets(line, sizeof(line), pipe) != nullptr;
    int status = pclose(pipe);
    if (!read || status != 0)
        GTEST_SKIP() << "xprop is not available";
    EXPECT_NE(std::string(line).find("\"3D\""), std::string::npos) << line;
}

TEST_F(OGLWindowOnDisplay, RunDrawsFramesWithClampedTimesUntilQuit) {
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    window.stallAtFrame = 5;
    std::thread quitter([&window] {
        while (window.frames < 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    });
    int code = window.Run();
    quitter.join();
    EXPECT_EQ(code, 0);
    ASSERT_GE(window.frameTimes.size(), 20u);
    for (int ms : window.frameTimes) {
        EXPECT_GE(ms, 1);
        EXPECT_LE(ms, 100);
    }
    EXPECT_EQ(window.frameTimes[5], 50) << "the frame after a 150 ms stall";
}

TEST_F(OGLWindowOnDisplay, TheCloseBoxEndsRunWithZeroAndKeepsTheWindow) {
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    PushWindowEvent(window, SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(window.Run(), 0);
    EXPECT_NE(window.GetWindow(), nullptr) << "closing only asks to quit";
    EXPECT_NE(window.GetRenderContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), window.GetRenderContext());
}

TEST_F(OGLWindowOnDisplay, ReleaseAndRebuildInAnotherMode) {
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    Uint32 firstId = SDL_GetWindowID(window.GetWindow());

    EXPECT_TRUE(window.ReleaseRenderContext());
    EXPECT_EQ(window.GetRenderContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_TRUE(window.DestroyMainWindow());
    EXPECT_EQ(window.GetWindow(), nullptr);
    EXPECT_TRUE(window.ReleaseRenderContext()) << "releasing twice is harmless";
    EXPECT_TRUE(window.DestroyMainWindow());

    SystemOptions.ScreenRes = 1;
    ASSERT_TRUE(window.CreateMainWindow());
    ASSERT_TRUE(window.CreateRenderContext());
    window.ShowMainWindow();
    ExpectClientSize(window, 800, 600);
    ExpectContextDrawsTheClientArea(window);
    EXPECT_TRUE(messages.empty());

    // A size event of the destroyed window, still queued, changes nothing.
    SDL_Event stale = {};
    stale.type = SDL_WINDOWEVENT;
    stale.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    stale.window.windowID = firstId;
    stale.window.data1 = 640;
    stale.window.data2 = 480;
    window.HandleEvent(stale);
    EXPECT_EQ(window.GetWidth(), 800);
}

TEST_F(OGLWindowOnDisplay, WithoutAWindowTheContextStepReportsItsFailure) {
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    window.ReleaseRenderContext();
    window.DestroyMainWindow();
    EXPECT_FALSE(window.CreateRenderContext());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error: Can't select pixel format");
}

TEST_F(OGLWindowOnDisplay, AnIconOfTheRightSizeIsTakenAndAShortOneRefused) {
    SystemOptions.ScreenRes = 0;
    TestWindow window;
    ASSERT_TRUE(window.Create(kClassName, kTitle, 640, 480));
    std::vector<uint8_t> pixels(32 * 32 * 4, 200);
    EXPECT_TRUE(window.SetIcon(32, 32, pixels));
    pixels.pop_back();
    EXPECT_FALSE(window.SetIcon(32, 32, pixels));
    EXPECT_FALSE(window.SetIcon(0, 32, pixels));
    EXPECT_FALSE(window.SetIcon(-4, -4, pixels));
}

namespace {

// In a child process: opens the window and describes how that went.
std::string OpenWindowAndDescribe() {
    ResetSystemOptions();
    SystemOptions.FullScreen = 0;
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

std::string RunChild(const std::vector<std::pair<std::string, std::string>>& set,
                     const std::vector<std::string>& unset) {
    return RunSelfAsChild("open-window", set, unset);
}

}  // namespace

TEST(OGLWindowRenderer, MesaSoftpipeIsRefusedAsGenericSoftware) {
    std::string outcome =
        RunChild({{"LIBGL_ALWAYS_SOFTWARE", "1"}, {"GALLIUM_DRIVER", "softpipe"}}, {});
    EXPECT_NE(outcome.find("software 1\n"), std::string::npos) << outcome;
    EXPECT_NE(outcome.find("renderer softpipe"), std::string::npos) << outcome;
}

TEST(OGLWindowRenderer, MesaLlvmpipeIsAccepted) {
    std::string outcome =
        RunChild({{"LIBGL_ALWAYS_SOFTWARE", "1"}, {"GALLIUM_DRIVER", "llvmpipe"}}, {});
    EXPECT_NE(outcome.find("created\n"), std::string::npos) << outcome;
    EXPECT_NE(outcome.find("renderer llvmpipe"), std::string::npos) << outcome;
    EXPECT_EQ(outcome.find("software"), std::string::npos) << outcome;
    EXPECT_EQ(outcome.find("message"), std::string::npos) << outcome;
}

TEST(OGLWindowDisplay, WithoutADisplayCreateFailsAndSaysSo) {
    std::string outcome = RunChild({}, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"});
    EXPECT_NE(outcome.find("failed\n"), std::string::npos) << outcome;
    // SDL either finds no driver at all or quietly falls back to its
    // offscreen one; both must end in a message.
    bool said = outcome.find("message Error: No display could be opened") != std::string::npos ||
                outcome.find("message Error: Can't register window class") != std::string::npos;
    EXPECT_TRUE(said) << outcome;
    EXPECT_EQ(outcome.find("renderer"), std::string::npos) << outcome;
}

TEST(OGLWindowDisplay, AHeadlessDriverAskedForIsNotRefused) {
    std::string outcome = RunChild({{"SDL_VIDEODRIVER", "dummy"}}, {"DISPLAY"});
    EXPECT_NE(outcome.find("created\n"), std::string::npos) << outcome;
    EXPECT_NE(outcome.find("driver dummy"), std::string::npos) << outcome;
    EXPECT_EQ(outcome.find("No display could be opened"), std::string::npos) << outcome;
}
