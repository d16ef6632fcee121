#include "app/FrameClock.h"

int FrameClock::ClampFrameTime(int64_t elapsedMs) {
    if (elapsedMs < kShortestFrameMs)
        return kShortestFrameMs;
    if (elapsedMs > kLongestGapMs)
        return kFrameAfterGapMs;
    return static_cast<int>(elapsedMs);
}

int FrameClock::Tick(uint64_t nowMs) {
    // A clock that went backwards gives a negative gap, clamped to 1.
    int64_t elapsed = static_cast<int64_t>(nowMs) - static_cast<int64_t>(last);
    last = nowMs;
    return ClampFrameTime(elapsed);
}
