#pragma once

#include <cstdint>

// The frame clock of the message loop: the time handed to a frame is the
// milliseconds since the previous frame, at least 1, and 50 after any gap
// longer than 100 ms (a stall, a drag of the window, a minimized spell), so
// the game never jumps far ahead in one step.
class FrameClock {
public:
    static constexpr int kShortestFrameMs = 1;
    static constexpr int kLongestGapMs = 100;
    static constexpr int kFrameAfterGapMs = 50;

    static int ClampFrameTime(int64_t elapsedMs);

    void Start(uint64_t nowMs) { last = nowMs; }
    // Frame time for a frame at `nowMs`; the next frame is measured from here.
    int Tick(uint64_t nowMs);

private:
    uint64_t last = 0;
};
