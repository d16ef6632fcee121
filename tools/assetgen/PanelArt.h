#pragma once

#include <vector>

#include "assetgen/Asset.h"

// The panels that float over the game and menu: level complete, hints,
// game over and the small confirmation window. Their blank areas are where
// the screens print their texts and place their buttons.
class PanelArt {
public:
    static RgbaImage LevelComplete();
    static RgbaImage Hints();
    static RgbaImage GameOver();
    static RgbaImage SmallWindow();
    static void Add(std::vector<Asset>& out);
};
