#pragma once

#include <cstdint>

// What the window's back buffer holds before a frame is drawn: the frame
// shown `age` swaps ago (1: the last one), or 0 when that is not known and
// the whole frame has to be drawn. Asked of GLX; on any other platform the
// age is always 0. Also counts the window's swaps, so that a screen can tell
// whether anything else was drawn and shown between two of its frames.
class BackBufferAge {
public:
    // The age of the current drawable's back buffer.
    static int Query();
    // Every swap of the window's buffers calls this.
    static void NoteSwap() { ++swaps; }
    static uint64_t Swaps() { return swaps; }

private:
    static inline uint64_t swaps = 0;
};
