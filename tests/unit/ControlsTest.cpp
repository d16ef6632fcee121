#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "render/OFont.h"
#include "support/UiTestData.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"
#include "ui/KvSlider.h"
#include "ui/ORenderWindow.h"
#include "ui/OTextField.h"
#include "ui/OTextStack.h"

namespace {

// A screen that records what its controls report.
class RecordingScreen : public ORenderWindow {
public:
    RecordingScreen() : ORenderWindow(900) { SetClientSize(800, 600); }
    bool OnControlEvent(int controlId, int code) override {
        events.emplace_back(controlId, code);
        return true;
    }
    std::vector<std::pair<int, int>> events;
};

// A control over the whole screen that counts the events it is given and
// may decline them.
class ProbeControl : public OControl {
public:
    ProbeControl(int id, bool focusable, bool takes) : OControl(id, focusable), takes(takes) {}
    bool HitTest(InputEvent&) override { return true; }
    bool HandleEvent(InputEvent&) override {
        ++handled;
        return takes;
    }
    bool takes;
    int handled = 0;
};

using Ints = std::vector<int>;
using Events = std::vector<std::pair<int, int>>;

// An event at a window pixel, or a key.
InputEvent Event(int type, int x, int y, int button = 0, int key = 0) {
    return {type, button, 0, uint16_t(key), int16_t(x), int16_t(y)};
}
InputEvent Key(int type, int key) {
    return Event(type, 0, 0, 0, key);
}

class ControlsTest : public ::testing::Test {
protected:
    // Hands an event to the screen at a point of the 800 x 600 virtual screen.
    bool At(int type, int vx, int vy) { return Send(Event(type, vx, 600 - vy)); }
    bool Send(InputEvent e) { return screen.OnInput(e); }
    static bool Send(OControl& control, InputEvent e) { return control.HandleEvent(e); }
    template <typename Control>
    Control* Place(Control* control, const char* picture, int x, int y) {
        control->SetImage(picture);
        control->SetPosition(x, y);
        screen.AddControl(control);
        return control;
    }

    UiTestData data;
    RecordingScreen screen;
};

}  // namespace

TEST_F(ControlsTest, TabCyclesFocusInAddOrderAndRemovingKeepsTheIndicesWithoutGaps) {
    std::vector<ProbeControl*> p;
    for (bool focusable : {true, false, true, true}) {
        p.push_back(new ProbeControl(int(p.size()) + 1, focusable, true));
        screen.AddControl(p.back());
    }
    ASSERT_EQ(screen.tabCount, 3);
    std::vector<OControl*> focusOrder;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Send(Key(EventKeyDown, 9)));
        focusOrder.push_back(screen.focusedControl);
        EXPECT_EQ(screen.focusedControl->selected, 1);
    }
    EXPECT_EQ(focusOrder, (std::vector<OControl*>{p[0], p[2], p[3], p[0]}));
    EXPECT_EQ(p[3]->selected, 0) << "the previous focus is deselected";
    EXPECT_TRUE(Send(Key(EventChar, 'x')));
    EXPECT_EQ(p[0]->handled, 1) << "other keys go to the focused control";

    screen.FocusControl(p[2]);
    EXPECT_EQ(screen.RemoveControl(p[2]), p[2]);
    EXPECT_EQ(std::vector<OControl*>({screen.focusedControl, screen.activeControl}),
              std::vector<OControl*>(2, nullptr));
    EXPECT_EQ(Ints({screen.tabCount, p[0]->tabIndex, p[3]->tabIndex}), Ints({2, 0, 1}));
    EXPECT_EQ(screen.RemoveControl(p[2]), nullptr);
    screen.AddControl(p[0]);  // already there: nothing changes
    EXPECT_EQ(screen.controls.size(), 3u);
    delete p[2];
}

TEST_F(ControlsTest, UpperControlThatDeclinesPassesTheEventToTheOneBelow) {
    for (bool focusable : {false, true}) {
        RecordingScreen local;
        auto* below = new ProbeControl(1, focusable, true);
        auto* above = new ProbeControl(2, focusable, false);
        local.AddControl(below);
        local.AddControl(above);
        InputEvent click = Event(EventMouseDown, 100, 100);
        EXPECT_TRUE(local.OnInput(click));
        EXPECT_EQ(Ints({above->handled, below->handled}), Ints({1, 1}));
    }
}

TEST_F(ControlsTest, PointerSelectsHoverControlsWhileOverThemAndPressControlsUntilElsewhere) {
    auto* field = new OTextField(nullptr, "", 20, false);
    field->SetPosition(100, 100);
    screen.AddControl(field);
    EXPECT_TRUE(At(EventMouseDown, 120, 120)) << "the click that selects it is swallowed";
    EXPECT_EQ(field->selected, 1);
    At(EventMouseMove, 700, 500);
    EXPECT_EQ(field->selected, 1) << "press-mode controls stay selected";
    EXPECT_TRUE(Send(Key(EventChar, 'Q')));
    EXPECT_EQ(field->text, "Q");
    auto* button = Place(new BlendButton(10, true), "Buttons/Ok.Tga", 400, 300);
    At(EventMouseMove, 400, 300);
    EXPECT_EQ(Ints({button->selected, screen.currentTab}), Ints({1, 0}));
    button->Update(200);
    At(EventMouseMove, 50, 50);
    EXPECT_EQ(Ints({button->selected, screen.currentTab}), Ints({0, -1}));
    At(EventMouseMove, 400, 300);
    EXPECT_NEAR(button->glow.value, 1.25, 1e-9) << "a glow runs once: selected again, it goes on";
}

TEST_F(ControlsTest, ClickAtWindowCentreHitsCentredButtonAt1024x768) {
    screen.SetClientSize(1024, 768);
    Place(new BlendButton(77, false), "Buttons/Ok.Tga", 400, 300);
    EXPECT_TRUE(Send(Event(EventMouseDown, 512, 384)));
    EXPECT_EQ(screen.events, (Events{{77, 0}}));
    // Just outside its right edge (x + 64 virtual = 593.92 window pixels).
    EXPECT_FALSE(Send(Event(EventMouseDown, 595, 384)));
    EXPECT_FALSE(Send(Event(EventMouseDown, 512, 384, 2))) << "only the left button clicks";
}

// A text selector's glow starts and ends at its own scale.
TEST_F(ControlsTest, TextStackCyclesReportsKeysRemembersAndGlowsFromItsScale) {
    auto* stack = Place(new OTextStack(nullptr, 5, false, 0.75f), "Interface/Button.Tga", 300, 300);
    for (const char* text : {"640 x 480", "800 x 600", "1024"})
        stack->AddItem(text, int(stack->items.size()));
    stack->SelectKey(0);
    for (int i = 0; i < 4; ++i)
        At(EventMouseDown, 310, 310);
    EXPECT_EQ(screen.events, (Events{{5, 1}, {5, 2}, {5, 0}, {5, 1}}));
    stack->Update(1199);
    EXPECT_NEAR(stack->glow.Alpha(), 2.25 - (0.75 + 1199 * 0.00125), 1e-6) << "still running";
    stack->Update(1);
    EXPECT_TRUE(!stack->glow.Running() && stack->glow.value == 0.75) << stack->glow.value;
    EXPECT_EQ(stack->RememberedKey(), 0);
    stack->SelectKey(2);
    stack->Next();
    EXPECT_EQ(Ints({stack->CurrentKey(), stack->RememberedKey()}), Ints({2, 2}))
        << "Next stays on the last item";
    stack->SelectKey(0);
    stack->Prev();
    EXPECT_EQ(stack->CurrentKey(), 0) << "Prev stays on the first item";
    stack->SelectKey(1);
    stack->AddItem("640 x 480", 9);  // duplicate text: nothing changes
    EXPECT_EQ(Ints({stack->CurrentKey(), static_cast<int>(stack->items.size())}), Ints({1, 3}));
    stack->AddItem("Windowed", 1);  // same key: replaced text, made current
    EXPECT_EQ(stack->CurrentText(), "Windowed");
}

TEST_F(ControlsTest, CheckBoxTogglesOnlyWhenReleasedOverItself) {
    auto* box = Place(new KvCheckBox(nullptr, 30, 1.0f), "Interface/CheckBox.Tga", 630, 8);
    EXPECT_EQ(box->height, 24);
    // Press, leave, release outside (a captured drag still reaches the box):
    // unchanged.
    At(EventMouseDown, 640, 20);
    At(EventMouseMove, 300, 300);
    Send(*box, Event(EventMouseMove, 300, 300));
    EXPECT_EQ(box->pressState, KvCheckBox::PressedOutside);
    Send(*box, Event(EventMouseUp, 300, 300));
    EXPECT_EQ(Ints({box->checked, box->pressState}), Ints({0, KvCheckBox::Idle}));
    // Press, leave, come back, release: on and reported as 1; then off as 2.
    At(EventMouseDown, 640, 20);
    Send(*box, Event(EventMouseMove, 300, 300));
    Send(*box, Event(EventMouseMove, 640, 580));
    EXPECT_EQ(box->pressState, KvCheckBox::PressedInside);
    At(EventMouseUp, 640, 20);
    EXPECT_EQ(box->checked, 1);
    At(EventMouseDown, 640, 20);
    At(EventMouseUp, 640, 20);
    EXPECT_EQ(box->checked, 0);
    EXPECT_EQ(screen.events, (Events{{30, 1}, {30, 2}}));
}

TEST_F(ControlsTest, SliderSnapsToItsSteps) {
    struct Case {
        float step, start;
        int move;  // -1 Prev, 0 none, 1 Next
        float expected;
    };
    const Case cases[] = {
        {5, 47, 0, 45},   {5, 48, 0, 50},  {5, 47.5f, 0, 50}, {5, -3, 0, 0},
        {5, 400, 0, 255}, {5, 50, 1, 55},  {5, 50, -1, 45},   {5, 255, 1, 255},
        {5, 0, -1, 0},    {10, 50, 1, 60}, {10, 50, -1, 50},  // 45 snaps back to 50
    };
    for (const Case& c : cases) {
        KvSlider slider(nullptr, 1, 0.0f, c.step == 5 ? 255.0f : 100.0f, c.step);
        slider.SetValue(c.start);
        if (c.move != 0)
            c.move > 0 ? slider.Next() : slider.Prev();
        EXPECT_FLOAT_EQ(slider.value, c.expected) << c.start << " by " << c.move << "x" << c.step;
    }
}

TEST_F(ControlsTest, SliderJumpsDragsBeyondItsTrackAndPlacesTheThumb) {
    auto* volume = new KvSlider(nullptr, 40, 0.0f, 255.0f, 5.0f);
    volume->SetImages("Interface/Slider.Tga", "Interface/Thumb.Tga");
    volume->SetPosition(300, 200);
    screen.AddControl(volume);
    ASSERT_FLOAT_EQ(volume->unitsToPixels, 144.0f / 255.0f) << "144 pixels of travel";
    EXPECT_TRUE(At(EventMouseDown, 300 + 8 + 73, 210));
    EXPECT_FLOAT_EQ(volume->value, 130.0f);  // 129.3 snapped to the nearest 5
    EXPECT_EQ(volume->thumb->x, 300 + static_cast<int>(130.0f * 144.0f / 255.0f));
    // Dragging far past the ends keeps the slider and clamps.
    EXPECT_TRUE(At(EventMouseMove, 790, 20));
    EXPECT_FLOAT_EQ(volume->value, 255.0f);
    At(EventMouseMove, 5, 20);
    EXPECT_TRUE(volume->value == 0.0f && volume->dragging == 1);
    At(EventMouseUp, 5, 20);
    EXPECT_EQ(volume->dragging, 0);
    EXPECT_EQ(screen.events, Events(3, {40, 1}));
}

TEST_F(ControlsTest, TextFieldTakesSixteenPrintableCharactersEditsAndScrolls) {
    OFont font("Font.Tga");
    font.Build();
    OTextField field(&font, "", 70, true);
    EXPECT_TRUE(Send(field, Key(EventChar, 'z'))) << "the first event is swallowed";
    EXPECT_EQ(field.text, "");
    for (int c : {9, 27, 127, 200, -61})
        Send(field, Key(EventChar, c));
    for (char c : std::string("ABCDEFGHIJKLMNOPQ"))
        Send(field, Key(EventChar, c));
    EXPECT_EQ(field.text, "ABCDEFGHIJKLMNOP") << "16 printable ASCII characters at most";
    // Home, Delete, End, Backspace, Left.
    const std::vector<std::tuple<int, std::string, int>> edits = {{36, "ABCDEFGHIJKLMNOP", 0},
                                                                  {46, "BCDEFGHIJKLMNOP", 0},
                                                                  {35, "BCDEFGHIJKLMNOP", 15},
                                                                  {8, "BCDEFGHIJKLMNO", 14},
                                                                  {37, "BCDEFGHIJKLMNO", 13}};
    for (const auto& [key, text, caret] : edits) {
        Send(field, Key(EventKeyDown, key));
        EXPECT_EQ(std::pair(field.text, field.caret), std::pair(text, caret)) << "key " << key;
    }
    Send(field, Key(EventChar, 'x'));
    EXPECT_EQ(field.text, "BCDEFGHIJKLMNxO");
    RecordingScreen local;
    field.SetParent(&local);
    EXPECT_TRUE(Send(field, Key(EventKeyDown, 13)));
    EXPECT_EQ(local.events.back(), std::make_pair(70, 0));

    // A narrow field scrolls to keep the caret in view.
    OTextField narrow(&font, "", 71, true);
    narrow.SetSize(42, 48);      // 40 units of room
    narrow.SetText("AAAAAAAA");  // 'A' advances 9: the caret at 72 needs scroll
    const int fitting = 40 / UiTestData::Advance('A');
    const std::vector<std::tuple<int, int, int, int>> moves = {
        // key, times, caret, scroll
        {0, 1, 8, 8 - fitting},  {36, 1, 0, 0},         {39, 8, 8, 8 - fitting}, {37, 8, 0, 0},
        {35, 1, 8, 8 - fitting}, {8, 1, 7, 7 - fitting}};  // the caret stays at the right edge
    for (const auto& [key, times, caret, scroll] : moves) {
        for (int i = 0; i < times; ++i)
            Send(narrow, Key(EventKeyDown, key));
        EXPECT_EQ(Ints({narrow.caret, narrow.scroll}), Ints({caret, scroll})) << "key " << key;
    }
    EXPECT_EQ(narrow.text, "AAAAAAA");
    // (Spaces only are blank: the score screen's unknown player.)
    EXPECT_FALSE(OTextField(&font, " a ", 1, false).IsBlank());
}
