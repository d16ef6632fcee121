#include "app/InputTranslator.h"

#include <algorithm>

namespace {

int16_t ClampToShort(int value) {
    return static_cast<int16_t>(std::clamp(value, -32768, 32767));
}

// Mouse button number (0 left, 1 middle, 2 right) and its key-state bit;
// false for buttons the game does not use.
bool GameButton(uint8_t sdlButton, int32_t& button, uint16_t& bit) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            button = MouseButtonLeft;
            bit = ButtonStateLeft;
            return true;
        case SDL_BUTTON_MIDDLE:
            button = MouseButtonMiddle;
            bit = ButtonStateMiddle;
            return true;
        case SDL_BUTTON_RIGHT:
            button = MouseButtonRight;
            bit = ButtonStateRight;
            return true;
        default:
            return false;
    }
}

uint16_t ButtonsFromMask(uint32_t mask) {
    uint16_t bits = 0;
    if (mask & SDL_BUTTON_LMASK)
        bits |= ButtonStateLeft;
    if (mask & SDL_BUTTON_MMASK)
        bits |= ButtonStateMiddle;
    if (mask & SDL_BUTTON_RMASK)
        bits |= ButtonStateRight;
    return bits;
}

uint16_t ModifiersFromSdl(uint16_t mod) {
    uint16_t bits = 0;
    if (mod & KMOD_SHIFT)
        bits |= ButtonStateShift;
    if (mod & KMOD_CTRL)
        bits |= ButtonStateControl;
    return bits;
}

// Keys that Windows reports as system keys (Alt, Alt combinations without
// Ctrl, F10); the game never saw those.
bool IsSystemKey(const SDL_Keysym& keysym) {
    if (keysym.sym == SDLK_LALT || keysym.sym == SDLK_RALT || keysym.sym == SDLK_F10) {
        return true;
    }
    return (keysym.mod & KMOD_ALT) != 0 && (keysym.mod & KMOD_CTRL) == 0;
}

// Control characters that Windows also delivers as characters after the key.
bool IsControlCharacter(uint16_t virtualKey) {
    return virtualKey == 8 || virtualKey == 9 || virtualKey == 13 || virtualKey == 27;
}

}  // namespace

uint16_t InputTranslator::VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<uint16_t>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<uint16_t>(key);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return static_cast<uint16_t>(112 + (key - SDLK_F1));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return static_cast<uint16_t>(97 + (key - SDLK_KP_1));
    switch (key) {
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return 16;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return 17;
        case SDLK_PAUSE:
            return 19;
        case SDLK_CAPSLOCK:
            return 20;
        case SDLK_ESCAPE:
            return 27;
        case SDLK_SPACE:
            return 32;
        case SDLK_PAGEUP:
            return 33;
        case SDLK_PAGEDOWN:
            return 34;
        case SDLK_END:
            return 35;
        case SDLK_HOME:
            return 36;
        case SDLK_LEFT:
            return 37;
        case SDLK_UP:
            return 38;
        case SDLK_RIGHT:
            return 39;
        case SDLK_DOWN:
            return 40;
        case SDLK_INSERT:
            return 45;
        case SDLK_DELETE:
            return 46;
        // Punctuation keys of a US layout, as Windows numbers them.
        case SDLK_SEMICOLON:
            return 186;
        case SDLK_EQUALS:
            return 187;
        case SDLK_COMMA:
            return 188;
        case SDLK_MINUS:
            return 189;
        case SDLK_PERIOD:
            return 190;
        case SDLK_SLASH:
            return 191;
        case SDLK_BACKQUOTE:
            return 192;
        case SDLK_LEFTBRACKET:
            return 219;
        case SDLK_BACKSLASH:
            return 220;
        case SDLK_RIGHTBRACKET:
            return 221;
        case SDLK_QUOTE:
            return 222;
        case SDLK_KP_0:
            return 96;
        case SDLK_KP_MULTIPLY:
            return 106;
        case SDLK_KP_PLUS:
            return 107;
        case SDLK_KP_MINUS:
            return 109;
        case SDLK_KP_PERIOD:
            return 110;
        case SDLK_KP_DIVIDE:
            return 111;
        default:
            return 0;
    }
}

InputTranslator::Result InputTranslator::Translate(const SDL_Event& event) {
    Result result;
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            TranslateButton(event.button, true, result);
            break;
        case SDL_MOUSEBUTTONUP:
            TranslateButton(event.button, false, result);
            break;
        case SDL_MOUSEMOTION:
            TranslateMotion(event.motion, result);
            break;
        case SDL_KEYDOWN:
            TranslateKey(event.key, true, result);
            break;
        case SDL_KEYUP:
            TranslateKey(event.key, false, result);
            break;
        case SDL_TEXTINPUT:
            TranslateText(event.text, result);
            break;
        default:
            break;
    }
    return result;
}

uint16_t InputTranslator::ButtonState() const {
    return buttonsDown | modifiers;
}

void InputTranslator::TranslateButton(const SDL_MouseButtonEvent& sdlButton, bool down,
                                      Result& result) {
    int32_t button = 0;
    uint16_t bit = 0;
    if (!GameButton(sdlButton.button, button, bit))
        return;
    if (down) {
        buttonsDown |= bit;
    } else {
        buttonsDown &= static_cast<uint16_t>(~bit);
    }
    lastX = ClampToShort(sdlButton.x);
    lastY = ClampToShort(sdlButton.y);

    InputEvent event;
    event.type = down ? EventMouseDown : EventMouseUp;
    event.button = button;
    event.buttonState = ButtonState();
    event.x = lastX;
    event.y = lastY;
    result.events.push_back(event);
    result.capture = down ? Capture::Take : Capture::Release;
}

void InputTranslator::TranslateMotion(const SDL_MouseMotionEvent& motion, Result& result) {
    buttonsDown = ButtonsFromMask(motion.state);
    InputEvent event;
    event.type = EventMouseMove;
    event.buttonState = ButtonState();
    event.x = ClampToShort(motion.x);
    event.y = ClampToShort(motion.y);
    event.dx = ClampToShort(event.x - lastX);
    event.dy = ClampToShort(event.y - lastY);
    lastX = event.x;
    lastY = event.y;
    result.events.push_back(event);
}

InputEvent InputTranslator::KeyboardEvent(int32_t type, uint16_t key) const {
    InputEvent event;
    event.type = type;
    event.key = key;
    // The modifiers down with the key (Shift+Space turns a block).
    event.buttonState = ButtonState();
    event.x = lastX;
    event.y = lastY;
    return event;
}

void InputTranslator::TranslateKey(const SDL_KeyboardEvent& key, bool down, Result& result) {
    modifiers = ModifiersFromSdl(key.keysym.mod);
    if (IsSystemKey(key.keysym))
        return;
    uint16_t virtualKey = VirtualKey(key.keysym.sym);
    if (virtualKey == 0)
        return;
    InputEvent keyEvent = KeyboardEvent(down ? EventKeyDown : EventKeyUp, virtualKey);
    if (down && key.repeat != 0) {
        keyEvent.buttonState |= ButtonStateRepeat;
    }
    result.events.push_back(keyEvent);
    if (down && IsControlCharacter(virtualKey)) {
        result.events.push_back(KeyboardEvent(EventChar, virtualKey));
    }
}

void InputTranslator::TranslateText(const SDL_TextInputEvent& text, Result& result) {
    // The font and the text fields know printable ASCII only; bytes of
    // multi-byte UTF-8 sequences are all above 127 and are dropped.
    for (size_t i = 0; i < sizeof(text.text) && text.text[i] != '\0'; ++i) {
        unsigned char c = static_cast<unsigned char>(text.text[i]);
        if (c >= 32 && c <= 126)
            result.events.push_back(KeyboardEvent(EventChar, c));
    }
}
