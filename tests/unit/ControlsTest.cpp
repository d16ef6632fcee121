#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "render/OFont.h"
#include "support/UiTestData.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"
#include "ui/KvIncDec.h"
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

// A control that records the events it is given and may decline them.
class ProbeControl : public OControl, public O2D {
public:
    ProbeControl(int id, bool focusable, bool takes) : OControl(id, focusable), takes(takes) {
        SetPosition(0, 0);
        SetSize(800, 600);
    }
    bool HitTest(InputEvent& event) override {
        const float mx = VirtualX(event);
        const float my = VirtualY(event);
        return x <= mx && mx < x + width && y <= my && my < y + height;
    }
    bool HandleEvent(InputEvent& event) override {
        ++handled;
        return takes;
    }
    bool takes;
    int handled = 0;
};

InputEvent Mouse(int type, int windowX, int windowY, int button = 0) {
    InputEvent e{};
    e.type = type;
    e.button = button;
    e.x = windowX;
    e.y = windowY;
    return e;
}

// Window pixel of a virtual point on an 800 x 600 client.
InputEvent MouseAtVirtual(int type, float vx, float vy) {
    return Mouse(type, static_cast<int>(vx), static_cast<int>(600 - vy));
}

InputEvent Key(int type, int key) {
    InputEvent e{};
    e.type = type;
    e.key = key;
    return e;
}

// Hands an event to a screen or a control; both may rewrite it.
bool Send(ORenderWindow& screen, InputEvent event) {
    return screen.OnInput(event);
}
bool Send(OControl& control, InputEvent event) {
    return control.HandleEvent(event);
}

class ControlsTest : public ::testing::Test {
protected:
    UiTestData data;
    RecordingScreen screen;
};

}  // namespace

TEST_F(ControlsTest, TabCyclesFocusInAddOrderAndWraps) {
    auto* a = new ProbeControl(1, true, true);
    auto* skipped = new ProbeControl(2, false, true);
    auto* b = new ProbeControl(3, true, true);
    auto* c = new ProbeControl(4, true, true);
    for (OControl* control : {static_cast<OControl*>(a), static_cast<OControl*>(skipped),
                              static_cast<OControl*>(b), static_cast<OControl*>(c)}) {
        screen.AddControl(control);
    }
    ASSERT_EQ(screen.tabCount, 3);
    std::vector<OControl*> focusOrder;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Send(screen, Key(EventKeyDown, 9)));
        focusOrder.push_back(screen.focusedControl);
        EXPECT_EQ(screen.focusedControl->selected, 1);
    }
    EXPECT_EQ(focusOrder, (std::vector<OControl*>{a, b, c, a}));
    EXPECT_EQ(c->selected, 0) << "the previous focus is deselected";
    // Other keys go to the focused control.
    EXPECT_TRUE(Send(screen, Key(EventChar, 'x')));
    EXPECT_EQ(a->handled, 1);
}

TEST_F(ControlsTest, RemovingAControlKeepsTabIndicesWithoutGaps) {
    auto* a = new ProbeControl(1, true, true);
    auto* b = new ProbeControl(2, true, true);
    auto* plain = new ProbeControl(3, false, true);
    auto* c = new ProbeControl(4, true, true);
    for (OControl* control : {static_cast<OControl*>(a), static_cast<OControl*>(b),
                              static_cast<OControl*>(plain), static_cast<OControl*>(c)}) {
        screen.AddControl(control);
    }
    screen.FocusControl(b);
    EXPECT_EQ(screen.RemoveControl(b), b);
    EXPECT_EQ(screen.focusedControl, nullptr);
    EXPECT_EQ(screen.activeControl, nullptr);
    EXPECT_EQ(screen.tabCount, 2);
    EXPECT_EQ(a->tabIndex, 0);
    EXPECT_EQ(c->tabIndex, 1);
    EXPECT_EQ(screen.RemoveControl(b), nullptr);
    screen.AddControl(a);  // already there: nothing changes
    EXPECT_EQ(screen.controls.size(), 3u);
    delete b;
}

TEST_F(ControlsTest, PointerLeavingAHoverControlDeselectsItAndClearsTheFocusIndex) {
    auto* button = new BlendButton(10, true);
    button->SetImage("Buttons/Ok.Tga");
    button->SetPosition(400, 300);
    screen.AddControl(button);
    Send(screen, MouseAtVirtual(EventMouseMove, 400, 300));
    EXPECT_EQ(button->selected, 1);
    EXPECT_EQ(screen.currentTab, 0);
    Send(screen, MouseAtVirtual(EventMouseMove, 50, 50));
    EXPECT_EQ(button->selected, 0);
    EXPECT_EQ(screen.currentTab, -1);
}

TEST_F(ControlsTest, UpperControlThatDeclinesPassesTheEventToTheOneBelow) {
    for (bool focusable : {false, true}) {
        RecordingScreen local;
        auto* below = new ProbeControl(1, focusable, true);
        auto* above = new ProbeControl(2, focusable, false);
        local.AddControl(below);
        local.AddControl(above);
        EXPECT_TRUE(Send(local, Mouse(EventMouseDown, 100, 100)));
        EXPECT_EQ(above->handled, 1);
        EXPECT_EQ(below->handled, 1);
    }
}

TEST_F(ControlsTest, PressModeTextFieldKeepsGettingEventsAfterThePointerLeaves) {
    auto* field = new OTextField(nullptr, "", 20, false);
    field->SetPosition(100, 100);
    screen.AddControl(field);
    // Swallowed: the click that selected it.
    EXPECT_TRUE(Send(screen, MouseAtVirtual(EventMouseDown, 120, 120)));
    EXPECT_EQ(field->selected, 1);
    Send(screen, MouseAtVirtual(EventMouseMove, 700, 500));
    EXPECT_EQ(field->selected, 1) << "press-mode controls stay selected";
    EXPECT_TRUE(Send(screen, Key(EventChar, 'Q')));
    EXPECT_EQ(field->text, "Q");
}

TEST_F(ControlsTest, ClickAtWindowCentreHitsCentredButtonAt1024x768) {
    screen.SetClientSize(1024, 768);
    auto* button = new BlendButton(77, false);
    button->SetImage("Buttons/Ok.Tga");
    button->SetPosition(400, 300);
    screen.AddControl(button);
    EXPECT_TRUE(Send(screen, Mouse(EventMouseDown, 512, 384)));
    ASSERT_EQ(screen.events.size(), 1u);
    EXPECT_EQ(screen.events[0], std::make_pair(77, 0));
    // Just outside its right edge (x + 64 virtual = 593.92 window pixels).
    EXPECT_FALSE(Send(screen, Mouse(EventMouseDown, 595, 384)));
    EXPECT_FALSE(Send(screen, Mouse(EventMouseDown, 512, 384, 2))) << "only the left button clicks";
}

TEST_F(ControlsTest, BlendButtonGlowRunsOnceAndReselectingDoesNotRestartIt) {
    BlendButton button(1, false);
    button.SetImage("Buttons/Ok.Tga");
    EXPECT_EQ(button.width, 128);
    EXPECT_EQ(button.height, 40);
    button.Select();
    EXPECT_TRUE(button.glow.Running());
    button.Update(200);
    EXPECT_NEAR(button.glow.value, 1.25, 1e-9);
    button.Deselect();
    button.Select();  // still running: not restarted
    EXPECT_NEAR(button.glow.value, 1.25, 1e-9);
    button.Update(200);
    EXPECT_FALSE(button.glow.Running());
    EXPECT_DOUBLE_EQ(button.glow.value, 1.0);

    // A text selector's glow starts and ends at its own scale.
    OTextStack stack(nullptr, 2, false, 0.75f);
    stack.Select();
    stack.Update(1199);
    EXPECT_TRUE(stack.glow.Running());
    EXPECT_NEAR(stack.glow.Alpha(), 2.25 - (0.75 + 1199 * 0.00125), 1e-6);
    stack.Update(1);
    EXPECT_FALSE(stack.glow.Running());
    EXPECT_DOUBLE_EQ(stack.glow.value, 0.75);
}

TEST_F(ControlsTest, TextStackCyclesReportsKeysAndRemembers) {
    auto* stack = new OTextStack(nullptr, 5, false, 1.0f);
    stack->SetImage("Interface/Button.Tga");
    stack->SetPosition(300, 300);
    stack->AddItem("640 x 480", 0);
    stack->AddItem("800 x 600", 1);
    stack->AddItem("1024 x 768", 2);
    stack->SelectKey(0);
    screen.AddControl(stack);
    for (int i = 0; i < 4; ++i) {
        Send(screen, MouseAtVirtual(EventMouseDown, 310, 310));
    }
    std::vector<int> codes;
    for (auto& e : screen.events)
        codes.push_back(e.second);
    EXPECT_EQ(codes, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(stack->RememberedKey(), 0);

    stack->SelectKey(2);
    stack->Next();
    EXPECT_EQ(stack->CurrentKey(), 2) << "Next stays on the last item";
    EXPECT_EQ(stack->RememberedKey(), 2);
    stack->SelectKey(0);
    stack->Prev();
    EXPECT_EQ(stack->CurrentKey(), 0) << "Prev stays on the first item";
    stack->SelectKey(1);
    stack->AddItem("640 x 480", 9);  // duplicate text: nothing changes
    EXPECT_EQ(stack->CurrentKey(), 1);
    EXPECT_EQ(stack->items.size(), 3u);
    stack->AddItem("Windowed", 1);  // same key: replaced text, made current
    EXPECT_EQ(stack->CurrentText(), "Windowed");
}

TEST_F(ControlsTest, CheckBoxTogglesOnlyWhenReleasedOverItself) {
    auto* box = new KvCheckBox(nullptr, 30, 1.0f);
    box->SetImage("Interface/CheckBox.Tga");
    box->SetPosition(630, 8);
    screen.AddControl(box);
    EXPECT_EQ(box->height, 24);
    auto send = [&](int type, float vx, float vy) {
        return Send(screen, MouseAtVirtual(type, vx, vy));
    };
    // Press, leave, release outside: unchanged.
    send(EventMouseDown, 640, 20);
    send(EventMouseMove, 300, 300);
    // A captured drag still reaches the box.
    Send(*box, MouseAtVirtual(EventMouseMove, 300, 300));
    EXPECT_EQ(box->pressState, KvCheckBox::PressedOutside);
    Send(*box, MouseAtVirtual(EventMouseUp, 300, 300));
    EXPECT_EQ(box->checked, 0);
    EXPECT_EQ(box->pressState, KvCheckBox::Idle);
    // Press, leave, come back, release: toggled on and reported as 1.
    send(EventMouseDown, 640, 20);
    Send(*box, MouseAtVirtual(EventMouseMove, 300, 300));
    InputEvent back = MouseAtVirtual(EventMouseMove, 640, 20);
    box->HandleEvent(back);
    EXPECT_EQ(box->pressState, KvCheckBox::PressedInside);
    send(EventMouseUp, 640, 20);
    EXPECT_EQ(box->checked, 1);
    ASSERT_FALSE(screen.events.empty());
    EXPECT_EQ(screen.events.back(), std::make_pair(30, 1));
    // And off again: reported as 2.
    send(EventMouseDown, 640, 20);
    send(EventMouseUp, 640, 20);
    EXPECT_EQ(box->checked, 0);
    EXPECT_EQ(screen.events.back(), std::make_pair(30, 2));
}

TEST_F(ControlsTest, SliderSnapsToItsSteps) {
    KvSlider volume(nullptr, 1, 0.0f, 255.0f, 5.0f);
    volume.SetImages("Interface/Slider.Tga", "Interface/Thumb.Tga");
    const std::vector<std::pair<float, float>> cases = {
        {47.0f, 45.0f}, {48.0f, 50.0f}, {47.5f, 50.0f}, {-3.0f, 0.0f}, {400.0f, 255.0f}};
    for (auto [requested, expected] : cases) {
        volume.SetValue(requested);
        EXPECT_FLOAT_EQ(volume.value, expected) << "requested " << requested;
    }
    volume.SetValue(50);
    volume.Next();
    EXPECT_FLOAT_EQ(volume.value, 55.0f);
    volume.SetValue(50);
    volume.Prev();
    EXPECT_FLOAT_EQ(volume.value, 45.0f);
    volume.SetValue(255);
    volume.Next();
    EXPECT_FLOAT_EQ(volume.value, 255.0f);
    volume.SetValue(0);
    volume.Prev();
    EXPECT_FLOAT_EQ(volume.value, 0.0f);

    KvSlider coarse(nullptr, 2, 0.0f, 100.0f, 10.0f);
    coarse.SetValue(50);
    coarse.Next();
    EXPECT_FLOAT_EQ(coarse.value, 60.0f) << "55 snaps up";
    coarse.SetValue(50);
    coarse.Prev();
    EXPECT_FLOAT_EQ(coarse.value, 50.0f) << "45 snaps back";
}

TEST_F(ControlsTest, SliderJumpsDragsBeyondItsTrackAndPlacesTheThumb) {
    auto* volume = new KvSlider(nullptr, 40, 0.0f, 255.0f, 5.0f);
    volume->SetImages("Interface/Slider.Tga", "Interface/Thumb.Tga");
    volume->SetPosition(300, 200);
    screen.AddControl(volume);
    // 144 pixels of travel for 255 units.
    ASSERT_FLOAT_EQ(volume->unitsToPixels, 144.0f / 255.0f);
    EXPECT_TRUE(Send(screen, MouseAtVirtual(EventMouseDown, 300 + 8 + 73, 210)));
    EXPECT_FLOAT_EQ(volume->value, 130.0f);  // 129.3 snapped to the nearest 5
    EXPECT_EQ(volume->dragging, 1);
    EXPECT_EQ(volume->thumb->x, 300 + static_cast<int>(130.0f * 144.0f / 255.0f));
    // Dragging far past the right end keeps the slider and clamps.
    EXPECT_TRUE(Send(screen, MouseAtVirtual(EventMouseMove, 790, 20)));
    EXPECT_FLOAT_EQ(volume->value, 255.0f);
    Send(screen, MouseAtVirtual(EventMouseMove, 5, 20));
    EXPECT_FLOAT_EQ(volume->value, 0.0f);
    Send(screen, MouseAtVirtual(EventMouseUp, 5, 20));
    EXPECT_EQ(volume->dragging, 0);
    for (auto& e : screen.events)
        EXPECT_EQ(e, std::make_pair(40, 1));
    EXPECT_EQ(screen.events.size(), 3u);
}

TEST_F(ControlsTest, ArrowsStepASelectorAndASliderAndReportFirst) {
    auto* selector = new OTextStack(nullptr, 50, false, 1.0f);
    selector->SetImage("Interface/Button.Tga");
    selector->SetPosition(300, 400);
    selector->AddItem("Easy", 0);
    selector->AddItem("Normal", 1);
    selector->AddItem("Hard", 2);
    selector->SelectKey(1);
    screen.AddControl(selector);
    auto* arrows = new KvIncDec(51, false);
    arrows->target = selector;
    arrows->SetImage("Interface/HArrow.Tga");
    screen.AddControl(arrows);
    EXPECT_DOUBLE_EQ(arrows->leftOffset, 300 - 2 - 24);
    EXPECT_DOUBLE_EQ(arrows->rightOffset, 300 + 160 + 2);
    Send(screen, MouseAtVirtual(EventMouseDown, 300 + 162 + 5, 405));
    EXPECT_EQ(selector->CurrentKey(), 2);
    EXPECT_EQ(screen.events.front(), std::make_pair(51, 0));
    InputEvent leftArrow = MouseAtVirtual(EventMouseDown, 300 - 26 + 5, 405);
    screen.OnInput(leftArrow);
    screen.OnInput(leftArrow);
    screen.OnInput(leftArrow);
    EXPECT_EQ(selector->CurrentKey(), 0);

    auto* volume = new KvSlider(nullptr, 60, 0.0f, 255.0f, 5.0f);
    volume->SetImages("Interface/Slider.Tga", "Interface/Thumb.Tga");
    volume->SetPosition(300, 100);
    volume->SetValue(50);
    screen.AddControl(volume);
    auto* volumeArrows = new KvIncDec(61, false);
    volumeArrows->target = volume;
    volumeArrows->SetImage("Interface/HArrow.Tga");
    screen.AddControl(volumeArrows);
    Send(screen, MouseAtVirtual(EventMouseDown, 300 + 162 + 5, 105));
    EXPECT_FLOAT_EQ(volume->value, 55.0f);
}

TEST_F(ControlsTest, TextFieldTakesSixteenPrintableCharactersAndEdits) {
    OFont font("Font.Tga");
    font.Build();
    OTextField field(&font, "", 70, true);
    EXPECT_TRUE(Send(field, Key(EventChar, 'z'))) << "the first event is swallowed";
    EXPECT_EQ(field.text, "");
    for (char c : std::string("ABCDEFGHIJKLMNOPQ")) {
        InputEvent e = Key(EventChar, c);
        field.HandleEvent(e);
    }
    EXPECT_EQ(field.text, "ABCDEFGHIJKLMNOP") << "the 17th character is dropped";
    for (int rejected : {9, 27, 127, 200, -61}) {
        Send(field, Key(EventChar, rejected));
    }
    EXPECT_EQ(field.text.size(), 16u) << "only printable ASCII is taken";
    Send(field, Key(EventKeyDown, 36));
    Send(field, Key(EventKeyDown, 46));
    EXPECT_EQ(field.text, "BCDEFGHIJKLMNOP");
    EXPECT_EQ(field.caret, 0);
    Send(field, Key(EventKeyDown, 35));
    Send(field, Key(EventKeyDown, 8));
    EXPECT_EQ(field.text, "BCDEFGHIJKLMNO");
    Send(field, Key(EventKeyDown, 37));
    Send(field, Key(EventChar, 'x'));
    EXPECT_EQ(field.text, "BCDEFGHIJKLMNxO");
    RecordingScreen local;
    field.SetParent(&local);
    EXPECT_TRUE(Send(field, Key(EventKeyDown, 13)));
    EXPECT_EQ(local.events.back(), std::make_pair(70, 0));
}

TEST_F(ControlsTest, NarrowTextFieldScrollsToKeepTheCaretInView) {
    OFont font("Font.Tga");
    font.Build();
    OTextField field(&font, "", 71, true);
    field.SetSize(42, 48);      // 40 units of room
    field.SetText("AAAAAAAA");  // 'A' advances 9: the caret at 72 needs scroll
    const int fitting = 40 / UiTestData::Advance('A');
    EXPECT_EQ(field.scroll, 8 - fitting);
    Send(field, Key(EventKeyDown, 0));
    Send(field, Key(EventKeyDown, 36));
    EXPECT_EQ(field.scroll, 0);
    for (int i = 0; i < 8; ++i)
        Send(field, Key(EventKeyDown, 39));
    EXPECT_EQ(field.caret, 8);
    EXPECT_EQ(field.scroll, 8 - fitting);
    for (int i = 0; i < 8; ++i)
        Send(field, Key(EventKeyDown, 37));
    EXPECT_EQ(field.caret, 0);
    EXPECT_EQ(field.scroll, 0) << "the view follows the caret back to the start";
    Send(field, Key(EventKeyDown, 35));
    Send(field, Key(EventKeyDown, 8));
    EXPECT_EQ(field.text, "AAAAAAA");
    EXPECT_LE(field.scroll, field.caret);
    EXPECT_EQ(field.scroll, 7 - fitting) << "the caret stays at the right edge";
    EXPECT_TRUE(OTextField(&font, "   ", 1, false).IsBlank());
    EXPECT_FALSE(OTextField(&font, " a ", 1, false).IsBlank());
}
