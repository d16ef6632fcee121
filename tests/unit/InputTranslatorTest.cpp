#include "app/InputTranslator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Only the fields the translator reads are filled in.
SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event = {};
    event.button = {type, 0, 0, 0, button, 0, 1, 0, x, y};
    return event;
}

SDL_Event Motion(int x, int y, Uint32 buttons = 0) {
    SDL_Event event = {};
    event.motion = {SDL_MOUSEMOTION, 0, 0, 0, buttons, x, y, 0, 0};
    return event;
}

SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event event = {};
    event.key = {type, 0, 0, 0, repeat, 0, 0, {SDL_SCANCODE_UNKNOWN, sym, mod, 0}};
    return event;
}

// The type, key, x and y of every event of a translation.
using Expected = std::vector<std::vector<int>>;
Expected Events(const InputTranslator::Result& result) {
    Expected events;
    for (const InputEvent& e : result.events)
        events.push_back({e.type, e.key, e.x, e.y});
    return events;
}

}  // namespace

// A press takes the pointer, so the release arrives even outside the window.
TEST(InputTranslator, ButtonsGiveGameButtonNumbersPositionStateAndCapture) {
    for (const auto& [sdlButton, button, bit] :
         {std::tuple<Uint8, int, int>{SDL_BUTTON_LEFT, MouseButtonLeft, ButtonStateLeft},
          {SDL_BUTTON_MIDDLE, MouseButtonMiddle, ButtonStateMiddle},
          {SDL_BUTTON_RIGHT, MouseButtonRight, ButtonStateRight}}) {
        InputTranslator translator;
        auto down = translator.Translate(Button(SDL_MOUSEBUTTONDOWN, sdlButton, 120, 45));
        EXPECT_EQ(Events(down), (Expected{{EventMouseDown, 0, 120, 45}}));
        // Button, state and capture (the last known position is the moves' test's).
        EXPECT_EQ(std::vector<int>(
                      {down.events[0].button, down.events[0].buttonState, int(down.capture)}),
                  std::vector<int>({button, bit, int(InputTranslator::Capture::Take)}));
        auto up = translator.Translate(Button(SDL_MOUSEBUTTONUP, sdlButton, -30, 700));
        EXPECT_EQ(Events(up), (Expected{{EventMouseUp, 0, -30, 700}}));
        EXPECT_EQ(
            std::vector<int>({up.events[0].button, up.events[0].buttonState, int(up.capture)}),
            std::vector<int>({button, 0, int(InputTranslator::Capture::Release)}));
    }
}

TEST(InputTranslator, ButtonStateCombinesHeldButtonsAndModifiersAndOtherInputIsIgnored) {
    InputTranslator translator;
    translator.Translate(Key(SDL_KEYDOWN, SDLK_LSHIFT, KMOD_LSHIFT));
    translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5));
    auto right = translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 5));
    EXPECT_EQ(right.events[0].buttonState, ButtonStateLeft | ButtonStateRight | ButtonStateShift);
    auto leftUp = translator.Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 5, 5));
    EXPECT_EQ(leftUp.events[0].buttonState, ButtonStateRight | ButtonStateShift);

    auto extra = translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 9, 9));
    EXPECT_TRUE(extra.events.empty());
    EXPECT_EQ(extra.capture, InputTranslator::Capture::Keep);
    EXPECT_EQ(translator.LastX(), 5) << "an ignored button leaves the pointer where it was";
    SDL_Event wheel = {};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 1;
    EXPECT_TRUE(translator.Translate(wheel).events.empty());

    translator.Translate(Key(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE));
    auto move = translator.Translate(Motion(3, 3, SDL_BUTTON_RMASK | SDL_BUTTON_MMASK));
    EXPECT_EQ(move.events[0].buttonState, ButtonStateRight | ButtonStateMiddle);
    EXPECT_EQ(move.capture, InputTranslator::Capture::Keep);
}

TEST(InputTranslator, MovesMeasureFromTheLastKnownPositionClampedToSixteenBits) {
    struct Step {
        SDL_Event event;
        int x, y, dx, dy;  // of the move
    };
    const Step steps[] = {
        {Motion(10, 20), 10, 20, 10, 20},  // the last known position starts at 0, 0
        {Motion(7, 26), 7, 26, -3, 6},
        // A click elsewhere moves the last known position without a move event.
        {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 100), 0, 0, 0, 0},
        {Motion(101, 98, SDL_BUTTON_LMASK), 101, 98, 1, -2},
        {Motion(100000, -100000), 32767, -32768, 32666, -32768},
        {Motion(-32768, 32767), -32768, 32767, -32768, 32767},  // beyond 16 bits
    };
    InputTranslator translator;
    for (const Step& s : steps) {
        auto result = translator.Translate(s.event);
        ASSERT_EQ(result.events.size(), 1u);
        if (result.events[0].type == EventMouseMove) {
            const InputEvent& e = result.events[0];
            EXPECT_EQ(std::vector<int>({e.x, e.y, e.dx, e.dy}),
                      std::vector<int>({s.x, s.y, s.dx, s.dy}));
        }
    }
}

TEST(InputTranslator, KeysBecomeWindowsVirtualKeyCodes) {
    const std::pair<SDL_Keycode, uint16_t> cases[] = {
        {SDLK_ESCAPE, 27},   {SDLK_TAB, 9},      {SDLK_BACKSPACE, 8}, {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13}, {SDLK_END, 35},     {SDLK_HOME, 36},     {SDLK_LEFT, 37},
        {SDLK_UP, 38},       {SDLK_RIGHT, 39},   {SDLK_DOWN, 40},     {SDLK_DELETE, 46},
        {SDLK_a, 'A'},       {SDLK_z, 'Z'},      {SDLK_m, 'M'},       {SDLK_0, '0'},
        {SDLK_9, '9'},       {SDLK_SPACE, 32},   {SDLK_F1, 112},      {SDLK_F12, 123},
        {SDLK_LSHIFT, 16},   {SDLK_RCTRL, 17},   {SDLK_PAGEUP, 33},   {SDLK_KP_5, 101},
        {SDLK_MINUS, 189},   {SDLK_PERIOD, 190}, {SDLK_QUOTE, 222},   {SDLK_APPLICATION, 0},
    };
    for (const auto& [sym, key] : cases) {
        EXPECT_EQ(InputTranslator::VirtualKey(sym), key) << SDL_GetKeyName(sym);
    }
}

TEST(InputTranslator, KeysCarryThePointerControlKeysAlsoArriveAsCharactersAndTextIsPrintable) {
    // Letters come as characters through text input, not from the key; the
    // control characters Windows sends come on every press and repeat.
    // System keys (Alt, Alt combinations, F10) give nothing; Ctrl+Alt (AltGr
    // on many keyboards) is ordinary typing.
    const std::pair<SDL_Event, Expected> cases[] = {
        {Key(SDL_KEYDOWN, SDLK_q), {{EventKeyDown, 'Q', 33, 44}}},
        {Key(SDL_KEYUP, SDLK_q), {{EventKeyUp, 'Q', 33, 44}}},
        {Key(SDL_KEYDOWN, SDLK_BACKSPACE), {{EventKeyDown, 8, 33, 44}, {EventChar, 8, 33, 44}}},
        {Key(SDL_KEYDOWN, SDLK_TAB, 0, 1), {{EventKeyDown, 9, 33, 44}, {EventChar, 9, 33, 44}}},
        {Key(SDL_KEYDOWN, SDLK_RETURN), {{EventKeyDown, 13, 33, 44}, {EventChar, 13, 33, 44}}},
        {Key(SDL_KEYDOWN, SDLK_ESCAPE, 0, 1),
         {{EventKeyDown, 27, 33, 44}, {EventChar, 27, 33, 44}}},
        {Key(SDL_KEYUP, SDLK_ESCAPE), {{EventKeyUp, 27, 33, 44}}},
        {Key(SDL_KEYDOWN, SDLK_DELETE), {{EventKeyDown, 46, 33, 44}}},  // no character
        {Key(SDL_KEYDOWN, SDLK_e, KMOD_LCTRL | KMOD_LALT), {{EventKeyDown, 'E', 33, 44}}},
        {Key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT), {}},
        {Key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), {}},
        {Key(SDL_KEYUP, SDLK_F4, KMOD_LALT), {}},
        {Key(SDL_KEYUP, SDLK_RALT), {}},
        {Key(SDL_KEYDOWN, SDLK_F10), {}},
        {Key(SDL_KEYDOWN, SDLK_APPLICATION), {}},
    };
    InputTranslator translator;
    translator.Translate(Motion(33, 44));
    for (const auto& [event, events] : cases) {
        SCOPED_TRACE(SDL_GetKeyName(event.key.keysym.sym));
        auto result = translator.Translate(event);
        EXPECT_EQ(Events(result), events);
        if (!result.events.empty()) {
            EXPECT_EQ(result.events[0].buttonState,
                      (event.key.repeat ? ButtonStateRepeat : 0) |
                          (event.key.keysym.mod & KMOD_CTRL ? ButtonStateControl : 0));
        }
    }
    // Text input gives printable ASCII only: "é", "€" and a tab are nothing
    // the font can draw.
    SDL_Event text = {};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "a Z~\xC3\xA9x\xE2\x82\xAC\t");
    Expected expected;
    for (char c : std::string("a Z~x"))
        expected.push_back({EventChar, c, 33, 44});
    EXPECT_EQ(Events(translator.Translate(text)), expected);
}
