#include "app/FrameClock.h"

#include <gtest/gtest.h>

#include "app/FramePacer.h"

TEST(FrameClock, EachTickMeasuresFromThePreviousOneAtLeastOneAndFiftyAfterLongGaps) {
    // Elapsed times of 0 and below are the clock's cases further down.
    for (const auto& [elapsed, frame] :
         {std::pair<int64_t, int>{2, 2}, {100, 100}, {101, 50}, {int64_t{1} << 40, 50}}) {
        EXPECT_EQ(FrameClock::ClampFrameTime(elapsed), frame) << "elapsed " << elapsed;
    }
    FrameClock clock;
    clock.Start(1000);
    // A frame in the same millisecond still moves the game; after a stall
    // the next frame is measured from the stalled one; a clock that went
    // back gives 1.
    for (const auto& [now, frame] :
         {std::pair{1000, 1}, {1017, 17}, {1300, 50}, {1316, 16}, {1200, 1}, {1210, 10}}) {
        EXPECT_EQ(clock.Tick(now), frame) << "at " << now;
    }
}

TEST(FramePacer, FramesAreDueEverySixtiethOfASecondAndRestartAfterAStall) {
    FramePacer pacer;
    pacer.Start(1000.0);
    EXPECT_EQ(pacer.MillisecondsUntilDue(1000.0), 0) << "the first frame runs at once";
    pacer.FrameRan(1000.5);
    EXPECT_EQ(pacer.MillisecondsUntilDue(1000.5), 17) << "16.2 ms rounded up, never early";
    EXPECT_EQ(pacer.MillisecondsUntilDue(1016.0), 1);
    EXPECT_EQ(pacer.MillisecondsUntilDue(1016.7), 0);
    // On schedule, sixty frames take one second without drifting.
    double now = 1016.7;
    for (int i = 0; i < 60; ++i) {
        pacer.FrameRan(now);
        now += pacer.MillisecondsUntilDue(now);
    }
    EXPECT_NEAR(now, 2016.7, 1.0);
    pacer.FrameRan(now + 500.0);  // this frame took half a second
    EXPECT_EQ(pacer.MillisecondsUntilDue(now + 500.0), 17) << "no catching up";
}

TEST(FramePacer, NoticesSwapsThatDoNotWaitForTheDisplay) {
    FramePacer waiting;
    waiting.Start(0.0);
    for (int i = 0; i < 500; ++i) {
        EXPECT_TRUE(waiting.NoteSwap(i * 16.6)) << "swap " << i;
    }
    FramePacer spinning;
    spinning.Start(0.0);
    int swaps = 0;
    while (spinning.NoteSwap(swaps * 0.4) && swaps < 1000)
        ++swaps;
    EXPECT_EQ(swaps, FramePacer::kSwapSampleFrames);
}
