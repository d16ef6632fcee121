#pragma once

#include <string>

#include "assetgen/RgbaImage.h"

// One generated picture and the name the game loads it by, relative to
// "Data/Textures/". Names containing ".Jpg" are written as JPEG, all others
// as TGA.
struct Asset {
    std::string name;
    RgbaImage image;

    bool IsJpeg() const { return name.find(".Jpg") != std::string::npos; }
};
