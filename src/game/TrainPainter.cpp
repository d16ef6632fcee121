#include "game/TrainPainter.h"

#include <GL/gl.h>

#include "game/EngineSprite.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "render/OTexture.h"

TrainPainter::FrameCell TrainPainter::CellOf(int frame, int columns, int rows) {
    // The sheets are square with a power of two of columns, so the AND picks
    // the cell row.
    const float s0 = static_cast<float>(frame / rows) / static_cast<float>(columns);
    const float t0 = static_cast<float>(frame & (columns - 1)) / static_cast<float>(rows);
    return {s0, t0, s0 + 1.0f / static_cast<float>(columns), t0 + 1.0f / static_cast<float>(rows)};
}

EngineSprite& TrainPainter::UpdateSprite(Train& train) {
    EngineSprite& sprite = train.Sprite(train.spriteHeading);
    if (train.turning) {
        sprite.frame = train.spriteFrame;
    }
    sprite.position = train.position;
    return sprite;
}

void TrainPainter::DrawSprite(const EngineSprite& sprite) {
    const OTexture* texture = sprite.GetTexture();
    if (texture != nullptr) {
        texture->Bind();
    }
    const FrameCell cell = CellOf(sprite.frame, sprite.Columns(), sprite.Rows());
    const float half = kEngineSize / 2.0f;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(sprite.position.x, sprite.position.y, 0.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(cell.s0, cell.t0);
    glVertex2f(-half, -half);
    glTexCoord2f(cell.s1, cell.t0);
    glVertex2f(half, -half);
    glTexCoord2f(cell.s1, cell.t1);
    glVertex2f(half, half);
    glTexCoord2f(cell.s0, cell.t1);
    glVertex2f(-half, half);
    glEnd();
    glPopMatrix();
}

void TrainPainter::DrawTrain(Train& train) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawSprite(UpdateSprite(train));
    glEnable(GL_BLEND);
    train.Smoke().Draw();
}
