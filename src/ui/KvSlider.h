#pragma once

#include <string>

#include "ui/OTextStack.h"

// A horizontal track with a draggable thumb that sets a value within
// minimum..maximum, snapped to step. The track is this control's own picture.
class KvSlider : public OTextStack {
public:
    // Units an arrow press moves the value (before snapping).
    static constexpr float kArrowStep = 5.0f;

    KvSlider(OFont* font, int id, float minimum, float maximum, float step);
    ~KvSlider() override;

    bool SetImages(const std::string& trackName, const std::string& thumbName);
    void SetPosition(int newX, int newY);
    void SetValue(float newValue);
    // The value a request becomes: clamped to the range, else rounded to the
    // nearest step (halves away from zero).
    float Snap(float requested) const;

    bool HandleEvent(InputEvent& event) override;
    void Draw() override;
    bool HitTest(InputEvent& event) override;
    bool OnAttach() override;
    void Select() override;
    void Deselect() override;
    void Next() override;
    void Prev() override;

    OTextStack* thumb = nullptr;
    float minimum;
    float maximum;
    float value;
    float step;
    float unitsToPixels = 1.0f;
    int trackHot = 0;
    int dragging = 0;

private:
    void PlaceThumb();
    void SetFromPointer(float virtualX);
};
