#pragma once

// Notices that SDL fell back to a video driver that shows nothing. When the
// X server drops the connection at start, SDL quietly takes its offscreen or
// dummy driver; the game would then run invisibly instead of saying that no
// display could be opened.
class DisplayDriverCheck {
public:
    // True when `currentDriver` is "offscreen" or "dummy" and `requestedDrivers`
    // (the SDL_VIDEODRIVER setting, a comma-separated list, or null) does not
    // name it.
    static bool IsUnrequestedHeadless(const char* currentDriver, const char* requestedDrivers);
};
