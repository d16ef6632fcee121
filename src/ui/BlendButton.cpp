#include "ui/BlendButton.h"

#include <GL/gl.h>

#include "render/OTexture.h"
#include "ui/OControlPainter.h"

BlendButton::BlendButton(int id, bool focusable) : OControl(id, focusable) {}

BlendButton::~BlendButton() {
    delete texture;
}

bool BlendButton::SetImage(const std::string& name) {
    if (!OControlPainter::ReplacePicture(texture, name)) {
        SetSize(1, 1);
        return false;
    }
    SetSize(texture->GetWidth(), texture->GetHeight() / 2);
    return true;
}

bool BlendButton::HandleEvent(InputEvent& event) {
    if (event.type != EventMouseDown || event.button != 0) {
        return false;
    }
    PlayClickSound();
    return Notify(id, 0);
}

bool BlendButton::HitTest(InputEvent& event) {
    if (!enabled || hidden) {
        return false;
    }
    const float mx = VirtualX(event);
    const float my = VirtualY(event);
    return x - width / 2.0f <= mx && mx < x + width / 2.0f && y - height / 2.0f <= my &&
           my < y + height / 2.0f;
}

bool BlendButton::Box(float& left, float& bottom, float& right, float& top) const {
    left = x - width / 2.0f;
    right = x + width / 2.0f;
    bottom = y - height / 2.0f;
    top = y + height / 2.0f;
    return hidden == 0;
}

void BlendButton::Select() {
    glow.Restart();
    PlayOverSound();
    pressed = 1;
    selected = 1;
}

void BlendButton::Deselect() {
    pressed = 0;
    selected = 0;
}

void BlendButton::Update(int ms) {
    glow.Advance(ms);
}

void BlendButton::Draw() {
    if (hidden) {
        return;
    }
    OControlPainter::Begin2D();
    const float halfW = width / 2.0f;
    const float halfH = height / 2.0f;
    if (glow.Running()) {
        const float g = static_cast<float>(glow.value);
        OControlPainter::DrawBand(texture, x - halfW * g, y - halfH * g, x + halfW * g,
                                  y + halfH * g, 0.5f, 1.0f, false, glow.Alpha());
    }
    if (pressed) {
        OControlPainter::DrawBand(texture, x - halfW, y - halfH, x + halfW, y + halfH, 0.0f, 0.5f);
    } else {
        OControlPainter::DrawBand(texture, x - halfW, y - halfH, x + halfW, y + halfH, 0.5f, 1.0f);
    }
    OControlPainter::End2D();
}
