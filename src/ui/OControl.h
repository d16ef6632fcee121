#pragma once

#include <cstdint>

#include "app/InputEvent.h"

class ORenderWindow;

// Behaviour and identity of every interface control. A screen owns its
// controls, routes input to them and hears back through OnControlEvent.
class OControl {
public:
    OControl(int id, bool focusable) : id(id), focusable(focusable ? 1 : 0) {}
    virtual ~OControl() = default;
    OControl(const OControl&) = delete;
    OControl& operator=(const OControl&) = delete;

    virtual void SetParent(ORenderWindow* screen) { parent = screen; }
    // True when the event was taken.
    virtual bool HandleEvent(InputEvent& event) { return false; }
    virtual void Draw() {}
    virtual bool HitTest(InputEvent& event) { return false; }
    // Called by AddControl right after SetParent.
    virtual bool OnAttach() { return false; }
    virtual void Select() { selected = 1; }
    virtual void Deselect() { selected = 0; }
    virtual void Update(int ms) {}
    // True while the control's look changes with time alone (a glow, a
    // blinking caret), so its screen has to be drawn every frame.
    virtual bool Animating() const { return false; }
    // The rectangle in the virtual 800 x 600 space (y up) in which the
    // control takes a click; false for controls without one. The keyboard
    // presses a control in its middle.
    virtual bool Box(float& left, float& bottom, float& right, float& top) const { return false; }

    void SetSounds(int over, int click) {
        overSound = over;
        clickSound = click;
    }
    void PlayOverSound() const;
    void PlayClickSound() const;
    // Reports to the owning screen; false when there is none.
    bool Notify(int controlId, int code);

    // The pointer position of an event in the virtual 800 x 600 space, y up,
    // scaled by the parent screen's client size.
    float VirtualX(const InputEvent& event) const;
    float VirtualY(const InputEvent& event) const;

    int overSound = 0;
    int clickSound = 0;
    int id;
    ORenderWindow* parent = nullptr;
    uint8_t selected = 0;
    int16_t tabIndex = 0;
    uint8_t focusable;
    int selectMode = 0;
    uint8_t enabled = 1;
};
