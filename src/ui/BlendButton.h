#pragma once

#include <string>

#include "ui/O2D.h"
#include "ui/OControl.h"
#include "ui/OGlow.h"

class OTexture;

// A picture button with two stacked states and a glow that grows and fades
// when the pointer comes over it. Positioned by its centre.
class BlendButton : public OControl, public O2D {
public:
    static constexpr double kGlowEnd = 1.5;
    static constexpr double kGlowStart = 1.0;

    BlendButton(int id, bool focusable);
    ~BlendButton() override;

    bool SetImage(const std::string& name);

    bool HandleEvent(InputEvent& event) override;
    void Draw() override;
    bool HitTest(InputEvent& event) override;
    bool Box(float& left, float& bottom, float& right, float& top) const override;
    void Select() override;
    void Deselect() override;
    void Update(int ms) override;
    bool Animating() const override { return hidden == 0 && glow.Running(); }

    OTexture* texture = nullptr;
    OGlow glow{kGlowStart, kGlowEnd};
    uint8_t pressed = 0;
    uint8_t hidden = 0;
};
