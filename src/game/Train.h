#pragma once

#include <cstdint>
#include <memory>

#include "game/Direction.h"
#include "game/EngineSprite.h"
#include "render/OVector3.h"

class Board;
class HVExplosion;
struct BoardCell;
struct Rail;

// The steam train: runs block by block over the track from the Source cell,
// joins the next block only where a path end meets the end it arrives on,
// burns fuel, takes on coal, picks up workers, waits at red semaphores, and
// ends the level at the station or ends the game.
class Train {
public:
    static constexpr double kPathLength = 4000.0;
    // Path ends closer than this join.
    static constexpr float kJoinDistance = 2.0f;
    // Items are picked up when the engine passes closer than this to the
    // cell centre.
    static constexpr float kPickUpDistance = 16.0f;
    static constexpr int32_t kSemaphoreWait = 10000;
    static constexpr double kFullTank = 100.0;
    static constexpr int32_t kNoChannel = -1;

    Train();
    ~Train();
    Train(const Train&) = delete;
    Train& operator=(const Train&) = delete;

    void SetBoard(Board* newBoard) { board = newBoard; }

    // Puts the train on the Source cell for a new level.
    void ResetTrain();
    // One frame of dt milliseconds of game time.
    void UpdateTrain(int dt);
    // Takes the path of the block at (column, row) in the given mode: 0/1
    // Way forwards/backwards, 2/3 AltWay forwards/backwards.
    void EnterCell(int mode);
    // Moves on to the block ahead, arrives, or crashes.
    void StepToNextCell();

    // The point of the current path at t (cubic Bezier, single precision).
    OVector3 Curve(float t) const { return Bezier(path, t); }
    // The point at t of the cubic Bezier curve through four control points.
    static OVector3 Bezier(const OVector3* points, float t);

    // Shared with the level checker: the join and turn rules.
    // The path mode by which a train whose path ends at `end` enters the
    // cell, or -1 when no path end of its block lies close enough.
    static int JoinMode(const BoardCell& cell, const OVector3& end);
    // The four screen points of a cell's path in a mode.
    static void PathOf(const BoardCell& cell, int mode, OVector3* points);
    // The turn code of the side a train enters through when it moved by
    // (columnChange, rowChange); 2 when it did not move.
    static int32_t EntryCode(const Rail& rail, int columnChange, int rowChange);
    // The heading after entering with a turn code.
    static Direction HeadingAfter(Direction heading, int32_t code);

    HVExplosion& Smoke() { return *smoke; }
    const HVExplosion& Smoke() const { return *smoke; }
    const EngineSprite& Sprite(Direction d) const { return sprites[static_cast<int>(d)]; }
    // The drawing sets the frame and position of the sprite it shows.
    EngineSprite& Sprite(Direction d) { return sprites[static_cast<int>(d)]; }

    OVector3 position;
    OVector3 velocity;
    int32_t bonus = 0;
    int32_t engineChannel = kNoChannel;
    double progress = 0.0;
    double pathLength = kPathLength;
    int32_t column = 0;
    int32_t row = 0;
    Direction heading = Direction::Up;
    Direction spriteHeading = Direction::Up;
    bool turning = false;
    bool counterClockwise = false;
    int32_t spriteFrame = 0;
    double fuel = kFullTank;
    int32_t wait = -1;
    int32_t cellsEntered = 0;
    OVector3 path[4];

private:
    void Arrive();
    void Crash();
    void PickUp();
    void StopEngine();
    const BoardCell* LevelCell(int c, int r) const;

    std::unique_ptr<HVExplosion> smoke;
    Board* board = nullptr;
    EngineSprite sprites[4];
};
