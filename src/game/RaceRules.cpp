#include "game/RaceRules.h"

#include <cmath>

#include "game/Board.h"
#include "game/BoardCell.h"
#include "game/GameSettings.h"
#include "game/RailCatalogue.h"
#include "game/Train.h"

namespace {

// Any cell centre will do; this one is inside every board.
const OVector3 kCentre(360.0f, 320.0f, 0.0f);

OVector3 SidePoint(int side) {
    switch (static_cast<Direction>(side)) {
        case Direction::Up:
            return OVector3(0.0f, 40.0f, 0.0f);
        case Direction::Right:
            return OVector3(40.0f, 0.0f, 0.0f);
        case Direction::Down:
            return OVector3(0.0f, -40.0f, 0.0f);
        default:
            return OVector3(-40.0f, 0.0f, 0.0f);
    }
}

bool Meets(const OVector3& a, const OVector3& b) {
    return (a - b).Length() < 0.01f;
}

}  // namespace

RaceRules::RaceRules(const RailCatalogue& catalogue, const GameSettings& settings,
                     int difficultyIndex)
    : difficulty(difficultyIndex < 0 ? 0 : (difficultyIndex > 2 ? 2 : difficultyIndex)) {
    turnsAllowed = difficulty != 2;
    staticsLocked = difficulty != 0;
    fullTank = Train::kFullTank;
    coalMass = settings.CoalMass;
    // The train burns dt * usage in single precision every frame it moves.
    fuelPerFrame =
        static_cast<double>(static_cast<float>(kFrameMs) * settings.CoalUsage[difficulty]);
    semaphoreFrames = (Train::kSemaphoreWait + kFrameMs - 1) / kFrameMs;
    MeasurePaths(settings.eXprSpeed[difficulty]);
    MeasureSlide();
    const int pace = (kPlayerPaceMs[difficulty] + kFrameMs - 1) / kFrameMs;
    // No click is taken while a block slides.
    paceFrames = pace > slideFrames ? pace : slideFrames + 1;
    MeasurePassages(catalogue);
}

void RaceRules::MeasurePaths(float pathSpeed) {
    speed = pathSpeed;
    framesPerPath = kMostFramesPerPath;
    if (!(speed > 0.0f)) {
        return;
    }
    // The train's own stepping: progress grows by dt * speed a frame and the
    // block is left in the frame in which progress / length exceeds 1.
    double progress = 0.0;
    for (int frame = 1; frame <= kMostFramesPerPath; ++frame) {
        progress += kFrameMs * static_cast<double>(speed);
        if (progress / Train::kPathLength > 1.0) {
            framesPerPath = frame;
            return;
        }
    }
}

void RaceRules::MeasureSlide() {
    const float step = static_cast<float>(kFrameMs);
    OVector3 offset;
    const OVector3 velocity(Board::kSlideSpeed, 0.0f, 0.0f);
    slideFrames = 0;
    while (offset.Length() <= 80.0f && slideFrames < kMostFramesPerPath) {
        offset += velocity * step;
        ++slideFrames;
    }
}

void RaceRules::MeasurePassages(const RailCatalogue& catalogue) {
    for (int kind = 0; kind < kKinds; ++kind) {
        const Rail* rail = catalogue.Find(kind);
        known[kind] = rail != nullptr;
        turned[kind] = kind;
        startExits[kind] = kNoExit;
        if (!rail) {
            continue;
        }
        statics[kind] = rail->Static;
        if (rail->NextRail != 0 && catalogue.Find(rail->NextRail)) {
            turned[kind] = rail->NextRail;
        }
        BoardCell cell;
        cell.block = rail;
        cell.position = kCentre;
        OVector3 path[4];
        // The start: the first path of the Source cell, heading up.
        Train::PathOf(cell, 0, path);
        if (Meets(path[3], kCentre + SidePoint(static_cast<int>(Direction::Up)))) {
            startExits[kind] = static_cast<int>(Direction::Up);
        }
        for (int side = 0; side < 4; ++side) {
            Passage& passage = passages[kind][side];
            const int mode = Train::JoinMode(cell, kCentre + SidePoint(side));
            if (mode < 0) {
                continue;
            }
            passage.joins = true;
            const Direction heading = static_cast<Direction>((side + 2) % 4);
            const int32_t code = Train::EntryCode(*rail, StepColumn(heading), StepRow(heading));
            const Direction leaving = Train::HeadingAfter(heading, code);
            Train::PathOf(cell, mode, path);
            if (Meets(path[3], kCentre + SidePoint(static_cast<int>(leaving)))) {
                passage.exit = static_cast<int>(leaving);
            }
            // The frame in which the engine first passes close enough to the
            // centre; frame 0 is the one that entered the block.
            double progress = 0.0;
            for (int frame = 0; frame < framesPerPath; ++frame) {
                if (frame > 0) {
                    progress += kFrameMs * static_cast<double>(speed);
                }
                const float t = static_cast<float>(progress / Train::kPathLength);
                if ((Train::Bezier(path, t) - kCentre).Length() < Train::kPickUpDistance) {
                    passage.pickupFrame = frame;
                    break;
                }
            }
        }
    }
}
