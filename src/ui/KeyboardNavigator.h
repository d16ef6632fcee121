#pragma once

#include <vector>

#include "app/InputEvent.h"

class OControl;
class ORenderWindow;

// Keyboard use of a screen's buttons: Down and Tab move a highlight to the
// next stop, Up and Shift+Tab to the one before, and Enter presses the
// highlighted control as a left click in its middle would, through the
// screen's own input routing (same rules, same sounds). The highlight is
// the control's own hover look. The screen hands in its stops with every
// key, so hidden or disabled controls are never reached.
class KeyboardNavigator {
public:
    enum Key { KeyTab = 9, KeyEnter = 13, KeyUp = 38, KeyDown = 40 };

    // True when the key was one of the navigator's and there was a stop.
    bool OnKey(ORenderWindow& screen, const InputEvent& event, const std::vector<OControl*>& stops);
    // Forgets the highlight (the screen was entered anew).
    void Reset() { highlighted = nullptr; }
    OControl* Highlighted() const { return highlighted; }
    // Moves the highlight to a control (null: none).
    void Highlight(OControl* control);
    // A left click (press and release) in the middle of a control, or of the
    // rectangle (left, bottom)-(right, top), through the screen's routing.
    static bool Press(ORenderWindow& screen, const OControl& control);
    static bool PressAt(ORenderWindow& screen, float vx, float vy);
    // A brass frame around the highlighted control while it shows selected;
    // for controls whose own look does not change.
    void DrawHighlight() const;

private:
    void Step(const std::vector<OControl*>& stops, int direction);

    OControl* highlighted = nullptr;
};
