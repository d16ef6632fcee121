#pragma once

#include <string>
#include <vector>

#include "ui/CreditsText.h"
#include "ui/MenuPageScreen.h"

// The credits (screen 205): the lines of "Data/Credits.Kv" rise from the
// bottom, fading in, and fading out before they reach the logo at the top;
// the screen returns to the menu by itself when the last line is gone.
class Credits : public MenuPageScreen {
public:
    static constexpr double kRisePerMs = 0.05;
    static constexpr double kLineSpacing = 18.0;

    explicit Credits(int id = 205) : MenuPageScreen(id) {}

    bool Build() override;
    void OnEnter() override;
    void Draw() override;
    void Update(int ms) override;
    bool Animating() const override { return true; }  // the lines rise

    static constexpr double kFadeOut = 50.0;
    // A line's height above its y: it is gone once its top reaches the logo.
    static constexpr double kLineHeight = 18.0;

    // Alpha of a line at height y: fades in over the bottom 74 units and out
    // over the 50 below `ceiling`, squared; nothing at or above the ceiling.
    static float FadeAt(double y, double ceiling = 600.0);
    // Where lines have faded out: just below the start-up logo, so no line
    // runs over it, or the top of the screen without a logo.
    static double Ceiling();
    // True once every line has faded out at the top (at once without lines).
    bool IsFinished() const;

    std::vector<CreditLine> lines;

private:
    void PlaceLines();
};
