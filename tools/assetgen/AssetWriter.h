#pragma once

#include <string>
#include <vector>

#include "assetgen/Asset.h"

// Writes the pictures below STAGING/Data/Textures/ in the game's formats,
// and optionally every picture as a PNG for review.
class AssetWriter {
public:
    static std::vector<uint8_t> Encode(const Asset& asset);
    static void WriteAll(const std::vector<Asset>& assets, const std::string& stagingDir);
    static void WritePngs(const std::vector<Asset>& assets, const std::string& dir);
    static void WritePng(const RgbaImage& image, const std::string& path);
};
