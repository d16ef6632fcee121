#pragma once

// Keeps the message loop from spinning when the buffer swap does not wait
// for the display: frames are due every 1/60 s and the loop sleeps on the
// event queue until the next one is due. It also notices a swap that claims
// to wait for the display but returns at once.
class FramePacer {
public:
    static constexpr double kFramePeriodMs = 1000.0 / 60.0;
    // Swaps arriving faster than this, over kSwapSampleFrames frames, show
    // that the swap is not paced by the display.
    static constexpr double kFastestPacedSwapMs = 2.0;
    static constexpr int kSwapSampleFrames = 100;

    // The first frame is due at once.
    void Start(double nowMs);
    // Whole milliseconds to wait before the next frame is due; 0 when due.
    int MillisecondsUntilDue(double nowMs) const;
    // Schedules the frame after one that ran at `nowMs`; after a stall the
    // schedule restarts from now instead of running frames back to back.
    void FrameRan(double nowMs);

    // Records a buffer swap; returns false once the swaps show that they do
    // not wait for the display.
    bool NoteSwap(double nowMs);

private:
    double nextDue = 0.0;
    double sampleStart = 0.0;
    int sampleFrames = 0;
};
