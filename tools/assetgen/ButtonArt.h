#pragma once

#include <string>
#include <vector>

#include "assetgen/Asset.h"

// Interface controls: lettered buttons (two bands: the upper band shows the
// idle state, the lower band the hovered/pressed state), the small menu and
// restart tabs, the four-band check box, the selector plate, the arrow
// (upper band hot), the slider track and its thumb.
class ButtonArt {
public:
    static RgbaImage LetteredButton(int width, const std::string& text);
    static RgbaImage MenuTab();
    static RgbaImage RestartTab();
    static RgbaImage CheckBox();
    static RgbaImage SelectorPlate();
    static RgbaImage Arrow();
    static RgbaImage SliderTrack();
    static RgbaImage SliderThumb();
    static void Add(std::vector<Asset>& out);
};
