#include "app/RedrawPolicy.h"

void RedrawPolicy::Elapse(int ms) {
    if (ms > 0 && sinceDrawnMs < kRefreshMs)
        sinceDrawnMs += ms;
}

bool RedrawPolicy::NeedsFrame(bool animating) const {
    return stale || animating || animatedLastFrame || sinceDrawnMs >= kRefreshMs;
}

void RedrawPolicy::FrameDrawn(bool animating) {
    stale = false;
    animatedLastFrame = animating;
    sinceDrawnMs = 0;
}
