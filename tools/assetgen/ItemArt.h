#pragma once

#include <vector>

#include "assetgen/Asset.h"

// Small pictures: the board items (coal heap, red and green semaphores, two
// workers), the engine's smoke puff and the mouse cursor.
class ItemArt {
public:
    static RgbaImage Coal();
    // Red: arm horizontal, red lamp. Green: arm raised, green lamp. The arm's
    // angle tells them apart without colour.
    static RgbaImage Semaphore(bool clear);
    static RgbaImage Worker(bool second);
    static RgbaImage Smoke();
    static RgbaImage Cursor();
    static void Add(std::vector<Asset>& out);
};
