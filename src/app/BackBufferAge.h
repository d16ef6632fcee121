#pragma once

#include <cstdint>

struct SDL_Window;

// What the window's back buffer holds before a frame is drawn: the frame
// shown `age` presents ago (1: the last one), or 0 when that is not known and
// the whole frame has to be drawn. Asked of GLX; on any other platform the
// age is always 0. Where GLX tells no age but can copy the back buffer to
// the window (Mesa's software renderer), frames are shown by that copy, which
// leaves the back buffer as it was: its age is then 1. Also counts the
// presents, so that a screen can tell whether anything else was drawn and
// shown between two of its frames.
class BackBufferAge {
public:
    // The age of the current drawable's back buffer.
    static int Query();
    // Shows the back buffer in the window: a swap, or the copy.
    static void Present(SDL_Window* window);
    static uint64_t Swaps() { return swaps; }

private:
    static inline uint64_t swaps = 0;
    // The drawable whose back buffer the last present left as it was.
    static inline unsigned long keptDrawable = 0;
    // The drawable's size at the last present.
    static inline unsigned long sizedDrawable = 0;
    static inline unsigned int sizedWidth = 0;
    static inline unsigned int sizedHeight = 0;
};
