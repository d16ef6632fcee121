#include "app/OGLWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// A window that never opens: it records what the loop and the event
// handling call on it. Only SDL's event queue is needed, no display.
class RecordingWindow : public OGLWindow {
public:
    std::vector<std::string> log;
    std::vector<InputEvent> inputs;
    std::vector<int> frameTimes;
    int resizes = 0;
    int quits = 0;
    std::function<void(RecordingWindow&, size_t frame)> onFrame;

    void Update(int ms) override {
        frameTimes.push_back(ms);
        log.push_back("frame");
        if (onFrame)
            onFrame(*this, frameTimes.size());
    }
    void OnResize() override {
        ++resizes;
        log.push_back("resize " + std::to_string(width) + "x" + std::to_string(height));
    }
    void OnQuit() override {
        ++quits;
        log.push_back("quit");
    }
    bool OnInput(InputEvent& event) override {
        inputs.push_back(event);
        return true;
    }
    void OnUserEvent(const SDL_UserEvent& event) override {
        log.push_back("user " + std::to_string(event.code));
    }

    void SetSize(uint16_t w, uint16_t h) {
        width = w;
        height = h;
    }
};

SDL_Event WindowEvent(Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

SDL_Event UserEvent(int code) {
    SDL_Event event = {};
    event.type = SDL_USEREVENT;
    event.user.code = code;
    return event;
}

void Push(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

class OGLWindowEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
        SDL_Quit();
    }
};

}  // namespace

TEST_F(OGLWindowEvents, InputReachesOnInputInTheOrderWindowsWouldSendIt) {
    RecordingWindow window;
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_RETURN;
    window.HandleEvent(key);
    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    click.button.x = 12;
    click.button.y = 34;
    window.HandleEvent(click);

    ASSERT_EQ(window.inputs.size(), 3u);
    EXPECT_EQ(window.inputs[0].type, EventKeyDown);
    EXPECT_EQ(window.inputs[0].key, 13);
    EXPECT_EQ(window.inputs[1].type, EventChar);
    EXPECT_EQ(window.inputs[1].key, 13);
    EXPECT_EQ(window.inputs[2].type, EventMouseDown);
    EXPECT_EQ(window.inputs[2].button, MouseButtonRight);
    EXPECT_EQ(window.inputs[2].x, 12);
    EXPECT_EQ(window.inputs[2].y, 34);
    EXPECT_TRUE(window.log.empty()) << "input is not a size or state change";
}

TEST_F(OGLWindowEvents, MinimizeRestoreMaximizeAndSizeChanges) {
    RecordingWindow window;
    window.SetSize(800, 600);

    window.HandleEvent(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
    EXPECT_FALSE(window.IsActive());
    EXPECT_EQ(window.resizes, 0) << "minimizing does not resize";

    window.HandleEvent(WindowEvent(SDL_WINDOWEVENT_RESTORED));
    EXPECT_TRUE(window.IsActive());
    EXPECT_EQ(window.resizes, 1);
    EXPECT_FALSE(window.IsMaximizeRequested());

    window.HandleEvent(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
    window.HandleEvent(WindowEvent(SDL_WINDOWEVENT_MAXIMIZED));
    EXPECT_TRUE(window.IsActive());
    EXPECT_TRUE(window.IsMaximizeRequested());
    EXPECT_EQ(window.resizes, 2);

    window.HandleEvent(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1024, 768));
    EXPECT_EQ(window.GetWidth(), 1024);
    EXPECT_EQ(window.GetHeight(), 768);
    EXPECT_EQ(window.log.back(), "resize 1024x768") << "the size is stored before OnResize";

    window.ClearMaximizeRequest();
    EXPECT_FALSE(window.IsMaximizeRequested());
}

TEST_F(OGLWindowEvents, UserEventsGoToOnUserEvent) {
    RecordingWindow window;
    window.HandleEvent(UserEvent(42));
    ASSERT_EQ(window.log.size(), 1u);
    EXPECT_EQ(window.log[0], "user 42");
    EXPECT_TRUE(window.inputs.empty());
}

TEST_F(OGLWindowEvents, TheCloseBoxEndsRunWithExitCodeZero) {
    RecordingWindow window;
    Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(window.Run(), 0);
    EXPECT_EQ(window.quits, 1);
    EXPECT_EQ(window.log.back(), "quit");
}

TEST_F(OGLWindowEvents, RunReturnsTheCodeOfTheQuitRequestAndAPlainQuitMeansZero) {
    RecordingWindow window;
    window.PostQuit(3);
    EXPECT_EQ(window.Run(), 3);
    Push([] {
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        return quit;
    }());
    EXPECT_EQ(window.Run(), 0) << "a quit from outside (a signal) carries no old code";
    EXPECT_EQ(window.quits, 2);
}

TEST_F(OGLWindowEvents, FramesGetClampedTimesAndEventsComeBeforeFrames) {
    RecordingWindow window;
    window.onFrame = [](RecordingWindow& self, size_t frame) {
        if (frame == 3) {
            Push(UserEvent(7));
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        if (frame == 6)
            self.PostQuit(0);
    };
    EXPECT_EQ(window.Run(), 0);
    ASSERT_EQ(window.frameTimes.size(), 6u);
    for (int ms : window.frameTimes) {
        EXPECT_GE(ms, 1);
        EXPECT_LE(ms, 100);
    }
    EXPECT_EQ(window.frameTimes[3], 50) << "the frame after a 150 ms stall gets 50 ms";
    // The event pushed during frame 3 is handled before frame 4 runs.
    std::vector<std::string> expected = {"frame", "frame", "frame", "user 7",
                                         "frame", "frame", "frame", "quit"};
    EXPECT_EQ(window.log, expected);
}

TEST_F(OGLWindowEvents, NoFramesRunWhileMinimized) {
    RecordingWindow window;
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Push(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
        Push(UserEvent(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Push(UserEvent(2));
        Push(WindowEvent(SDL_WINDOWEVENT_RESTORED));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    });
    int code = window.Run();
    player.join();
    EXPECT_EQ(code, 0);

    auto minimized = std::find(window.log.begin(), window.log.end(), "user 1");
    auto restored = std::find(window.log.begin(), window.log.end(), "user 2");
    ASSERT_NE(minimized, window.log.end());
    ASSERT_NE(restored, window.log.end());
    EXPECT_EQ(std::count(minimized, restored, "frame"), 0) << "no frame while minimized";
    EXPECT_GT(std::count(restored, window.log.end(), "frame"), 0) << "frames resume";
    size_t framesBefore = static_cast<size_t>(std::count(window.log.begin(), minimized, "frame"));
    ASSERT_LT(framesBefore, window.frameTimes.size());
    EXPECT_LE(window.frameTimes[framesBefore], 50)
        << "the first frame after restoring does not make up for the pause";
}
