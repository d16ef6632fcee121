#pragma once

#include <cstdint>
#include <memory>

#include "render/OVector3.h"

class OTexture;

// One rail kind: how the train turns when it enters through each side, the
// two paths through the block (offsets from the cell centre, y up), whether
// the player may change it and what turning makes of it. Cells point at the
// catalogue's rails; they never own or copy them.
struct Rail {
    // Turn codes by the side the train enters through: 0 clockwise, 1
    // counter-clockwise, anything else straight on.
    int32_t Left = 0;
    int32_t Right = 0;
    int32_t Up = 0;
    int32_t Down = 0;
    bool Static = false;
    // Kind this block becomes when turned; 0 means it cannot be turned.
    int32_t NextRail = 0;
    int32_t kind = 0;
    OVector3 Way[4];
    OVector3 AltWay[4];
    std::shared_ptr<OTexture> texture;
};
