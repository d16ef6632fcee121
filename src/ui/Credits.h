#pragma once

#include <string>
#include <vector>

#include "ui/CreditsText.h"
#include "ui/MenuPageScreen.h"

// The credits (screen 205): the lines of "Data/Credits.Kv" rise from the
// bottom, fading in and out, and the screen returns to the menu by itself
// when the last line has left the top.
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

    // Alpha of a line at height y: fades in over the bottom 74 units and out
    // over the top 50, squared.
    static float FadeAt(double y);
    // True once every line has risen above the screen (at once without lines).
    bool IsFinished() const;

    std::vector<CreditLine> lines;

private:
    void PlaceLines();
};
