#pragma once

#include <vector>

#include "assetgen/Asset.h"

// The steam engine seen from above, as four sprite sheets (Up, Right, Down,
// Left) of 640 x 640: 4 x 4 cells of 160, frame f in cell column f / 4 and
// cell row f % 4 counted from the bottom, turned f x 10 degrees clockwise
// from the sheet's direction.
class EngineArt {
public:
    static constexpr int kSheet = 640;
    static constexpr int kCell = 160;
    static constexpr int kFrames = 10;

    static const char* SheetName(int direction);  // "Up.Tga", ...
    // Top-left pixel of frame f's cell in the picture (top row first).
    static void CellOrigin(int frame, int& x, int& y);
    static RgbaImage Sheet(int direction);
    static void Add(std::vector<Asset>& out);
};
