#pragma once

#include <string>

#include "ui/O2D.h"
#include "ui/OControl.h"

class OFont;
class OTexture;

// A check box with a label to its left. It toggles when the left button is
// released over it after being pressed over it. Positioned by its
// bottom-left corner.
class KvCheckBox : public OControl, public O2D {
public:
    enum PressState { Idle = 0, PressedInside = 1, PressedOutside = 2 };

    KvCheckBox(OFont* font, int id, float scale);
    ~KvCheckBox() override;

    bool SetImage(const std::string& name);

    bool HandleEvent(InputEvent& event) override;
    void Draw() override;
    bool HitTest(InputEvent& event) override;
    bool Box(float& left, float& bottom, float& right, float& top) const override;
    bool OnAttach() override { return true; }

    OTexture* texture = nullptr;
    uint8_t hidden = 0;
    std::string label;
    OFont* font;
    float scale;
    int pressState = Idle;
    uint8_t checked = 0;
};
