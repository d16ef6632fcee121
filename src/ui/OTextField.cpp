#include "ui/OTextField.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>

#include "render/OFont.h"
#include "render/OTexture.h"
#include "ui/OControlPainter.h"

namespace {

unsigned SdlClock() {
    return SDL_GetTicks();
}

enum Key {
    KeyBackspace = 8,
    KeyEnter = 13,
    KeyEnd = 35,
    KeyHome = 36,
    KeyLeft = 37,
    KeyRight = 39,
    KeyDelete = 46
};

}  // namespace

unsigned (*OTextField::clock)() = &SdlClock;

OTextField::OTextField(OFont* font, const std::string& initialText, int id, bool focusable)
    : OControl(id, focusable), font(font) {
    selectMode = 1;
    fillEnabled = 1;
    frameEnabled = 1;
    O2D::SetSize(150, 48);
    SetText(initialText);
}

OTextField::~OTextField() {
    delete texture;
}

float OTextField::WidthOf(int count) const {
    if (font == nullptr || count <= 0) {
        return 0.0f;
    }
    return font->GetTextWidth(text.substr(0, static_cast<size_t>(count)));
}

void OTextField::RecomputeScroll() {
    std::string before = text.substr(0, static_cast<size_t>(caret));
    std::reverse(before.begin(), before.end());
    const int fit =
        font ? font->GetFitCount(before, static_cast<uint16_t>(std::max(0, VisibleWidth())))
             : caret;
    scroll = std::max(0, caret - fit);
}

void OTextField::SetText(const std::string& newText) {
    text = newText;
    caret = static_cast<int>(text.size());
    if (WidthOf(caret) <= VisibleWidth()) {
        scroll = 0;
    } else {
        RecomputeScroll();
    }
}

void OTextField::SetSize(int newWidth, int newHeight) {
    O2D::SetSize(newWidth, newHeight);
    SetText(text);
}

bool OTextField::IsBlank() const {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool OTextField::HitTest(InputEvent& event) {
    if (!enabled || hidden) {
        return false;
    }
    const float mx = VirtualX(event);
    const float my = VirtualY(event);
    return x <= mx && mx < x + width && y <= my && my < y + height;
}

void OTextField::TypeCharacter(int character) {
    if (!IsAccepted(character) || static_cast<int>(text.size()) >= maxLength) {
        return;
    }
    text.insert(text.begin() + caret, static_cast<char>(character));
    ++caret;
    // Keep the caret in view as the text grows past the right edge.
    if (WidthOf(caret) >= WidthOf(scroll) + VisibleWidth()) {
        RecomputeScroll();
    }
}

void OTextField::Backspace() {
    if (caret <= 0) {
        return;
    }
    text.erase(static_cast<size_t>(caret - 1), 1);
    --caret;
    if (scroll > 0) {
        const std::string visible =
            text.substr(static_cast<size_t>(std::min<int>(scroll, static_cast<int>(text.size()))));
        const int visibleCount =
            font ? font->GetFitCount(visible, static_cast<uint16_t>(std::max(0, VisibleWidth())))
                 : static_cast<int>(visible.size());
        if (scroll + visibleCount == caret) {
            RecomputeScroll();
        } else {
            --scroll;
        }
    }
    scroll = std::min(scroll, caret);
}

bool OTextField::HandleKeyDown(int key) {
    const int length = static_cast<int>(text.size());
    switch (key) {
        case KeyBackspace:
            Backspace();
            return true;
        case KeyEnter:
            OnEnterKey();
            return Notify(id, 0);
        case KeyEnd:
            caret = length;
            if (WidthOf(caret) > VisibleWidth()) {
                RecomputeScroll();
            }
            return true;
        case KeyHome:
            caret = 0;
            scroll = 0;
            return true;
        case KeyLeft:
            if (caret > 0) {
                --caret;
                if (scroll > caret) {
                    --scroll;
                }
            }
            return true;
        case KeyRight:
            if (caret < length) {
                ++caret;
                if (WidthOf(caret) >= WidthOf(scroll) + VisibleWidth()) {
                    RecomputeScroll();
                }
            }
            return true;
        case KeyDelete:
            if (caret < length) {
                text.erase(static_cast<size_t>(caret), 1);
            }
            return true;
        default:
            return false;
    }
}

bool OTextField::HandleEvent(InputEvent& event) {
    if (swallowFirst) {
        // Normally the click that selected the field.
        swallowFirst = 0;
        return true;
    }
    switch (event.type) {
        case EventMouseDown:
            Select();
            return true;
        case EventChar:
            if (event.key != KeyBackspace && event.key != KeyEnter) {
                TypeCharacter(event.key);
            }
            return true;
        case EventKeyDown:
            return HandleKeyDown(event.key);
        default:
            return true;
    }
}

void OTextField::Draw() {
    if (hidden) {
        return;
    }
    OControlPainter::Begin2D();
    if (texture != nullptr && texture->GetImage() != nullptr) {
        OControlPainter::DrawBand(texture, x, y, x + width, y + height, 0.0f, 1.0f);
    } else if (fillEnabled) {
        DrawBackground();
    }
    if (frameEnabled) {
        DrawFrame();
    }
    if (font != nullptr) {
        glEnable(GL_TEXTURE_2D);
        const size_t first = std::min(static_cast<size_t>(scroll), text.size());
        font->DrawText(x + 1.0f, y - 6.0f, text.substr(first), true, 1.0f, 0);
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (selected && clock() % 1000 > 500) {
        const float cx = x + WidthOf(caret) - WidthOf(scroll);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
        glRectf(cx, y + 2.0f, cx + 2.0f, y + height - 2.0f);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
    }
    OControlPainter::End2D();
}
