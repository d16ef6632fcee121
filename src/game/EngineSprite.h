#pragma once

#include <cstdint>
#include <memory>

#include "render/OVector3.h"

class OTexture;

// An animated sprite: a sheet cut into frames of 160 x 160 pixels, the frame
// shown and where it is shown.
class EngineSprite {
public:
    static constexpr int kFrameSize = 160;
    // Every frame is drawn 96 pixels square, so the sheet is stored at that
    // scale.
    static constexpr int kDrawnSize = 96;

    EngineSprite();
    ~EngineSprite();
    EngineSprite(const EngineSprite&) = delete;
    EngineSprite& operator=(const EngineSprite&) = delete;

    // Loads the sheet, stored at the size its frames are drawn.
    void Load(const char* name);

    const OTexture* GetTexture() const { return texture.get(); }
    // Frame columns and rows of the sheet (at least 1 each).
    int Columns() const;
    int Rows() const;

    int32_t frame = 0;
    OVector3 position;

private:
    std::unique_ptr<OTexture> texture;
};
