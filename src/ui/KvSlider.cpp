#include "ui/KvSlider.h"

#include <cmath>

#include "ui/ORenderWindow.h"

KvSlider::KvSlider(OFont* font, int id, float minimum, float maximum, float step)
    : OTextStack(font, id, false, 1.0f),
      minimum(minimum),
      maximum(maximum),
      value(minimum),
      step(step) {}

KvSlider::~KvSlider() {
    delete thumb;
}

bool KvSlider::SetImages(const std::string& trackName, const std::string& thumbName) {
    const bool trackLoaded = SetImage(trackName);
    delete thumb;
    thumb = new OTextStack(font, 0, false, 1.0f);
    thumb->SetParent(parent);
    const bool thumbLoaded = thumb->SetImage(thumbName);
    if (maximum > minimum) {
        unitsToPixels = static_cast<float>(width - thumb->width) / (maximum - minimum);
    }
    PlaceThumb();
    return trackLoaded && thumbLoaded;
}

void KvSlider::SetPosition(int newX, int newY) {
    O2D::SetPosition(newX, newY);
    PlaceThumb();
}

float KvSlider::Snap(float requested) const {
    if (requested < minimum) {
        return minimum;
    }
    if (requested > maximum) {
        return maximum;
    }
    if (step <= 0.0f) {
        return requested;
    }
    return minimum + std::round((requested - minimum) / step) * step;
}

void KvSlider::PlaceThumb() {
    if (thumb == nullptr) {
        return;
    }
    const int thumbX = x + static_cast<int>((value - minimum) * unitsToPixels);
    const int thumbY = static_cast<int>(y + height / 2.0f - thumb->height / 2.0f);
    thumb->O2D::SetPosition(thumbX, thumbY);
}

void KvSlider::SetValue(float newValue) {
    value = Snap(newValue);
    PlaceThumb();
}

void KvSlider::Next() {
    SetValue(value + kArrowStep);
}

void KvSlider::Prev() {
    SetValue(value - kArrowStep);
}

bool KvSlider::OnAttach() {
    if (thumb != nullptr) {
        thumb->SetParent(parent);
    }
    return true;
}

bool KvSlider::HitTest(InputEvent& event) {
    if (!enabled) {
        return false;
    }
    if (dragging) {
        // A drag keeps the slider even when the pointer leaves it.
        trackHot = 0;
        return true;
    }
    if (hidden || !PictureHitTest(event)) {
        return false;
    }
    trackHot = (thumb == nullptr || !thumb->HitTest(event)) ? 1 : 0;
    return true;
}

void KvSlider::SetFromPointer(float virtualX) {
    const float thumbWidth = thumb ? static_cast<float>(thumb->width) : 0.0f;
    SetValue(minimum + (virtualX - x - thumbWidth / 2.0f) / unitsToPixels);
}

bool KvSlider::HandleEvent(InputEvent& event) {
    switch (event.type) {
        case EventMouseDown: {
            if (event.button != 0) {
                return false;
            }
            bool result = true;
            if (trackHot) {
                SetFromPointer(VirtualX(event));
                result = Notify(id, 1);
            }
            dragging = 1;
            return result;
        }
        case EventMouseMove: {
            if (!dragging) {
                return false;
            }
            const float w = parent ? static_cast<float>(parent->windowWidth) : 800.0f;
            SetFromPointer(static_cast<float>(event.x + event.dx) * (800.0f / w));
            return Notify(id, 1);
        }
        case EventMouseUp:
            if (event.button != 0 || !dragging) {
                return false;
            }
            PlaceThumb();
            dragging = 0;
            return true;
        default:
            return false;
    }
}

void KvSlider::Select() {
    if (thumb != nullptr) {
        thumb->Select();
    }
    hovered = 1;
    selected = 1;
}

void KvSlider::Deselect() {
    if (dragging) {
        dragging = 0;
        SetValue(value);
        Notify(id, 1);
    }
    hovered = 0;
    selected = 0;
    if (thumb != nullptr) {
        thumb->Deselect();
    }
}

void KvSlider::Draw() {
    OTextStack::Draw();
    if (thumb != nullptr) {
        thumb->Draw();
    }
}
