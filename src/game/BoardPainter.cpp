#include "game/BoardPainter.h"

#include <GL/gl.h>

#include <algorithm>
#include <functional>

#include "game/Board.h"
#include "game/Rail.h"
#include "game/RailCatalogue.h"
#include "render/OTexture.h"

namespace {

constexpr int kLastHandMadeLevel = 4;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
constexpr float kItemDepth = 0.01f;

bool IsSemaphore(int item) {
    return item == ItemRedSemaphore || item == ItemGreenSemaphore;
}

bool IsGroundItem(int item) {
    return item == ItemCoal || item == ItemWorker || item == ItemWorkerAlt;
}

// The four corners of a quad from (-hx, -hy) to (hx, hy) with the whole
// picture on it, row 0 at the bottom.
void TexturedQuad(float hx, float hy, float z) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-hx, -hy, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(hx, -hy, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(hx, hy, z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-hx, hy, z);
    glEnd();
}

bool Wanted(const BoardCell& cell, BoardPainter::Cells cells) {
    switch (cells) {
        case BoardPainter::Cells::Resting:
            return !cell.IsSliding();
        case BoardPainter::Cells::Sliding:
            return cell.IsSliding();
        case BoardPainter::Cells::All:
            break;
    }
    return true;
}

// A quad of the board with the picture it shows.
struct PlacedQuad {
    const OTexture* texture;
    OVector3 position;
};

// The cells' quads of one pass, grouped by picture. Every change of texture
// between two draws makes the software renderer store a copy of its whole
// pipeline state (33 KB on llvmpipe) in the frame being drawn; in cell order
// a full board made the frame that refreshes the still layer about 2 MB
// larger than the others, and the heap keeps the largest frame's pages. The
// quads lie inside cells of their own, so their order changes no pixel. The
// list is filled anew by every pass and kept, sparing the frame's passes an
// allocation each (std::sort, unlike a stable sort, takes no buffer either).
template <typename Pick>
const std::vector<PlacedQuad>& QuadsByPicture(const Board& board, Pick pick) {
    static std::vector<PlacedQuad> quads;
    quads.clear();
    for (int column = 0; column < board.boardWidth; ++column) {
        for (int row = 0; row < board.boardHeight; ++row) {
            const BoardCell& cell = board.Cell(column, row);
            if (const OTexture* texture = pick(cell)) {
                quads.push_back({texture, cell.position});
            }
        }
    }
    std::sort(quads.begin(), quads.end(), [](const PlacedQuad& a, const PlacedQuad& b) {
        return std::less<const OTexture*>()(a.texture, b.texture);
    });
    return quads;
}

float HalfCell(const Board& board) {
    return static_cast<float>(board.CellSize / 2);
}

}  // namespace

void BoardPainter::DrawBlockQuad(const OTexture* texture, const OVector3& position) {
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    if (texture != nullptr) {
        texture->Bind();
    }
    const float half = RailCatalogue::kBlockSide / 2.0f;
    TexturedQuad(half, half, 0.0f);
    glPopMatrix();
}

void BoardPainter::DrawItemQuad(const OTexture* texture, const OVector3& position) {
    if (texture == nullptr) {
        return;
    }
    texture->Bind();
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    TexturedQuad(static_cast<float>(texture->GetWidth() / 2),
                 static_cast<float>(texture->GetHeight() / 2), kItemDepth);
    glPopMatrix();
}

void BoardPainter::DrawBoard(const Board& board) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawBlocks(board, Cells::All);
    DrawGridLines(board);
    DrawSlidingAndOver(board, Cells::All);
}

// A sliding block covers only its own cell and the empty one it moves into,
// and items stay inside their cells: drawing it and its item after the
// resting ones' items changes no pixel against DrawBoard's order.
void BoardPainter::DrawResting(const Board& board) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawBlocks(board, Cells::Resting);
    DrawGridLines(board);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawItems(board, false, Cells::Resting);
    glDisable(GL_BLEND);
}

void BoardPainter::DrawMoving(const Board& board) {
    DrawSlidingAndOver(board, Cells::Sliding);
}

void BoardPainter::DrawSlidingAndOver(const Board& board, Cells itemCells) {
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    DrawBlocks(board, Cells::Sliding);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawItems(board, false, itemCells);
    glLineWidth(2.0f);
    DrawHoverFrames(board);
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
}

void BoardPainter::DrawSemaphores(const Board& board) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawItems(board, true);
    glDisable(GL_BLEND);
}

void BoardPainter::DrawBlocks(const Board& board, Cells cells) {
    const auto& quads = QuadsByPicture(board, [cells](const BoardCell& cell) -> const OTexture* {
        return cell.block != nullptr && Wanted(cell, cells) ? cell.block->texture.get() : nullptr;
    });
    for (const PlacedQuad& quad : quads) {
        DrawBlockQuad(quad.texture, quad.position);
    }
}

std::vector<BoardPainter::Line> BoardPainter::GridLines(const Board& board) {
    std::vector<Line> lines;
    const float cell = static_cast<float>(board.CellSize);
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    if (board.levelNumber <= kLastHandMadeLevel) {
        const float ox = static_cast<float>(board.originX);
        const float oy = static_cast<float>(board.originY);
        for (int i = 1; i < w; ++i) {
            const float x = ox + cell * i;
            lines.push_back({x, oy, x, kScreenHeight - oy});
        }
        for (int j = 1; j < h; ++j) {
            const float y = oy + cell * j;
            lines.push_back({ox, y, kScreenWidth - ox, y});
        }
        return lines;
    }
    for (int i = 1; i < w; ++i) {
        const float x = cell * i;
        lines.push_back({x, 0.0f, x, kScreenHeight});
    }
    for (int j = 1; j < h; ++j) {
        const float y = kScreenHeight - cell * j;
        lines.push_back({0.0f, y, kScreenWidth, y});
    }
    return lines;
}

void BoardPainter::DrawGridLines(const Board& board) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(kGridGrey, kGridGrey, kGridGrey);
    glLineWidth(1.0f);
    // All lines in one primitive: separate segments, as before.
    glBegin(GL_LINES);
    for (const Line& line : GridLines(board)) {
        glVertex2f(line.x0, line.y0);
        glVertex2f(line.x1, line.y1);
    }
    glEnd();
}

void BoardPainter::DrawItems(const Board& board, bool semaphores, Cells cells) {
    // Items ride along with a sliding block.
    const auto& quads =
        QuadsByPicture(board, [semaphores, cells](const BoardCell& cell) -> const OTexture* {
            if (cell.block == nullptr || !Wanted(cell, cells)) {
                return nullptr;
            }
            const bool wanted = semaphores ? IsSemaphore(cell.item) : IsGroundItem(cell.item);
            return wanted ? cell.itemTexture : nullptr;
        });
    for (const PlacedQuad& quad : quads) {
        DrawItemQuad(quad.texture, quad.position);
    }
}

void BoardPainter::DrawHoverFrames(const Board& board) {
    const float half = HalfCell(board);
    for (int column = 0; column < board.boardWidth; ++column) {
        for (int row = 0; row < board.boardHeight; ++row) {
            const BoardCell& cell = board.Cell(column, row);
            if (cell.block == nullptr || !cell.hovered) {
                continue;
            }
            glDisable(GL_TEXTURE_2D);
            glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glPushMatrix();
            glTranslatef(cell.position.x, cell.position.y, 0.0f);
            TexturedQuad(half, half, 0.0f);
            glPopMatrix();
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glEnable(GL_TEXTURE_2D);
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        }
    }
}
