#pragma once

#include <cstdint>
#include <vector>

#include "app/OApplication.h"

class Credits;
class OBaseImage;
class Help;
class Menu;
class OSystemOptions;
class OTexture;
class Score;

// Carrowmoor's application: loads everything behind a loading bar and makes
// the menu current. The game screen is not made here; the menu makes one
// for every new game.
class OQuarvel : public OApplication {
public:
    OQuarvel() = default;
    ~OQuarvel() override;

    bool Init() override;
    // The screens live until the application goes.
    void OnQuit() override {}

    // RGBA, top row first, from a decoded picture of 1, 3 or 4 bytes per
    // pixel kept top row first; empty when the picture holds no pixels.
    static std::vector<uint8_t> IconPixels(const OBaseImage& image);

    Menu* menuScreen = nullptr;
    OSystemOptions* optionsScreen = nullptr;
    Help* helpScreen = nullptr;
    Credits* creditsScreen = nullptr;
    Score* scoreScreen = nullptr;
    OTexture* startupLogo = nullptr;

private:
    void Loading(int percent);
    void LoadIcon();
    template <typename Screen>
    Screen* AddShellScreen(int id, const char* overlayName);
};
