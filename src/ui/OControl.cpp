#include "ui/OControl.h"

#include "sound/OSoundSystem.h"
#include "ui/ORenderWindow.h"

void OControl::PlayOverSound() const {
    if (overSound != 0) {
        OSoundSystem::Instance().PlaySound(overSound, 0);
    }
}

void OControl::PlayClickSound() const {
    if (clickSound != 0) {
        OSoundSystem::Instance().PlaySound(clickSound, 0);
    }
}

bool OControl::Notify(int controlId, int code) {
    return parent != nullptr && parent->OnControlEvent(controlId, code);
}

float OControl::VirtualX(const InputEvent& event) const {
    const float w = parent ? static_cast<float>(parent->windowWidth) : 800.0f;
    return static_cast<float>(event.x) * (800.0f / w);
}

float OControl::VirtualY(const InputEvent& event) const {
    const float h = parent ? static_cast<float>(parent->windowHeight) : 600.0f;
    return (h - static_cast<float>(event.y)) * (600.0f / h);
}
