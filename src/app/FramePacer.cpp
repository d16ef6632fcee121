#include "app/FramePacer.h"

#include <cmath>

void FramePacer::Start(double nowMs) {
    nextDue = nowMs;
    sampleStart = nowMs;
    sampleFrames = 0;
}

int FramePacer::MillisecondsUntilDue(double nowMs) const {
    double wait = nextDue - nowMs;
    if (wait <= 0.0)
        return 0;
    return static_cast<int>(std::ceil(wait));
}

void FramePacer::FrameRan(double nowMs) {
    nextDue += kFramePeriodMs;
    if (nextDue <= nowMs)
        nextDue = nowMs + kFramePeriodMs;
}

bool FramePacer::NoteSwap(double nowMs) {
    if (sampleFrames == 0)
        sampleStart = nowMs;
    if (++sampleFrames <= kSwapSampleFrames)
        return true;
    bool paced = nowMs - sampleStart >= kFastestPacedSwapMs * kSwapSampleFrames;
    sampleFrames = 0;
    return paced;
}
