#include "game/RedrawRegion.h"

#include <algorithm>
#include <cmath>

#include "game/Board.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "game/TrainPainter.h"
#include "render/OTexture.h"

namespace {

constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;
// Two boxes whose union wastes no more than about one of the renderer's
// 64 x 64 tiles are drawn as one.
constexpr long kMergeSlack = 64 * 64;

RedrawRegion::Box Union(const RedrawRegion::Box& a, const RedrawRegion::Box& b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// Merges every pair that is cheaper drawn together, then the pairs that grow
// least until at most `most` are left.
void Merge(std::vector<RedrawRegion::Box>& boxes, size_t most) {
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < boxes.size() && !merged; ++i) {
            for (size_t j = i + 1; j < boxes.size() && !merged; ++j) {
                const RedrawRegion::Box both = Union(boxes[i], boxes[j]);
                if (both.Area() <= boxes[i].Area() + boxes[j].Area() + kMergeSlack) {
                    boxes[i] = both;
                    boxes.erase(boxes.begin() + static_cast<long>(j));
                    merged = true;
                }
            }
        }
    }
    while (boxes.size() > most) {
        size_t bestI = 0;
        size_t bestJ = 1;
        long bestGrowth = -1;
        for (size_t i = 0; i < boxes.size(); ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                const long growth =
                    Union(boxes[i], boxes[j]).Area() - boxes[i].Area() - boxes[j].Area();
                if (bestGrowth < 0 || growth < bestGrowth) {
                    bestGrowth = growth;
                    bestI = i;
                    bestJ = j;
                }
            }
        }
        boxes[bestI] = Union(boxes[bestI], boxes[bestJ]);
        boxes.erase(boxes.begin() + static_cast<long>(bestJ));
    }
}

}  // namespace

bool RedrawRegion::Plan(const Frame& frame, int age, int windowWidth, int windowHeight) {
    // Frames in the history were drawn and shown one after the other: a
    // frame drawn without a swap, or anything shown in between, starts it
    // anew.
    if (!history.empty() && frame.swaps != history.back().swaps + 1) {
        history.clear();
    }
    if (history.size() == static_cast<size_t>(kHistory)) {
        // The oldest entry takes the new frame, keeping its boxes' storage:
        // a frame allocates nothing once the history is full.
        std::rotate(history.begin(), history.begin() + 1, history.end());
        history.back() = frame;
    } else {
        history.push_back(frame);
    }
    boxes.clear();
    const int frames = static_cast<int>(history.size());
    if (age < 1 || age >= frames || windowWidth <= 0 || windowHeight <= 0) {
        return false;
    }
    // The buffer holds frame frames - 1 - age; every frame since then must
    // have drawn the same backdrop.
    const Frame& held = history[static_cast<size_t>(frames - 1 - age)];
    long area = 0;
    for (int i = frames - 1 - age; i < frames; ++i) {
        const Frame& since = history[static_cast<size_t>(i)];
        if (!since.still || since.backdrop != held.backdrop) {
            boxes.clear();
            return false;
        }
        for (const Box& box : since.moving) {
            const Box clipped = {std::max(box.x0, 0), std::max(box.y0, 0),
                                 std::min(box.x1, windowWidth), std::min(box.y1, windowHeight)};
            if (clipped.Area() > 0) {
                boxes.push_back(clipped);
            }
        }
    }
    Merge(boxes, kMostBoxes);
    for (const Box& box : boxes) {
        area += box.Area();
    }
    if (static_cast<double>(area) > kMostShare * windowWidth * windowHeight) {
        boxes.clear();
        return false;
    }
    return true;
}

RedrawRegion::Box RedrawRegion::ToWindow(const Area& area, int x, int y, int width, int height) {
    const float sx = static_cast<float>(width) / kVirtualWidth;
    const float sy = static_cast<float>(height) / kVirtualHeight;
    return {x + static_cast<int>(std::floor(area.x0 * sx)) - kMargin,
            y + static_cast<int>(std::floor(area.y0 * sy)) - kMargin,
            x + static_cast<int>(std::ceil(area.x1 * sx)) + kMargin,
            y + static_cast<int>(std::ceil(area.y1 * sy)) + kMargin};
}

void RedrawRegion::AddMoving(const Board& board, const Train& train, std::vector<Area>& areas) {
    // The engine's square, as TrainPainter draws it at the train's position.
    const float engine = TrainPainter::kEngineSize / 2.0f;
    areas.push_back({train.position.x - engine, train.position.y - engine,
                     train.position.x + engine, train.position.y + engine});
    const HVExplosion& smoke = train.Smoke();
    for (int i = 0; i < smoke.GetCount(); ++i) {
        const SmokeParticle& puff = smoke.Particle(i);
        const float half = static_cast<float>(std::fabs(puff.halfSize));
        areas.push_back({puff.position.x - half, puff.position.y - half, puff.position.x + half,
                         puff.position.y + half});
    }
    const float cellHalf = static_cast<float>(board.CellSize) / 2.0f;
    for (int column = 0; column < board.boardWidth; ++column) {
        for (int row = 0; row < board.boardHeight; ++row) {
            const BoardCell& cell = board.Cell(column, row);
            if (cell.block == nullptr || (!cell.IsSliding() && !cell.hovered)) {
                continue;
            }
            // A block quad is 80 x 80, the hover frame a cell; an item is
            // drawn at its own size over the block.
            float halfW = std::max(40.0f, cellHalf);
            float halfH = halfW;
            if (cell.itemTexture != nullptr) {
                halfW = std::max(halfW, static_cast<float>(cell.itemTexture->GetWidth()) / 2.0f);
                halfH = std::max(halfH, static_cast<float>(cell.itemTexture->GetHeight()) / 2.0f);
            }
            areas.push_back({cell.position.x - halfW, cell.position.y - halfH,
                             cell.position.x + halfW, cell.position.y + halfH});
        }
    }
}
