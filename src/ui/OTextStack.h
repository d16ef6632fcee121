#pragma once

#include <map>
#include <string>

#include "ui/O2D.h"
#include "ui/OControl.h"
#include "ui/OGlow.h"

class OFont;
class OTexture;

// A button that cycles through a list of texts on each click: a text
// selector with a glow in text mode, or a picture with a caption in picture
// mode. Positioned by its centre (text) or bottom-left corner (picture).
class OTextStack : public OControl, public O2D {
public:
    static constexpr double kGlowEnd = 2.25;

    OTextStack(OFont* font, int id, bool focusable, float scale);
    ~OTextStack() override;

    bool SetImage(const std::string& name);
    // Adds text under key (or replaces the key's text) and makes it current;
    // nothing happens when some item already has this text.
    void AddItem(const std::string& text, int key);
    void SelectKey(int key);
    // Key of the current item; 0 when there are no items.
    int CurrentKey() const;
    const std::string& CurrentText() const;
    // Key of the item that was current before the last change.
    int RememberedKey() const;
    bool HasItems() const { return !items.empty(); }

    bool HandleEvent(InputEvent& event) override;
    void Draw() override;
    bool HitTest(InputEvent& event) override;
    bool Box(float& left, float& bottom, float& right, float& top) const override;
    void Select() override;
    void Deselect() override;
    void Update(int ms) override;
    bool Animating() const override { return hidden == 0 && glow.Running(); }
    // Moves to the following item, staying on the last.
    virtual void Next();
    // Moves to the preceding item, staying on the first.
    virtual void Prev();

    OTexture* texture = nullptr;
    OGlow glow;
    uint8_t hidden = 0;
    uint8_t centreText = 1;
    std::string label;
    OFont* font;
    std::map<int, std::string> items;
    std::map<int, std::string>::iterator current;
    std::map<int, std::string>::iterator remembered;
    uint8_t hovered = 0;
    float scale;

protected:
    bool PictureHitTest(InputEvent& event);
    void DrawPictureMode();
    void DrawTextMode();
    void DrawLabel();
};
