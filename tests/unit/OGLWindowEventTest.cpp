#include "app/OGLWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Input(int type, int key, int button, int x) {
    return "input " + std::to_string(type) + " " + std::to_string(key) + " " +
           std::to_string(button) + " " + std::to_string(x);
}

// A window that never opens: it records what the loop and the event
// handling call on it. Only SDL's event queue is needed, no display.
class RecordingWindow : public OGLWindow {
public:
    std::vector<std::string> log;
    std::vector<int> frameTimes;
    std::function<void(RecordingWindow&, size_t frame)> onFrame;

    void Update(int ms) override {
        frameTimes.push_back(ms);
        log.push_back("frame");
        if (onFrame)
            onFrame(*this, frameTimes.size());
    }
    void OnResize() override {
        log.push_back("resize " + std::to_string(width) + "x" + std::to_string(height) +
                      (IsActive() ? " active" : "") + (IsMaximizeRequested() ? " maximized" : ""));
    }
    void OnExposed() override { log.push_back("exposed"); }
    void OnFocusLost() override { log.push_back(IsActive() ? "focus lost" : "minimized"); }
    void OnQuit() override { log.push_back("quit"); }
    bool OnInput(InputEvent& e) override {
        log.push_back(Input(e.type, e.key, e.button, e.x));
        return true;
    }
    void OnUserEvent(const SDL_UserEvent& event) override {
        log.push_back("user " + std::to_string(event.code));
    }
};

SDL_Event Event(Uint32 type, int code = 0, int data1 = 0, int data2 = 0) {
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_WINDOWEVENT) {
        event.window.event = static_cast<Uint8>(code);
        event.window.data1 = data1;
        event.window.data2 = data2;
    } else {
        event.user.code = code;
    }
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
    RecordingWindow window;
};

}  // namespace

TEST_F(OGLWindowEvents, InputUserAndWindowEventsReachTheirHandlersInOrder) {
    SDL_Event key = {}, click = {};
    key.key = {SDL_KEYDOWN, 0, 0, 0, 0, 0, 0, {SDL_SCANCODE_UNKNOWN, SDLK_RETURN, 0, 0}};
    click.button = {SDL_MOUSEBUTTONDOWN, 0, 0, 0, SDL_BUTTON_RIGHT, 0, 1, 0, 12, 0};
    // Minimizing makes the window inactive and does not resize; restoring and
    // maximizing do, with the size stored before OnResize.
    for (const SDL_Event& event :
         {key, click, Event(SDL_USEREVENT, 42), Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED),
          Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESTORED),
          Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED),
          Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MAXIMIZED),
          Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_SIZE_CHANGED, 1024, 768),
          Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST),
          Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED)}) {
        window.HandleEvent(event);
    }
    EXPECT_EQ(window.log,
              (std::vector<std::string>{
                  Input(EventKeyDown, 13, 0, 0), Input(EventChar, 13, 0, 0),
                  Input(EventMouseDown, 0, MouseButtonRight, 12), "user 42", "minimized",
                  "resize 0x0 active", "minimized", "resize 0x0 active maximized",
                  "resize 1024x768 active maximized", "focus lost", "exposed"}));
    EXPECT_EQ(window.GetWidth(), 1024);
    window.ClearMaximizeRequest();
    EXPECT_FALSE(window.IsMaximizeRequested());
}

// How long a frame may be is FrameClockTest's; here the loop's order and
// its result. A quit from outside (a signal) carries no old code; the close
// box is NoFramesRunWhileMinimized's.
TEST_F(OGLWindowEvents, EventsPostedDuringAFrameAreHandledBeforeTheNextAndRunReturnsTheQuitCode) {
    window.onFrame = [](RecordingWindow& self, size_t frame) {
        if (frame == 3)
            Push(Event(SDL_USEREVENT, 7));
        if (frame == 6)
            self.PostQuit(3);
    };
    EXPECT_EQ(window.Run(), 3);
    EXPECT_EQ(*std::min_element(window.frameTimes.begin(), window.frameTimes.end()), 1);
    EXPECT_EQ(window.log, (std::vector<std::string>{"frame", "frame", "frame", "user 7", "frame",
                                                    "frame", "frame", "quit"}));
    window.onFrame = nullptr;
    Push(Event(SDL_QUIT));
    EXPECT_EQ(window.Run(), 0);
}

TEST_F(OGLWindowEvents, NoFramesRunWhileMinimized) {
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Push(Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED));
        Push(Event(SDL_USEREVENT, 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Push(Event(SDL_USEREVENT, 2));
        Push(Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESTORED));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Push(Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE));
    });
    EXPECT_EQ(window.Run(), 0);
    player.join();
    const auto minimized = std::find(window.log.begin(), window.log.end(), "user 1"),
               restored = std::find(minimized, window.log.end(), "user 2");
    ASSERT_NE(restored, window.log.end());
    EXPECT_EQ(std::count(minimized, restored, "frame"), 0) << "no frame while minimized";
    EXPECT_GT(std::count(restored, window.log.end(), "frame"), 0) << "frames resume";
}
