#include <gtest/gtest.h>
// After gtest: the X11 headers behind SDL_syswm.h define macros such as None.
#include <SDL_syswm.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/OGLWindow.h"
#include "app/OMessageBox.h"
#include "data/SystemOptions.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

// Writes one line per press, release, key and character it gets, with the
// button or key and the position; moves are summed up.
class InputWindow : public OGLWindow {
public:
    std::string lines;
    std::atomic<int> frames{0};
    int moveX = 0, moveY = 0, sumDx = 0, sumDy = 0;

    void Update(int) override { ++frames; }
    bool OnInput(InputEvent& e) override {
        if (e.type == EventMouseMove) {
            moveX = e.x;
            moveY = e.y;
            sumDx += e.dx;
            sumDy += e.dy;
            return true;
        }
        if (e.type == EventKeyUp)
            return true;
        const char* kind = e.type == EventMouseDown ? "down"
                           : e.type == EventMouseUp ? "up"
                           : e.type == EventKeyDown ? "key"
                                                    : "char";
        const int what = e.type == EventMouseDown || e.type == EventMouseUp ? e.button : e.key;
        lines += std::string(kind) + " " + std::to_string(what) + " at " + std::to_string(e.x) +
                 "," + std::to_string(e.y) + "\n";
        return true;
    }
};

// In a child process on its own X server: opens a 640 x 480 window, lets
// xdotool press inside it, drag out, release outside and type, and writes
// what arrived.
std::string DriveInputAndRecord() {
    ResetSystemOptions();
    SystemOptions.ScreenRes = 0;
    std::string messages;
    OMessageBox::SetHandler(
        [&messages](const std::string& caption, const std::string& text, OMessageBox::Icon) {
            messages += "message " + caption + ": " + text + "\n";
        });
    InputWindow window;
    if (!window.Create("3D", "Carrowmoor version 1.1", 640, 480))
        return messages + "no window\n";
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_GetWindowWMInfo(window.GetWindow(), &info);
    const std::string id = std::to_string(info.info.x11.window);
    std::thread player([&window, id] {
        while (window.frames < 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::system(("xdotool windowfocus --sync " + id +
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
    return messages + window.lines + "last move " + std::to_string(window.moveX) + "," +
           std::to_string(window.moveY) + " summed " + std::to_string(window.sumDx) + "," +
           std::to_string(window.sumDy) + "\n";
}

const bool kRanAsChild = [] {
    const char* resultFile = ChildResultFileFor("drive-input");
    if (resultFile == nullptr)
        return false;
    TempDir::Write(resultFile, DriveInputAndRecord());
    std::fflush(nullptr);
    _exit(0);
}();

}  // namespace

// The mouse is captured on the press: moves and the release outside the
// window still arrive, the moves add up from the start position 0, 0, and
// keys carry the last pointer position; Return comes as a key and a
// character, a letter as its key and its typed character.
TEST(OGLWindowInput, RealMouseAndKeyboardInputArriveAsInputEvents) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no xdotool";
    PrivateXvfb server;
    ASSERT_FALSE(server.Display().empty()) << "Xvfb could not be started";
    const std::string record = RunSelfAsChild("drive-input", {{"DISPLAY", server.Display()}});
    EXPECT_EQ(record,
              "down 0 at 100,100\n"
              "up 0 at 900,700\n"
              "key 13 at 900,700\nchar 13 at 900,700\n"
              "key 65 at 900,700\nchar 97 at 900,700\n"
              "last move 900,700 summed 900,700\n");
}
