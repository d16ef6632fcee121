#include "game/Train.h"

#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameSettings.h"
#include "game/GameSound.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Rail.h"

namespace {

constexpr int kLastFrame = 9;

float Distance(const OVector3& a, const OVector3& b) {
    return (a - b).Length();
}

int ClampFrame(int frame) {
    return frame < 0 ? 0 : (frame > kLastFrame ? kLastFrame : frame);
}

}  // namespace

Train::Train() : smoke(std::make_unique<HVExplosion>()) {
    static const char* const kSheets[4] = {"Up.Tga", "Right.Tga", "Down.Tga", "Left.Tga"};
    for (int d = 0; d < 4; ++d) {
        sprites[d].Load(kSheets[d]);
    }
    heading = Direction::Up;
    engineChannel = kNoChannel;
    smoke->Start();
}

Train::~Train() = default;

const BoardCell* Train::LevelCell(int c, int r) const {
    if (!board || c < 0 || c >= board->boardWidth || r < 0 || r >= board->boardHeight) {
        return nullptr;
    }
    return board->CellAt(c, r);
}

void Train::ResetTrain() {
    wait = -1;
    cellsEntered = 0;
    column = 0;
    row = board->boardHeight - 1;
    const BoardCell& source = board->Cell(column, row);
    position = source.position + (source.block ? source.block->Way[0] : OVector3());
    progress = 0.0;
    pathLength = kPathLength;
    heading = Direction::Up;
    spriteHeading = Direction::Up;
    fuel = kFullTank;
    EnterCell(0);
    turning = false;
    counterClockwise = false;
    velocity = OVector3();
    if (engineChannel != kNoChannel) {
        GameSound::Stop(engineChannel);
    }
    engineChannel = GameSound::Play(GameSound::Engine);
}

void Train::PathOf(const BoardCell& cell, int mode, OVector3* points) {
    if (!cell.block) {
        for (int k = 0; k < 4; ++k) {
            points[k] = cell.position;
        }
        return;
    }
    const OVector3* way = mode < 2 ? cell.block->Way : cell.block->AltWay;
    const bool backwards = mode == 1 || mode == 3;
    for (int k = 0; k < 4; ++k) {
        points[k] = cell.position + way[backwards ? 3 - k : k];
    }
}

void Train::EnterCell(int mode) {
    PathOf(board->Cell(column, row), mode, path);
}

OVector3 Train::Bezier(const OVector3* points, float t) {
    const float u = 1.0f - t;
    const float a = u * u * u;
    const float b = 3.0f * t * u * u;
    const float c = 3.0f * t * t * u;
    const float d = t * t * t;
    return points[0] * a + points[1] * b + points[2] * c + points[3] * d;
}

int Train::JoinMode(const BoardCell& cell, const OVector3& end) {
    if (!cell.block) {
        return -1;
    }
    const OVector3 ends[4] = {cell.block->Way[0], cell.block->Way[3], cell.block->AltWay[0],
                              cell.block->AltWay[3]};
    for (int mode = 0; mode < 4; ++mode) {
        if (Distance(cell.position + ends[mode], end) < kJoinDistance) {
            return mode;
        }
    }
    return -1;
}

int32_t Train::EntryCode(const Rail& rail, int columnChange, int rowChange) {
    if (columnChange > 0) {
        return rail.Left;
    }
    if (columnChange < 0) {
        return rail.Right;
    }
    if (rowChange > 0) {
        return rail.Up;
    }
    if (rowChange < 0) {
        return rail.Down;
    }
    return 2;
}

Direction Train::HeadingAfter(Direction current, int32_t code) {
    if (code == 0) {
        return TurnClockwise(current);
    }
    if (code == 1) {
        return TurnCounterClockwise(current);
    }
    return current;
}

void Train::UpdateTrain(int dt) {
    smoke->Update(static_cast<double>(dt));
    if (GameState == StateLevelComplete) {
        position += velocity * static_cast<float>(dt);
        return;
    }
    if (wait > 0) {
        wait -= dt;
        return;
    }
    const int w = board->boardWidth;
    const int h = board->boardHeight;
    if (column == w - 1 && row == 0) {
        GameState = StateLevelComplete;
        bonus = w * h * 10 - cellsEntered;
        return;
    }
    if (GameState == StateGameOver) {
        return;
    }
    const int d = DifficultyIndex();
    const GameSettings& settings = GameSettings::Instance();
    progress += dt * static_cast<double>(settings.eXprSpeed[d]);
    double t = progress / pathLength;
    if (t > 1.0) {
        turning = false;
        counterClockwise = false;
        t = 0.0;
        progress = 0.0;
        StepToNextCell();
        if (GameState == StateGameOver) {
            t = 1.0;
        }
    }
    if (turning) {
        const double raw = counterClockwise ? 10.0 - 10.0 * t - 1.0 : 10.0 * t;
        spriteFrame = ClampFrame(static_cast<int>(raw));
    }
    if (GameState != StateLevelComplete) {
        position = Curve(static_cast<float>(t));
        smoke->position = Curve(static_cast<float>(t + 0.25));
    }
    PickUp();
    fuel -= static_cast<double>(static_cast<float>(dt) * settings.CoalUsage[d]);
    if (fuel < 0.0) {
        GameEndMark = StateGameOver;
        GameState = StateGameOver;
        fuel = 0.0;
    }
    if (GameState == StateGameOver) {
        StopEngine();
        GameSound::Play(GameSound::EngineStop);
    }
}

void Train::PickUp() {
    BoardCell& cell = board->Cell(column, row);
    if (!cell.block || Distance(position, cell.position) >= kPickUpDistance) {
        return;
    }
    if (cell.item == ItemCoal) {
        cell.item = ItemNone;
        cell.itemTexture = nullptr;
        fuel += GameSettings::Instance().CoalMass;
        GameSound::Play(GameSound::TuTu);
    } else if (cell.item == ItemWorker || cell.item == ItemWorkerAlt) {
        score += 100;
        cell.item = ItemNone;
        cell.itemTexture = nullptr;
        GameSound::Play(GameSound::TuTu);
    } else if (cell.item == ItemRedSemaphore) {
        cell.item = ItemGreenSemaphore;
        cell.itemTexture = board->GreenSemaphoreTexture();
        wait = kSemaphoreWait;
        GameSound::Play(GameSound::SemaphoreNear);
    }
}

void Train::StepToNextCell() {
    if (GameState == StateLevelComplete) {
        return;
    }
    const int w = board->boardWidth;
    const int oldColumn = column;
    const int oldRow = row;
    if (column == w - 1 && row == 1) {
        Arrive();
    } else {
        const int nextColumn = column + StepColumn(heading);
        const int nextRow = row + StepRow(heading);
        const BoardCell* next = LevelCell(nextColumn, nextRow);
        if (!next || !next->block) {
            if (column == w - 1 && (row == 0 || row == 1)) {
                Arrive();
            } else {
                Crash();
                return;
            }
        } else {
            const int mode = JoinMode(*next, path[3]);
            if (mode < 0) {
                Crash();
                return;
            }
            column = nextColumn;
            row = nextRow;
            EnterCell(mode);
        }
    }
    const BoardCell& now = board->Cell(column, row);
    const int32_t code = now.block ? EntryCode(*now.block, column - oldColumn, row - oldRow) : 2;
    ++cellsEntered;
    if (code == 0) {
        spriteHeading = heading;
        turning = true;
        counterClockwise = false;
        heading = TurnClockwise(heading);
    } else if (code == 1) {
        turning = true;
        counterClockwise = true;
        heading = TurnCounterClockwise(heading);
        spriteHeading = heading;
    } else {
        turning = false;
    }
}

void Train::Arrive() {
    progress = 1.0;
    position = Curve(1.0f);
    GameSound::Play(GameSound::EngineSlow);
    velocity = OVector3(0.0f, 0.1f, 0.0f);
    StopEngine();
    if (!board->AllWorkersCollected()) {
        GameEndMark = StateGameOver;
        GameState = StateGameOver;
        return;
    }
    GameState = StateLevelComplete;
    bonus = board->boardWidth * board->boardHeight * 10 - cellsEntered;
}

void Train::Crash() {
    GameState = StateGameOver;
    GameEndMark = StateGameOver;
}

void Train::StopEngine() {
    if (engineChannel != kNoChannel) {
        GameSound::Stop(engineChannel);
    }
    engineChannel = kNoChannel;
}
