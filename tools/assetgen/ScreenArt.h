#pragma once

#include <vector>

#include "assetgen/Asset.h"

// Full-screen pictures: the game screen's countryside (GB.Tga), the menu
// screens' painted landscape (Interface/Menu.Jpg) and the status bar.
class ScreenArt {
public:
    static RgbaImage GameBackground();
    static RgbaImage MenuBackground();
    static RgbaImage StatusBar();
    static void Add(std::vector<Asset>& out);
};
