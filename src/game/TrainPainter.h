#pragma once

#include "game/EngineSprite.h"

class Train;

// Draws the engine sprite of the train's heading (the frame of a turn cut
// from its sheet) and the smoke behind it.
class TrainPainter {
public:
    // Side of the drawn engine in virtual pixels.
    static constexpr float kEngineSize = EngineSprite::kDrawnSize;

    // Texture coordinates of one frame's cell on a sheet of columns x rows.
    struct FrameCell {
        float s0;
        float t0;
        float s1;
        float t1;
    };
    static FrameCell CellOf(int frame, int columns, int rows);

    // Brings the shown sprite up to date (frame while turning, position),
    // then draws it and the smoke.
    static void DrawTrain(Train& train);
    // Takes the train's frame (while it turns) and position into the sprite
    // of its heading; returns that sprite.
    static EngineSprite& UpdateSprite(Train& train);
    static void DrawSprite(const EngineSprite& sprite);
};
