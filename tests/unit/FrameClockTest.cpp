#include "app/FrameClock.h"

#include <gtest/gtest.h>

#include "app/FramePacer.h"

TEST(FrameClock, FrameTimeIsAtLeastOneAndFiftyAfterLongGaps) {
    struct Case {
        int64_t elapsed;
        int frame;
    };
    for (const Case& c : {Case{-5000, 1}, Case{-1, 1}, Case{0, 1}, Case{1, 1}, Case{2, 2},
                          Case{16, 16}, Case{99, 99}, Case{100, 100}, Case{101, 50}, Case{5000, 50},
                          Case{int64_t{1} << 40, 50}}) {
        EXPECT_EQ(FrameClock::ClampFrameTime(c.elapsed), c.frame) << "elapsed " << c.elapsed;
    }
}

TEST(FrameClock, EachTickMeasuresFromThePreviousOne) {
    FrameClock clock;
    clock.Start(1000);
    EXPECT_EQ(clock.Tick(1000), 1) << "a frame in the same millisecond still moves the game";
    EXPECT_EQ(clock.Tick(1017), 17);
    EXPECT_EQ(clock.Tick(1300), 50) << "a stall";
    EXPECT_EQ(clock.Tick(1316), 16) << "measured from the stalled frame, not from before it";
    EXPECT_EQ(clock.Tick(1200), 1) << "a clock that went back";
    EXPECT_EQ(clock.Tick(1210), 10);
}

TEST(FramePacer, FramesAreDueEverySixtiethOfASecond) {
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
}

TEST(FramePacer, AfterAStallTheScheduleRestartsInsteadOfCatchingUp) {
    FramePacer pacer;
    pacer.Start(0.0);
    pacer.FrameRan(0.0);
    pacer.FrameRan(500.0);  // this frame took half a second
    EXPECT_EQ(pacer.MillisecondsUntilDue(500.0), 17);
}

TEST(FramePacer, NoticesSwapsThatDoNotWaitForTheDisplay) {
    FramePacer waiting;
    waiting.Start(0.0);
    double now = 0.0;
    for (int i = 0; i < 500; ++i, now += 16.6) {
        EXPECT_TRUE(waiting.NoteSwap(now)) << "swap " << i;
    }

    FramePacer spinning;
    spinning.Start(0.0);
    bool paced = true;
    int swaps = 0;
    for (now = 0.0; paced && swaps < 1000; ++swaps, now += 0.4)
        paced = spinning.NoteSwap(now);
    EXPECT_FALSE(paced);
    EXPECT_LE(swaps, FramePacer::kSwapSampleFrames + 1);
}
