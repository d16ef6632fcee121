#pragma once

#include <functional>

#include "app/DisplayModeTable.h"
#include "app/VideoMode.h"

// Decides the window's size and whether it plays full screen, from the
// display options, the desktop size and the modes the display accepts. The
// full-screen switch itself is the caller's: it answers whether a requested
// mode can be set.
class DisplayModePlanner {
public:
    // The display options and window fields the decision reads and writes.
    struct State {
        bool fullScreenOption = false;  // the persisted FullScreen option
        bool fullScreen = false;        // the window's own copy of it
        int screenRes = 0;              // index into the mode table
        int width = 0;                  // client size in pixels
        int height = 0;
    };

    using ModeSwitch = std::function<bool(const VideoMode& request)>;

    DisplayModePlanner(const DisplayModeTable& table, int desktopWidth, int desktopHeight,
                       int colorDepth, ModeSwitch trySwitch);

    // Sets up the mode at state.screenRes. A window at least as large as the
    // desktop becomes full-screen play. Full screen tries the size's refresh
    // rates from the last listed to the first; false when none is accepted
    // (width and height are then left as they were).
    bool SetDisplayMode(State& state) const;

    // SetDisplayMode, falling back to mode 0 once when it fails.
    void Choose(State& state) const;

private:
    const DisplayModeTable& table;
    int desktopWidth;
    int desktopHeight;
    int colorDepth;
    ModeSwitch trySwitch;
};
