#pragma once

#include <string>

#include "ui/O2D.h"
#include "ui/OControl.h"

class OTextStack;
class OTexture;

// A pair of arrows left and right of a selector or slider that step it back
// and forth. One right-pointing picture serves both; the left is mirrored.
class KvIncDec : public OControl, public O2D {
public:
    KvIncDec(int id, bool focusable);
    ~KvIncDec() override;

    // Loads the arrow and places both arrows 2 units outside the target's
    // picture; the target must be set first.
    bool SetImage(const std::string& name);

    bool HandleEvent(InputEvent& event) override;
    void Draw() override;
    bool HitTest(InputEvent& event) override;
    void Select() override;
    void Deselect() override;

    OTexture* texture = nullptr;
    float arrowWidth = 0.0f;
    float arrowHeight = 0.0f;
    double leftOffset = 0.0;
    double rightOffset = 0.0;
    uint8_t leftHot = 0;
    uint8_t rightHot = 0;
    uint8_t hidden = 0;
    OTextStack* target = nullptr;
};
