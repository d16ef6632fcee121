#include "app/InputTranslator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

SDL_Event Button(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1) {
    SDL_Event event = {};
    event.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event Motion(int x, int y, Uint32 buttons = 0) {
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.state = buttons;
    return event;
}

SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event event = {};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event Text(const char* text) {
    SDL_Event event = {};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
    return event;
}

std::vector<int> Types(const InputTranslator::Result& result) {
    std::vector<int> types;
    for (const InputEvent& event : result.events)
        types.push_back(event.type);
    return types;
}

}  // namespace

TEST(InputTranslator, ButtonsGiveGameButtonNumbersPositionStateAndCapture) {
    struct Case {
        Uint8 sdlButton;
        int button;
        uint16_t bit;
    };
    for (const Case& c : {Case{SDL_BUTTON_LEFT, MouseButtonLeft, ButtonStateLeft},
                          Case{SDL_BUTTON_MIDDLE, MouseButtonMiddle, ButtonStateMiddle},
                          Case{SDL_BUTTON_RIGHT, MouseButtonRight, ButtonStateRight}}) {
        InputTranslator translator;
        auto down = translator.Translate(Button(SDL_MOUSEBUTTONDOWN, c.sdlButton, 120, 45));
        ASSERT_EQ(down.events.size(), 1u);
        EXPECT_EQ(down.events[0].type, EventMouseDown);
        EXPECT_EQ(down.events[0].button, c.button);
        EXPECT_EQ(down.events[0].x, 120);
        EXPECT_EQ(down.events[0].y, 45);
        EXPECT_EQ(down.events[0].buttonState, c.bit) << "the pressed button is down";
        EXPECT_EQ(down.capture, InputTranslator::Capture::Take);
        EXPECT_EQ(translator.LastX(), 120);
        EXPECT_EQ(translator.LastY(), 45);

        auto up = translator.Translate(Button(SDL_MOUSEBUTTONUP, c.sdlButton, -30, 700));
        ASSERT_EQ(up.events.size(), 1u);
        EXPECT_EQ(up.events[0].type, EventMouseUp);
        EXPECT_EQ(up.events[0].button, c.button);
        EXPECT_EQ(up.events[0].x, -30) << "released outside the window while captured";
        EXPECT_EQ(up.events[0].y, 700);
        EXPECT_EQ(up.events[0].buttonState, 0) << "the released button is up";
        EXPECT_EQ(up.capture, InputTranslator::Capture::Release);
    }
}

TEST(InputTranslator, ButtonStateCombinesHeldButtonsAndModifiers) {
    InputTranslator translator;
    translator.Translate(Key(SDL_KEYDOWN, SDLK_LSHIFT, KMOD_LSHIFT));
    translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1));
    auto right = translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1));
    EXPECT_EQ(right.events[0].buttonState, ButtonStateLeft | ButtonStateRight | ButtonStateShift);
    auto leftUp = translator.Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 1));
    EXPECT_EQ(leftUp.events[0].buttonState, ButtonStateRight | ButtonStateShift);
    translator.Translate(Key(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE));
    auto move = translator.Translate(Motion(3, 3, SDL_BUTTON_RMASK));
    EXPECT_EQ(move.events[0].buttonState, ButtonStateRight);
    EXPECT_EQ(move.capture, InputTranslator::Capture::Keep);
}

TEST(InputTranslator, DoubleClicksAreTwoPlainPairsAndOtherMouseInputIsIgnored) {
    InputTranslator translator;
    std::vector<int> types;
    for (Uint8 clicks : {1, 2}) {
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            auto result = translator.Translate(Button(type, SDL_BUTTON_RIGHT, 5, 5, clicks));
            ASSERT_EQ(result.events.size(), 1u);
            EXPECT_EQ(result.events[0].button, MouseButtonRight);
            types.push_back(result.events[0].type);
        }
    }
    EXPECT_EQ(types,
              (std::vector<int>{EventMouseDown, EventMouseUp, EventMouseDown, EventMouseUp}));

    auto extra = translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 9, 9));
    EXPECT_TRUE(extra.events.empty());
    EXPECT_EQ(extra.capture, InputTranslator::Capture::Keep);
    EXPECT_EQ(translator.LastX(), 5) << "an ignored button leaves the pointer where it was";

    SDL_Event wheel = {};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 1;
    EXPECT_TRUE(translator.Translate(wheel).events.empty());
}

TEST(InputTranslator, MovesMeasureFromTheLastKnownPositionOfAnyMouseEvent) {
    InputTranslator translator;
    auto first = translator.Translate(Motion(10, 20));
    ASSERT_EQ(first.events.size(), 1u);
    EXPECT_EQ(first.events[0].type, EventMouseMove);
    EXPECT_EQ(first.events[0].dx, 10) << "the last known position starts at 0, 0";
    EXPECT_EQ(first.events[0].dy, 20);

    auto second = translator.Translate(Motion(7, 26));
    EXPECT_EQ(second.events[0].x, 7);
    EXPECT_EQ(second.events[0].y, 26);
    EXPECT_EQ(second.events[0].dx, -3);
    EXPECT_EQ(second.events[0].dy, 6);

    // A click elsewhere moves the last known position without a move event.
    translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 100));
    auto third = translator.Translate(Motion(101, 98, SDL_BUTTON_LMASK));
    EXPECT_EQ(third.events[0].dx, 1);
    EXPECT_EQ(third.events[0].dy, -2);
}

TEST(InputTranslator, PositionsFarOutsideTheWindowAreClampedToSixteenBits) {
    InputTranslator translator;
    auto move = translator.Translate(Motion(100000, -100000));
    EXPECT_EQ(move.events[0].x, 32767);
    EXPECT_EQ(move.events[0].y, -32768);
    auto back = translator.Translate(Motion(-32768, 32767));
    EXPECT_EQ(back.events[0].dx, -32768) << "a difference beyond 16 bits is clamped too";
    EXPECT_EQ(back.events[0].dy, 32767);
}

TEST(InputTranslator, KeysBecomeWindowsVirtualKeyCodes) {
    struct Case {
        SDL_Keycode sym;
        uint16_t key;
    };
    const Case cases[] = {
        {SDLK_ESCAPE, 27},   {SDLK_TAB, 9},      {SDLK_BACKSPACE, 8}, {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13}, {SDLK_END, 35},     {SDLK_HOME, 36},     {SDLK_LEFT, 37},
        {SDLK_UP, 38},       {SDLK_RIGHT, 39},   {SDLK_DOWN, 40},     {SDLK_DELETE, 46},
        {SDLK_a, 'A'},       {SDLK_z, 'Z'},      {SDLK_m, 'M'},       {SDLK_0, '0'},
        {SDLK_9, '9'},       {SDLK_SPACE, 32},   {SDLK_F1, 112},      {SDLK_F12, 123},
        {SDLK_LSHIFT, 16},   {SDLK_RCTRL, 17},   {SDLK_PAGEUP, 33},   {SDLK_KP_5, 101},
        {SDLK_MINUS, 189},   {SDLK_PERIOD, 190}, {SDLK_QUOTE, 222},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InputTranslator::VirtualKey(c.sym), c.key) << SDL_GetKeyName(c.sym);
    }
    EXPECT_EQ(InputTranslator::VirtualKey(SDLK_APPLICATION), 0);
}

TEST(InputTranslator, KeyEventsCarryTheLastPointerPosition) {
    InputTranslator translator;
    translator.Translate(Motion(33, 44));
    auto down = translator.Translate(Key(SDL_KEYDOWN, SDLK_q));
    ASSERT_EQ(Types(down), (std::vector<int>{EventKeyDown}))
        << "letters come as characters through text input, not from the key";
    EXPECT_EQ(down.events[0].key, 'Q');
    EXPECT_EQ(down.events[0].x, 33);
    EXPECT_EQ(down.events[0].y, 44);
    auto up = translator.Translate(Key(SDL_KEYUP, SDLK_q));
    ASSERT_EQ(Types(up), (std::vector<int>{EventKeyUp}));
    EXPECT_EQ(up.events[0].key, 'Q');
    EXPECT_EQ(up.events[0].x, 33);
}

TEST(InputTranslator, ControlKeysAlsoArriveAsCharactersOnEveryPressAndRepeat) {
    InputTranslator translator;
    for (SDL_Keycode sym : {SDLK_BACKSPACE, SDLK_TAB, SDLK_RETURN, SDLK_ESCAPE}) {
        for (Uint8 repeat : {0, 1}) {
            auto down = translator.Translate(Key(SDL_KEYDOWN, sym, KMOD_NONE, repeat));
            ASSERT_EQ(Types(down), (std::vector<int>{EventKeyDown, EventChar}));
            EXPECT_EQ(down.events[1].key, down.events[0].key);
            EXPECT_EQ((down.events[0].buttonState & ButtonStateRepeat) != 0, repeat != 0);
        }
        EXPECT_EQ(Types(translator.Translate(Key(SDL_KEYUP, sym))), (std::vector<int>{EventKeyUp}));
    }
    EXPECT_EQ(Types(translator.Translate(Key(SDL_KEYDOWN, SDLK_DELETE))),
              (std::vector<int>{EventKeyDown}))
        << "Delete is no character";
}

TEST(InputTranslator, TextInputGivesPrintableAsciiCharactersOnly) {
    InputTranslator translator;
    translator.Translate(Motion(5, 6));
    auto text = translator.Translate(Text("a Z~"));
    ASSERT_EQ(text.events.size(), 4u);
    const char expected[] = "a Z~";
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(text.events[i].type, EventChar);
        EXPECT_EQ(text.events[i].key, static_cast<uint8_t>(expected[i]));
        EXPECT_EQ(text.events[i].x, 5);
        EXPECT_EQ(text.events[i].y, 6);
    }
    // "é", "€" and a tab inside text: nothing the font can draw.
    auto foreign = translator.Translate(Text("\xC3\xA9x\xE2\x82\xAC\t"));
    ASSERT_EQ(foreign.events.size(), 1u);
    EXPECT_EQ(foreign.events[0].key, 'x');
}

TEST(InputTranslator, SystemKeysProduceNothing) {
    InputTranslator translator;
    EXPECT_TRUE(translator.Translate(Key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT)).events.empty());
    EXPECT_TRUE(translator.Translate(Key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT)).events.empty());
    EXPECT_TRUE(translator.Translate(Key(SDL_KEYUP, SDLK_F4, KMOD_LALT)).events.empty());
    EXPECT_TRUE(translator.Translate(Key(SDL_KEYUP, SDLK_LALT)).events.empty());
    EXPECT_TRUE(translator.Translate(Key(SDL_KEYDOWN, SDLK_F10)).events.empty());
    // Ctrl+Alt (AltGr on many keyboards) is ordinary typing.
    EXPECT_EQ(Types(translator.Translate(Key(SDL_KEYDOWN, SDLK_e, KMOD_LCTRL | KMOD_LALT))),
              (std::vector<int>{EventKeyDown}));
    EXPECT_TRUE(translator.Translate(Key(SDL_KEYDOWN, SDLK_APPLICATION)).events.empty());
}
