#include "ui/OTextStack.h"

#include <GL/gl.h>

#include "render/OFont.h"
#include "render/OTexture.h"
#include "ui/OControlPainter.h"

namespace {
const std::string kNoText;
}

OTextStack::OTextStack(OFont* font, int id, bool focusable, float scale)
    : OControl(id, focusable), glow(scale, kGlowEnd), font(font), scale(scale) {
    current = items.end();
    remembered = items.end();
}

OTextStack::~OTextStack() {
    delete texture;
}

bool OTextStack::SetImage(const std::string& name) {
    if (!OControlPainter::ReplacePicture(texture, name)) {
        SetSize(1, 1);
        return false;
    }
    SetSize(texture->GetWidth(), texture->GetHeight() / 2);
    return true;
}

void OTextStack::AddItem(const std::string& text, int key) {
    for (const auto& item : items) {
        if (item.second == text) {
            return;
        }
    }
    items[key] = text;
    current = items.find(key);
    remembered = current;
}

void OTextStack::SelectKey(int key) {
    auto it = items.find(key);
    if (it != items.end()) {
        current = it;
        remembered = it;
    }
}

int OTextStack::CurrentKey() const {
    return current == items.end() ? 0 : current->first;
}

const std::string& OTextStack::CurrentText() const {
    return current == items.end() ? kNoText : current->second;
}

int OTextStack::RememberedKey() const {
    return remembered == items.end() ? 0 : remembered->first;
}

void OTextStack::Next() {
    if (current == items.end()) {
        return;
    }
    remembered = current;
    auto following = std::next(current);
    if (following != items.end()) {
        current = following;
    }
}

void OTextStack::Prev() {
    if (current == items.end() || current == items.begin()) {
        return;
    }
    remembered = current;
    --current;
}

bool OTextStack::HandleEvent(InputEvent& event) {
    if (event.type != EventMouseDown || event.button != 0) {
        return false;
    }
    if (current != items.end()) {
        remembered = current;
        ++current;
        if (current == items.end()) {
            current = items.begin();
        }
    }
    PlayClickSound();
    return Notify(id, CurrentKey());
}

void OTextStack::Select() {
    glow.Restart();
    PlayOverSound();
    hovered = 1;
    selected = 1;
}

void OTextStack::Deselect() {
    hovered = 0;
    selected = 0;
}

void OTextStack::Update(int ms) {
    glow.Advance(ms);
}

bool OTextStack::PictureHitTest(InputEvent& event) {
    const float mx = VirtualX(event);
    const float my = VirtualY(event);
    return x <= mx && mx < x + width && y <= my && my < y + height;
}

bool OTextStack::Box(float& left, float& bottom, float& right, float& top) const {
    if (texture != nullptr) {
        left = x;
        right = static_cast<float>(x + width);
        bottom = y;
        top = static_cast<float>(y + height);
    } else {
        // As HitTest measures a text button (scale applied twice).
        const float textWidth = font ? font->GetTextWidth(CurrentText()) : 0.0f;
        const float halfW = static_cast<int>(textWidth * scale) * scale / 2.0f;
        const float halfH = static_cast<int>(18.0f * scale) * scale / 2.0f;
        left = x - halfW;
        right = x + halfW;
        bottom = y - halfH;
        top = y + halfH;
    }
    return hidden == 0;
}

bool OTextStack::HitTest(InputEvent& event) {
    if (!enabled || hidden) {
        return false;
    }
    if (texture != nullptr) {
        return PictureHitTest(event);
    }
    // The stored size is the printed size; the test applies the scale once
    // more, so the hit box is scale times the printed text.
    const float textWidth = font ? font->GetTextWidth(CurrentText()) : 0.0f;
    width = static_cast<int16_t>(textWidth * scale);
    height = static_cast<int16_t>(18.0f * scale);
    const float mx = VirtualX(event);
    const float my = VirtualY(event);
    const float halfW = width * scale / 2.0f;
    const float halfH = height * scale / 2.0f;
    return x - halfW <= mx && mx < x + halfW && y - halfH <= my && my < y + halfH;
}

void OTextStack::Draw() {
    if (hidden) {
        return;
    }
    OControlPainter::Begin2D();
    if (texture != nullptr) {
        DrawPictureMode();
    } else {
        DrawTextMode();
    }
    DrawLabel();
    OControlPainter::End2D();
}

void OTextStack::DrawPictureMode() {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    const float w = static_cast<float>(texture->GetWidth());
    const float h = texture->GetHeight() / 2.0f;
    if (hovered) {
        OControlPainter::DrawBand(texture, 1.0f, 1.0f, w, h, 0.0f, 0.5f);
    } else {
        OControlPainter::DrawBand(texture, 1.0f, 1.0f, w, h, 0.5f, 1.0f);
    }
    if (font != nullptr && !items.empty()) {
        glEnable(GL_TEXTURE_2D);
        const float textWidth = font->GetTextWidth(CurrentText());
        const float tx = centreText ? (w - textWidth * scale) / 2.0f : 1.0f;
        font->DrawText(tx, 1.0f, CurrentText(), true, scale, 0);
    }
    glPopMatrix();
}

void OTextStack::DrawTextMode() {
    if (font == nullptr) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    const float w = font->GetTextWidth(CurrentText());
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    if (glow.Running()) {
        const float g = static_cast<float>(glow.value);
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, glow.Alpha());
        font->DrawText(-w * g / 2.0f, -16.0f * g, CurrentText(), true, g, 0);
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    font->DrawText(-w * scale / 2.0f, -16.0f * scale, CurrentText(), true, scale, selected ? 1 : 0);
    glPopMatrix();
}

void OTextStack::DrawLabel() {
    if (font == nullptr) {
        return;
    }
    if (!label.empty()) {
        glEnable(GL_TEXTURE_2D);
        const float labelWidth = font->GetTextWidth(label);
        font->DrawText(x - labelWidth * scale - 24.0f, y, label, true, scale, 0);
    }
    OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
}
