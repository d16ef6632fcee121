#include "ui/ORenderWindow.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/OApplication.h"
#include "render/OCamera.h"
#include "render/OFont.h"
#include "render/OTexture.h"
#include "ui/OControl.h"
#include "ui/OControlPainter.h"

namespace {

bool IsKeyboard(const InputEvent& event) {
    return event.type == EventChar || event.type == EventKeyDown || event.type == EventKeyUp;
}

bool IsMouse(const InputEvent& event) {
    return event.type >= EventMouseMove && event.type <= EventMouseUp;
}

// Whether a press on this control selects it: hover controls always, press
// controls only on a button press.
bool SelectsOn(const OControl* control, const InputEvent& event) {
    return control->selectMode == 0 || (control->selectMode == 1 && event.type == EventMouseDown);
}

}  // namespace

ORenderWindow::ORenderWindow(int id) : id(id) {
    logo = new OTexture();
    logo->Load("PLogo.Tga", true);
}

ORenderWindow::~ORenderWindow() {
    delete background;
    delete overlay;
    delete logo;
    for (OControl* control : controls) {
        delete control;
    }
}

bool ORenderWindow::LoadPictures(const std::string& backgroundName,
                                 const std::string& overlayName) {
    // Backgrounds and panels are drawn at their own size.
    if (!OControlPainter::ReplacePicture(background, backgroundName, false)) {
        return false;
    }
    if (overlayName.size() < 2) {
        return true;
    }
    OControlPainter::ReplacePicture(overlay, overlayName, false);
    return true;
}

void ORenderWindow::ParkPictures() {
    for (const OTexture* picture : {background, overlay}) {
        if (picture != nullptr) {
            picture->Park();
        }
    }
}

void ORenderWindow::AddControl(OControl* control) {
    if (control == nullptr || HasControl(control)) {
        return;
    }
    controls.push_back(control);
    control->SetParent(this);
    control->OnAttach();
    if (control->focusable) {
        control->tabIndex = tabCount++;
    }
}

OControl* ORenderWindow::RemoveControl(OControl* control) {
    auto it = std::find(controls.begin(), controls.end(), control);
    if (it == controls.end()) {
        return nullptr;
    }
    const size_t position = static_cast<size_t>(it - controls.begin());
    controls.erase(it);
    if (control->focusable) {
        if (focusedControl == control) {
            focusedControl = nullptr;
        }
        // Renumber the focusable controls after it so the tab indices stay
        // 0 .. tabCount - 1 without gaps.
        tabCount = control->tabIndex;
        for (size_t i = position; i < controls.size(); ++i) {
            if (controls[i]->focusable) {
                controls[i]->tabIndex = tabCount++;
            }
        }
    }
    if (activeControl == control) {
        activeControl = nullptr;
    }
    return control;
}

bool ORenderWindow::HasControl(const OControl* control) const {
    return std::find(controls.begin(), controls.end(), control) != controls.end();
}

void ORenderWindow::FocusControl(OControl* control) {
    if (!HasControl(control)) {
        return;
    }
    if (focusedControl != nullptr) {
        focusedControl->Deselect();
    } else if (activeControl != nullptr) {
        activeControl->Deselect();
    }
    control->Select();
    if (control->focusable) {
        currentTab = control->tabIndex;
        focusedControl = control;
    }
    activeControl = control;
}

void ORenderWindow::SetClientSize(int width, int height) {
    windowWidth = static_cast<int16_t>(width);
    windowHeight = static_cast<int16_t>(height);
}

void ORenderWindow::SetViewport(int x, int y, int width, int height) {
    viewportX = static_cast<int16_t>(x);
    viewportY = static_cast<int16_t>(y);
    SetClientSize(width, height);
}

void ORenderWindow::RefreshHover(int x, int y) {
    InputEvent pointer;
    pointer.type = EventMouseMove;
    pointer.x = static_cast<int16_t>(x);
    pointer.y = static_cast<int16_t>(y);
    // Only the hover look: nothing is handed the event, so no press, drag
    // or text field sees it.
    for (OControl* control : controls) {
        if (!control->enabled || control->selectMode != 0) {
            continue;
        }
        const bool over = control->HitTest(pointer);
        if (over && !control->selected) {
            control->Select();
            activeControl = control;
        } else if (!over && control->selected) {
            control->Deselect();
            if (activeControl == control) {
                activeControl = nullptr;
            }
        }
    }
}

bool ORenderWindow::Animating() const {
    for (const OControl* control : controls) {
        if (control->Animating()) {
            return true;
        }
    }
    return false;
}

void ORenderWindow::Update(int ms) {
    for (OControl* control : controls) {
        control->Update(ms);
    }
}

void ORenderWindow::DrawPicture(OTexture* texture, float x0, float y0, float x1, float y1) {
    texture->Bind();
    // Pictures are kept top row first in memory, so texture row 0 (t = 0)
    // belongs at the top edge of the quad.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x0, y0, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x1, y0, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x1, y1, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x0, y1, 1.0f);
    glEnd();
}

OFont* ORenderWindow::Font() const {
    return application != nullptr ? application->GetFont() : nullptr;
}

void ORenderWindow::DrawCleared() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::Draw();
}

void ORenderWindow::Draw() {
    DrawBackground();
    DrawControls();
}

void ORenderWindow::DrawBackground() {
    if (camera != nullptr) {
        camera->SetUp(viewportX, viewportY, windowWidth, windowHeight);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, kVirtualWidth, 0, kVirtualHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (background != nullptr && background->GetImage() != nullptr) {
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        DrawPicture(background, 0.0f, 0.0f, kVirtualWidth, kVirtualHeight);
    }
    if (application != nullptr && application->GetFont() != nullptr) {
        OControlPainter::SetFontColour(application->GetFont(), 1.0f, 1.0f, 1.0f, 1.0f);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

void ORenderWindow::DrawControls() {
    for (OControl* control : controls) {
        control->Draw();
    }
}

bool ORenderWindow::OnInput(InputEvent& event) {
    return tabCount > 0 ? RouteWithFocus(event) : RouteWithoutFocus(event);
}

bool ORenderWindow::RouteWithFocus(InputEvent& event) {
    if (IsKeyboard(event)) {
        return RouteKeyboard(event);
    }
    if (IsMouse(event)) {
        return RouteMouse(event);
    }
    return false;
}

bool ORenderWindow::RouteKeyboard(InputEvent& event) {
    if (event.type == EventKeyDown && event.key == 9) {
        currentTab = static_cast<int16_t>((currentTab + 1) % tabCount);
    }
    for (OControl* control : controls) {
        if (!control->enabled || !control->focusable || control->tabIndex != currentTab) {
            continue;
        }
        if (!control->selected) {
            activeControl = nullptr;
            if (focusedControl != nullptr) {
                focusedControl->Deselect();
            }
            focusedControl = control;
            control->Select();
        }
        if (event.key == 9) {
            return true;
        }
        return control->HandleEvent(event);
    }
    return false;
}

bool ORenderWindow::RouteMouse(InputEvent& event) {
    // Topmost first: later controls lie on top.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        OControl* control = *it;
        if (!control->enabled) {
            continue;
        }
        if (control->HitTest(event)) {
            if (SelectsOn(control, event)) {
                if (control->focusable) {
                    if (focusedControl != nullptr && focusedControl != control) {
                        focusedControl->Deselect();
                    }
                    focusedControl = control;
                    currentTab = control->tabIndex;
                }
                // Selecting again on every move over the control would
                // replay its over sound with each mouse move.
                if (!control->selected) {
                    control->Select();
                }
                activeControl = control;
            }
            if (control->HandleEvent(event)) {
                return true;
            }
        } else if (control == activeControl && control->selectMode == 0) {
            control->Deselect();
            if (control->focusable) {
                currentTab = -1;
            }
        }
    }
    return false;
}

bool ORenderWindow::RouteWithoutFocus(InputEvent& event) {
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        OControl* control = *it;
        if (!control->enabled) {
            continue;
        }
        if (control->HitTest(event)) {
            if (SelectsOn(control, event) && !control->selected) {
                if (activeControl != nullptr) {
                    activeControl->Deselect();
                }
                activeControl = control;
                control->Select();
            }
            if (control->HandleEvent(event)) {
                return true;
            }
        } else if (control->selected && control->selectMode == 0 && IsMouse(event)) {
            // Only the pointer takes a hover look away: a key leaves the
            // keyboard's highlight lit.
            control->Deselect();
        }
    }
    if (activeControl != nullptr && activeControl->selectMode == 1) {
        return activeControl->HandleEvent(event);
    }
    return false;
}
