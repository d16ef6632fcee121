#pragma once

#include <cstdint>

#include "render/OVector3.h"

struct Rail;
class OTexture;

// Items a cell may carry.
enum CellItem : int32_t {
    ItemNone = 0,
    ItemRedSemaphore = 1,
    ItemGreenSemaphore = 2,
    ItemCoal = 3,
    ItemWorker = 4,
    ItemWorkerAlt = 5,
};

// One square of the board: at most one block and at most one item, plus the
// state of a block sliding out of it.
struct BoardCell {
    const Rail* block = nullptr;
    OVector3 position;
    OVector3 moveTarget;
    OVector3 moveVelocity;
    OVector3 moveOffset;
    int32_t column = 0;
    int32_t row = 0;
    int32_t targetColumn = 0;
    int32_t targetRow = 0;
    bool hovered = false;
    int32_t item = ItemNone;
    OVector3 itemPosition;
    const OTexture* itemTexture = nullptr;

    // Empties the cell; position, indices and hover are set where used.
    void Reset() {
        block = nullptr;
        moveTarget = OVector3();
        moveVelocity = OVector3();
        moveOffset = OVector3();
        item = ItemNone;
        itemPosition = OVector3();
        itemTexture = nullptr;
    }
    bool IsSliding() const { return moveVelocity.x != 0.0f || moveVelocity.y != 0.0f; }
};
