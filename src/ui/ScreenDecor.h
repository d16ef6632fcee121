#pragma once

class OFont;
class OTexture;

// The two logos the shell screens draw: the start-up logo (made once at
// start-up and kept for the run) centred below the top edge, and a screen's
// own small logo at 65 % in the lower-left corner.
class ScreenDecor {
public:
    // The start-up logo; null until start-up made it.
    static OTexture* GetStartupLogo() { return startupLogo; }
    static void SetStartupLogo(OTexture* logo) { startupLogo = logo; }

    // The start-up logo at its own size, top edge at y 600 - 24, centred.
    static void DrawStartupLogo();
    // The picture as a quad of 65 % of its size at (135 - w / 2, 5).
    static void DrawSmallLogo(OTexture* logo);
    // A yes-or-no question: the panel picture over (left, bottom) to
    // (600, 400) with the text centred on it; the caller places its buttons.
    static void DrawQuestion(OTexture* panel, float left, float bottom, OFont* font,
                             const char* text);
    // Darkens everything drawn so far, so that a panel drawn next stands
    // out alone.
    static void DrawVeil(float alpha);

private:
    static OTexture* startupLogo;
};
