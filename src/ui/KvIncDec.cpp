#include "ui/KvIncDec.h"

#include "render/OTexture.h"
#include "ui/OControlPainter.h"
#include "ui/OTextStack.h"

KvIncDec::KvIncDec(int id, bool focusable) : OControl(id, focusable) {}

KvIncDec::~KvIncDec() {
    delete texture;
}

bool KvIncDec::SetImage(const std::string& name) {
    if (!OControlPainter::ReplacePicture(texture, name)) {
        return false;
    }
    arrowWidth = static_cast<float>(texture->GetWidth());
    arrowHeight = texture->GetHeight() / 2.0f;
    if (target != nullptr) {
        const int targetPictureWidth =
            target->texture != nullptr && target->texture->GetImage() != nullptr
                ? target->texture->GetWidth()
                : target->width;
        leftOffset = target->x - 2.0 - arrowWidth;
        rightOffset = target->x + targetPictureWidth + 2.0;
        SetPosition(0, target->y);
    }
    return true;
}

bool KvIncDec::HitTest(InputEvent& event) {
    if (hidden || !enabled) {
        return false;
    }
    const float mx = VirtualX(event);
    const float my = VirtualY(event);
    const bool inRow = y <= my && my < y + arrowHeight;
    leftHot = inRow && x + leftOffset <= mx && mx < x + leftOffset + arrowWidth;
    rightHot = inRow && x + rightOffset <= mx && mx < x + rightOffset + arrowWidth;
    return leftHot || rightHot;
}

bool KvIncDec::HandleEvent(InputEvent& event) {
    if (event.type != EventMouseDown || event.button != 0) {
        return false;
    }
    const bool result = Notify(id, 0);
    if (target != nullptr) {
        if (rightHot) {
            PlayClickSound();
            target->Next();
        }
        if (leftHot) {
            PlayClickSound();
            target->Prev();
        }
    }
    return result;
}

void KvIncDec::Select() {
    PlayOverSound();
    selected = 1;
}

void KvIncDec::Deselect() {
    selected = 0;
}

void KvIncDec::Draw() {
    if (hidden) {
        return;
    }
    OControlPainter::Begin2D();
    const float lx = static_cast<float>(x + leftOffset);
    const float rx = static_cast<float>(x + rightOffset);
    OControlPainter::DrawBand(texture, lx + 1.0f, y + 1.0f, lx + arrowWidth, y + arrowHeight,
                              leftHot ? 0.5f : 0.0f, leftHot ? 1.0f : 0.5f, true);
    OControlPainter::DrawBand(texture, rx + 1.0f, y + 1.0f, rx + arrowWidth, y + arrowHeight,
                              rightHot ? 0.5f : 0.0f, rightHot ? 1.0f : 0.5f, false);
    OControlPainter::End2D();
}
