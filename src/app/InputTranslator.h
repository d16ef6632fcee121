#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "app/InputEvent.h"

// Turns SDL events into the game's InputEvent records. It keeps the last
// known pointer position (shared by every event kind, starting at 0, 0) and
// the mouse buttons and modifier keys it has seen go down, and touches no
// window: what to do with the mouse capture comes back as a request.
class InputTranslator {
public:
    enum class Capture { Keep, Take, Release };

    struct Result {
        std::vector<InputEvent> events;
        Capture capture = Capture::Keep;
    };

    // Events in the order the screens receive them; empty for SDL events that
    // carry no game input (wheel, extra buttons, system keys, window events).
    Result Translate(const SDL_Event& event);

    // The Windows virtual-key code the game uses for an SDL key, 0 for keys
    // the game knows nothing of.
    static uint16_t VirtualKey(SDL_Keycode key);

    int16_t LastX() const { return lastX; }
    int16_t LastY() const { return lastY; }

private:
    void TranslateButton(const SDL_MouseButtonEvent& button, bool down, Result& result);
    void TranslateMotion(const SDL_MouseMotionEvent& motion, Result& result);
    void TranslateKey(const SDL_KeyboardEvent& key, bool down, Result& result);
    void TranslateText(const SDL_TextInputEvent& text, Result& result);
    uint16_t ButtonState() const;
    InputEvent KeyboardEvent(int32_t type, uint16_t key) const;

    int16_t lastX = 0;
    int16_t lastY = 0;
    uint16_t buttonsDown = 0;  // ButtonState* mouse bits
    uint16_t modifiers = 0;    // ButtonStateShift / ButtonStateControl
};
