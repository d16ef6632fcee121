#include <gtest/gtest.h>
// After gtest: the X11 headers behind SDL_syswm.h define macros such as None.
#include <SDL_syswm.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/OGLWindow.h"
#include "app/OMessageBox.h"
#include "data/SystemOptions.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

class InputWindow : public OGLWindow {
public:
    std::vector<InputEvent> inputs;
    std::atomic<int> frames{0};

    void Update(int) override { ++frames; }
    bool OnInput(InputEvent& event) override {
        inputs.push_back(event);
        return true;
    }
};

unsigned long X11WindowId(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        return 0;
    }
    return info.info.x11.window;
}

// In a child process on its own X server: opens a 640 x 480 window, lets
// xdotool press inside it, drag out, release outside and type, and writes
// one line per input event received.
std::string DriveInputAndRecord() {
    ResetSystemOptions();
    SystemOptions.ScreenRes = 0;
    std::string lines;
    OMessageBox::SetHandler(
        [&lines](const std::string& caption, const std::string& text, OMessageBox::Icon) {
            lines += "message " + caption + ": " + text + "\n";
        });
    InputWindow window;
    if (!window.Create("3D", "Carrowmoor version 1.1", 640, 480))
        return lines + "no window\n";
    unsigned long id = X11WindowId(window.GetWindow());
    std::thread player([&window, id] {
        while (window.frames < 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::string ids = std::to_string(id);
        std::system(("xdotool windowfocus --sync " + ids +
                     " mousemove 100 100 sleep 0.2 mousedown 1 sleep 0.1 mousemove 300 200 "
                     "sleep 0.1 mousemove 900 700 sleep 0.1 mouseup 1 sleep 0.1 "
                     "key Return sleep 0.1 type a")
                        .c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    });
    window.Run();
    player.join();
    OMessageBox::SetHandler(nullptr);
    for (const InputEvent& e : window.inputs) {
        lines += std::to_string(e.type) + " " + std::to_string(e.button) + " " +
                 std::to_string(e.key) + " " + std::to_string(e.x) + " " + std::to_string(e.y) +
                 " " + std::to_string(e.dx) + " " + std::to_string(e.dy) + "\n";
    }
    return lines;
}

const bool kRanAsChild = [] {
    const char* resultFile = ChildResultFileFor("drive-input");
    if (resultFile == nullptr)
        return false;
    TempDir::Write(resultFile, DriveInputAndRecord());
    std::fflush(nullptr);
    _exit(0);
}();

std::vector<InputEvent> ParseEvents(const std::string& text) {
    std::vector<InputEvent> events;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int type, button, key, x, y, dx, dy;
        if (!(fields >> type >> button >> key >> x >> y >> dx >> dy))
            continue;
        InputEvent event;
        event.type = type;
        event.button = button;
        event.key = static_cast<uint16_t>(key);
        event.x = static_cast<int16_t>(x);
        event.y = static_cast<int16_t>(y);
        event.dx = static_cast<int16_t>(dx);
        event.dy = static_cast<int16_t>(dy);
        events.push_back(event);
    }
    return events;
}

std::vector<InputEvent> OfType(const std::vector<InputEvent>& events, int type) {
    std::vector<InputEvent> chosen;
    for (const InputEvent& e : events) {
        if (e.type == type)
            chosen.push_back(e);
    }
    return chosen;
}

}  // namespace

TEST(OGLWindowInput, RealMouseAndKeyboardInputArriveAsInputEvents) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no xdotool";
    PrivateXvfb server;
    ASSERT_FALSE(server.Display().empty()) << "Xvfb could not be started";
    std::string record = RunSelfAsChild("drive-input", {{"DISPLAY", server.Display()}});
    EXPECT_EQ(record.find("message"), std::string::npos) << record;
    std::vector<InputEvent> events = ParseEvents(record);

    std::vector<InputEvent> downs = OfType(events, EventMouseDown);
    ASSERT_EQ(downs.size(), 1u) << record;
    EXPECT_EQ(downs[0].button, MouseButtonLeft);
    EXPECT_EQ(downs[0].x, 100);
    EXPECT_EQ(downs[0].y, 100);

    // The mouse is captured on the press: moves and the release outside
    // the window still arrive.
    std::vector<InputEvent> ups = OfType(events, EventMouseUp);
    ASSERT_EQ(ups.size(), 1u) << record;
    EXPECT_EQ(ups[0].x, 900);
    EXPECT_EQ(ups[0].y, 700);
    std::vector<InputEvent> moves = OfType(events, EventMouseMove);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().x, 900);
    EXPECT_EQ(moves.back().y, 700);
    int sumDx = 0;
    int sumDy = 0;
    for (const InputEvent& m : moves) {
        sumDx += m.dx;
        sumDy += m.dy;
    }
    EXPECT_EQ(sumDx, 900) << "moves add up from the start position 0, 0";
    EXPECT_EQ(sumDy, 700);

    std::vector<InputEvent> keys = OfType(events, EventKeyDown);
    ASSERT_GE(keys.size(), 2u) << record;
    EXPECT_EQ(keys[0].key, 13);
    EXPECT_EQ(keys[0].x, 900) << "keys carry the last pointer position";
    EXPECT_EQ(keys[1].key, 'A');
    std::vector<InputEvent> chars = OfType(events, EventChar);
    ASSERT_EQ(chars.size(), 2u) << record;
    EXPECT_EQ(chars[0].key, 13);
    EXPECT_EQ(chars[1].key, 'a');
}
