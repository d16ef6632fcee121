#include "game/EngineSprite.h"

#include "render/OTexture.h"

EngineSprite::EngineSprite() = default;
EngineSprite::~EngineSprite() = default;

void EngineSprite::Load(const char* name) {
    auto sheet = std::make_unique<OTexture>();
    sheet->LoadScaled(name, kDrawnSize / static_cast<float>(kFrameSize));
    texture = std::move(sheet);
}

int EngineSprite::Columns() const {
    const int columns = texture ? texture->GetWidth() / kFrameSize : 0;
    return columns > 0 ? columns : 1;
}

int EngineSprite::Rows() const {
    const int rows = texture ? texture->GetHeight() / kFrameSize : 0;
    return rows > 0 ? rows : 1;
}
