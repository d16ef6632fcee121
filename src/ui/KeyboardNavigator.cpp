#include "ui/KeyboardNavigator.h"

#include <GL/gl.h>

#include <algorithm>

#include "ui/OControl.h"
#include "ui/OControlPainter.h"
#include "ui/ORenderWindow.h"

bool KeyboardNavigator::OnKey(ORenderWindow& screen, const InputEvent& event,
                              const std::vector<OControl*>& stops) {
    if (event.type != EventKeyDown || stops.empty()) {
        return false;
    }
    const bool shift = (event.buttonState & ButtonStateShift) != 0;
    switch (event.key) {
        case KeyDown:
            Step(stops, 1);
            return true;
        case KeyUp:
            Step(stops, -1);
            return true;
        case KeyTab:
            Step(stops, shift ? -1 : 1);
            return true;
        case KeyEnter:
            if (highlighted == nullptr ||
                std::find(stops.begin(), stops.end(), highlighted) == stops.end()) {
                return false;
            }
            Press(screen, *highlighted);
            return true;
        default:
            return false;
    }
}

void KeyboardNavigator::Step(const std::vector<OControl*>& stops, int direction) {
    const auto at = std::find(stops.begin(), stops.end(), highlighted);
    const int count = static_cast<int>(stops.size());
    int index = 0;
    if (at == stops.end()) {
        // Nothing highlighted yet: Down starts at the top, Up at the bottom.
        index = direction > 0 ? 0 : count - 1;
    } else {
        index = (static_cast<int>(at - stops.begin()) + direction + count) % count;
    }
    Highlight(stops[index]);
}

void KeyboardNavigator::Highlight(OControl* control) {
    if (highlighted != nullptr && highlighted != control && highlighted->selected) {
        highlighted->Deselect();
    }
    highlighted = control;
    if (control != nullptr && !control->selected) {
        control->Select();
    }
}

bool KeyboardNavigator::Press(ORenderWindow& screen, const OControl& control) {
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
    if (!control.Box(left, bottom, right, top)) {
        return false;
    }
    return PressAt(screen, (left + right) / 2.0f, (bottom + top) / 2.0f);
}

bool KeyboardNavigator::PressAt(ORenderWindow& screen, float vx, float vy) {
    // Window pixels of the screen's picture, origin top left.
    InputEvent press;
    press.type = EventMouseDown;
    press.button = MouseButtonLeft;
    press.buttonState = ButtonStateLeft;
    press.x = static_cast<int16_t>(vx * screen.windowWidth / ORenderWindow::kVirtualWidth);
    press.y = static_cast<int16_t>((ORenderWindow::kVirtualHeight - vy) * screen.windowHeight /
                                   ORenderWindow::kVirtualHeight);
    InputEvent release = press;
    release.type = EventMouseUp;
    release.buttonState = 0;
    const bool taken = screen.OnInput(press);
    screen.OnInput(release);
    return taken;
}

void KeyboardNavigator::DrawHighlight() const {
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
    if (highlighted == nullptr || !highlighted->selected ||
        !highlighted->Box(left, bottom, right, top)) {
        return;
    }
    OControlPainter::Begin2D();
    glDisable(GL_TEXTURE_2D);
    glLineWidth(2.0f);
    glColor4f(1.0f, 0.82f, 0.25f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(left - 3.0f, bottom - 3.0f);
    glVertex2f(right + 3.0f, bottom - 3.0f);
    glVertex2f(right + 3.0f, top + 3.0f);
    glVertex2f(left - 3.0f, top + 3.0f);
    glEnd();
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    OControlPainter::End2D();
}
