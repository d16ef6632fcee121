#pragma once

#include <cstdint>

// Kinds of input the window hands to the screens. 5 is never produced;
// consumers treat 4..7 as mouse events and 1..3 as keyboard events.
enum InputEventType : int32_t {
    EventNone = 0,
    EventChar = 1,
    EventKeyDown = 2,
    EventKeyUp = 3,
    EventMouseMove = 4,
    EventMouseDown = 6,
    EventMouseUp = 7,
};

// Mouse buttons as numbered in `button`.
enum InputMouseButton : int32_t {
    MouseButtonLeft = 0,
    MouseButtonMiddle = 1,
    MouseButtonRight = 2,
};

// Bits of `buttonState`: which buttons and modifier keys are down after the
// event (the Windows key-state word the screens were written against).
enum InputButtonStateBits : uint16_t {
    ButtonStateLeft = 0x0001,
    ButtonStateRight = 0x0002,
    ButtonStateShift = 0x0004,
    ButtonStateControl = 0x0008,
    ButtonStateMiddle = 0x0010,
    // A key-down that the keyboard's auto-repeat sent for a key held down.
    ButtonStateRepeat = 0x0020,
};

// One keyboard or mouse event in window pixels, origin top left. Fields that
// an event kind does not use are zero.
struct InputEvent {
    int32_t type = EventNone;
    int32_t button = 0;        // EventMouseDown / EventMouseUp
    uint16_t buttonState = 0;  // buttons and modifiers down (mouse and key events)
    uint16_t key = 0;          // virtual-key code, or the character for EventChar
    int16_t x = 0;
    int16_t y = 0;
    int16_t dx = 0;  // EventMouseMove: movement since the last known position
    int16_t dy = 0;

    bool IsKeyboard() const { return type >= EventChar && type <= EventKeyUp; }
    bool IsMouse() const { return type >= EventMouseMove && type <= EventMouseUp; }
};
