#pragma once

#include <string>
#include <vector>

#include "assetgen/Asset.h"
#include "assetgen/TrackPath.h"

// The twelve board blocks (128 x 128, drawn as 80 x 80 cells): meadow,
// ballast, sleepers and two steel rails along each kind's path, a bevel so
// the blocks read as movable tiles, and bolted corner brackets on the two
// static blocks (start platform and final station).
class RailArt {
public:
    static constexpr int kKinds = 12;
    static constexpr int kSize = 128;

    static const char* KindName(int kind);
    static std::string FileName(int kind);  // "Rails/<Name>.Tga"
    static std::vector<TrackPath> Paths(int kind);
    static bool IsStatic(int kind) { return kind >= 10; }

    static RgbaImage Draw(int kind);
    static void Add(std::vector<Asset>& out);
};
