#pragma once

#include <string>

#include "ui/O2D.h"
#include "ui/OControl.h"

class OFont;
class OTexture;

// A one-line text entry field with a blinking caret and horizontal
// scrolling. Selected by a click and kept selected. Positioned by its
// bottom-left corner.
class OTextField : public OControl, public O2D {
public:
    static constexpr int kMaxLength = 16;

    OTextField(OFont* font, const std::string& text, int id, bool focusable);
    ~OTextField() override;

    void SetText(const std::string& newText);
    void SetSize(int newWidth, int newHeight);
    // True when the text holds blanks only (or nothing).
    bool IsBlank() const;

    // Only printable ASCII is taken: the font has no other glyphs and the
    // high-score file separates words by whitespace.
    static bool IsAccepted(int character) { return character >= 32 && character <= 126; }

    bool HandleEvent(InputEvent& event) override;
    void Draw() override;
    bool HitTest(InputEvent& event) override;
    virtual void OnEnterKey() {}
    // The caret blinks while the field is selected.
    bool Animating() const override { return selected != 0; }

    // Process clock in milliseconds, for the caret's blinking; replaceable in
    // tests.
    static unsigned (*clock)();

    std::string text;
    int scroll = 0;
    int caret = 0;
    int maxLength = kMaxLength;
    OFont* font;
    OTexture* texture = nullptr;
    uint8_t hidden = 0;
    uint8_t swallowFirst = 1;

private:
    bool HandleKeyDown(int key);
    void TypeCharacter(int character);
    void Backspace();
    // Puts the caret at the right edge: scroll = caret - the number of
    // characters before it that fit into the field.
    void RecomputeScroll();
    float WidthOf(int count) const;
    int VisibleWidth() const { return width - 2; }
};
