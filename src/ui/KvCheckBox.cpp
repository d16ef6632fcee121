#include "ui/KvCheckBox.h"

#include <GL/gl.h>

#include "render/OFont.h"
#include "render/OTexture.h"
#include "ui/OControlPainter.h"

KvCheckBox::KvCheckBox(OFont* font, int id, float scale)
    : OControl(id, false), font(font), scale(scale) {}

KvCheckBox::~KvCheckBox() {
    delete texture;
}

bool KvCheckBox::SetImage(const std::string& name) {
    if (!OControlPainter::ReplacePicture(texture, name)) {
        return false;
    }
    SetSize(texture->GetWidth(), texture->GetHeight() / 4);
    return true;
}

bool KvCheckBox::Box(float& left, float& bottom, float& right, float& top) const {
    left = x;
    right = static_cast<float>(x + width);
    bottom = y;
    top = static_cast<float>(y + height);
    return hidden == 0;
}

bool KvCheckBox::HitTest(InputEvent& event) {
    if (!enabled || hidden) {
        return false;
    }
    const float mx = VirtualX(event);
    const float my = VirtualY(event);
    return x <= mx && mx < x + width && y <= my && my < y + height;
}

bool KvCheckBox::HandleEvent(InputEvent& event) {
    switch (event.type) {
        case EventMouseMove:
            if (pressState != Idle) {
                pressState = HitTest(event) ? PressedInside : PressedOutside;
            }
            return true;
        case EventMouseDown:
            if (event.button == 0) {
                pressState = PressedInside;
            }
            return true;
        case EventMouseUp: {
            const bool toggles = pressState == PressedInside;
            pressState = Idle;
            if (toggles) {
                checked = checked ? 0 : 1;
                return Notify(id, checked ? 1 : 2);
            }
            return true;
        }
        default:
            return false;
    }
}

void KvCheckBox::Draw() {
    if (hidden) {
        return;
    }
    OControlPainter::Begin2D();
    glDisable(GL_DEPTH_TEST);
    if (checked) {
        OControlPainter::DrawBand(texture, x + 1.0f, y + 1.0f, x + width, y + height, 0.25f, 0.5f);
    } else {
        OControlPainter::DrawBand(texture, x + 1.0f, y + 1.0f, x + width, y + height, 0.0f, 0.25f);
    }
    if (font != nullptr) {
        if (!label.empty()) {
            glEnable(GL_TEXTURE_2D);
            const float labelWidth = font->GetTextWidth(label);
            font->DrawText(x - labelWidth * scale - 24.0f, y, label, true, scale, 0);
        }
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    OControlPainter::End2D();
}
