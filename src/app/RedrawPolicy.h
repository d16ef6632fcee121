#pragma once

// Decides whether a frame has to be drawn. A screen that stands still is
// drawn once and then left on the display until something changes, so an
// idle menu costs next to nothing; a slow refresh covers whatever change
// escaped notice.
class RedrawPolicy {
public:
    // Longest time a still screen goes without being drawn again. Input,
    // exposure, focus, size and screen changes all ask for a frame, so this
    // is only a safety net; a frame costs llvmpipe several milliseconds, and
    // twice a second made up most of an idle menu's processor time.
    static constexpr int kRefreshMs = 5000;

    // Something outside the screen changed what is shown: input, a screen
    // switch, a new window size, the window uncovered.
    void Invalidate() { stale = true; }
    void Elapse(int ms);
    // `animating`: the screen's look changes with time alone.
    bool NeedsFrame(bool animating) const;
    void FrameDrawn(bool animating);

private:
    bool stale = true;
    // The last frame showed an animation, so its end still has to be drawn.
    bool animatedLastFrame = false;
    int sinceDrawnMs = 0;
};
