#include "game/Board.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/GameFolders.h"
#include "app/OErrorLog.h"
#include "data/OConfigFile.h"
#include "data/SystemOptions.h"
#include "game/DifficultyWeights.h"
#include "game/GameDataFile.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/GameSound.h"
#include "game/RaceBoard.h"
#include "game/RaceRules.h"
#include "game/Train.h"
#include "render/OTexture.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kLastFileLevel = 4;

// Items are drawn at their own size: no mipmaps.
std::unique_ptr<OTexture> LoadItemTexture(const char* name) {
    auto texture = std::make_unique<OTexture>();
    texture->Load(name, false);
    return texture;
}

}  // namespace

Board::Board(int beginLevel) : levelNumber(beginLevel - 1) {
    ResetCells();
}

void Board::ResetCells() {
    for (auto& column : cells) {
        for (BoardCell& cell : column) {
            cell.Reset();
        }
    }
}

Board::~Board() = default;

void Board::LoadCatalogue() {
    catalogue.Load();
    coalTexture = LoadItemTexture("Coal.Tga");
    greenTexture = LoadItemTexture("SGreen.Tga");
    redTexture = LoadItemTexture("SRed.Tga");
    workerTexture = LoadItemTexture("Worker.Tga");
    workerAltTexture = LoadItemTexture("WorkerR.Tga");
    LoadLevel();
}

void Board::LoadLevel() {
    StartLevel();
    if (levelNumber > kLastFileLevel) {
        DrawWinnableLevel();
        return;
    }
    LoadLevelFile(GameRandom::Between(1, 3));
}

void Board::StartLevel() {
    GameRandom::SeedForLevel();
    boardWidth = 10;
    boardHeight = 7;
    CellSize = RailCatalogue::kBlockSide;
    ResetCells();
    ++levelNumber;
}

void Board::LoadLevelFile(int fileNumber) {
    char path[64];
    std::snprintf(path, sizeof path, "Data/Levels/%i/%i.Txt", levelNumber, fileNumber);
    OConfigFile config;
    if (config.LoadFile(GameFolders::Instance().GameData(path).c_str()) != 0) {
        GameDataFile::Fail(path, "is missing or does not parse");
    }
    ApplyLevelFile(config, path);
    LayFrame();
    PlaceItems();
}

void Board::ApplyLevelFile(OConfigFile& config, const std::string& fileName) {
    const int width = config.GetInt("xSize", 0);
    const int height = config.GetInt("ySize", 0);
    if (width < kMinLevelSide || width > kMaxCells || height < kMinLevelSide ||
        height > kMaxCells) {
        GameDataFile::Fail(fileName, "has a board size outside 3..16");
    }
    int count = 0;
    std::unique_ptr<int[]> kinds(config.GetIntArray("Data", count, ','));
    if (!kinds || count < width * height) {
        GameDataFile::Fail(fileName, "has too few Data entries");
    }
    for (int i = 0; i < width * height; ++i) {
        if (kinds[i] < 0 || kinds[i] >= RailCatalogue::kKindCount || !RailOf(kinds[i])) {
            GameDataFile::Fail(fileName, "names an unknown rail kind");
        }
    }
    boardWidth = width;
    boardHeight = height;
    originX = (kScreenWidth - boardWidth * CellSize) / 2;
    originY = (kScreenHeight - boardHeight * CellSize) / 2;
    for (int row = 0; row < boardHeight; ++row) {
        for (int column = 0; column < boardWidth; ++column) {
            SetBlock(column, row, kinds[row * boardWidth + column]);
        }
    }
}

void Board::GenerateLevel() {
    GenerateLevel(DifficultyWeights::Read(DifficultyIndex()));
}

void Board::GenerateLevel(const DifficultyWeights& weights) {
    originX = 0;
    originY = 0;
    for (int column = 0; column < boardWidth; ++column) {
        for (int row = 0; row < boardHeight; ++row) {
            if (cells[column][row].block) {
                continue;
            }
            const int p = GameRandom::Between(0, 99);
            SetBlock(column, row, weights.KindFor(p));
        }
    }
}

void Board::DrawWinnableLevel() {
    const int d = DifficultyIndex();
    const DifficultyWeights weights = DifficultyWeights::Read(d);
    const RaceRules rules(catalogue, GameSettings::Instance(), d);
    const RaceChecker checker(rules);
    // The boards follow one another in the random sequence of this level.
    std::unique_ptr<BoardCell[]> closest;
    LevelDraws kept;
    size_t checked = 0;
    int draw = 1;
    for (; draw <= kMostDraws && checked < kMostCheckedNodes; ++draw) {
        if (draw > 1) {
            ResetCells();
        }
        GenerateLevel(weights);
        PlaceItems();
        LayFrame();
        const size_t budget = std::min(RaceChecker::kGameBudget, kMostCheckedNodes - checked);
        RaceChecker::Result check = checker.Check(RaceBoard::Of(*this), budget);
        checked += check.nodes;
        if (check.verdict == RaceChecker::Verdict::Winnable) {
            lastDraws = LevelDraws{draw, std::move(check)};
            return;
        }
        if (!closest || check.closest < kept.check.closest) {
            if (!closest) {
                closest = std::make_unique<BoardCell[]>(kMaxCells * kMaxCells);
            }
            std::copy(&cells[0][0], &cells[0][0] + kMaxCells * kMaxCells, closest.get());
            kept.check = std::move(check);
        }
    }
    std::copy(closest.get(), closest.get() + kMaxCells * kMaxCells, &cells[0][0]);
    kept.draws = draw - 1;
    lastDraws = std::move(kept);
    OErrorLog::Instance().Message(
        "Level %d: none of %d generated boards was proved winnable at difficulty %d; "
        "playing the one closest to a win",
        levelNumber, lastDraws.draws, d);
}

void Board::LayFrame() {
    const int w = boardWidth;
    const int h = boardHeight;
    for (int row = 1; row <= h - 2; ++row) {
        SetBlock(0, row, RailCatalogue::FBlox);
        SetBlock(w - 1, row, RailCatalogue::FBlox);
    }
    SetBlock(0, h - 1, RailCatalogue::Source);
    SetBlock(0, 0, RailCatalogue::HBlox);
    SetBlock(w - 1, 0, RailCatalogue::Dest);
    SetBlock(w - 1, h - 1, RailCatalogue::JBlox);
    BoardCell& hole = cells[1][0];
    hole.block = nullptr;
    hole.position = CellCenter(1, 0);
    hole.column = 1;
    hole.row = 0;
}

void Board::SetBlock(int column, int row, int kind) {
    BoardCell& cell = cells[column][row];
    cell.block = RailOf(kind);
    cell.position = CellCenter(column, row);
    cell.column = column;
    cell.row = row;
}

void Board::PlaceItems() {
    const int level = levelNumber;
    const int d = DifficultyIndex();
    int semaphores = 0;
    int coalHeaps = 0;
    if (level >= 4) {
        semaphores = 1;
        coalHeaps = 2;
    } else if (level == 3) {
        coalHeaps = 1;
    }
    if (level > kLastFileLevel) {
        const GameSettings& settings = GameSettings::Instance();
        semaphores = settings.NumSemafors[d];
        coalHeaps = settings.CoalHeaps[d];
    }
    const int workers = d == 2 ? 1 : 0;
    const int secondWorkers = d == 0 ? 0 : 1;
    // More items than cells can never all be placed.
    const int most = boardWidth * boardHeight;
    for (int i = 0; i < coalHeaps && i < most; ++i) {
        PlaceItem(ItemCoal, coalTexture.get());
    }
    for (int i = 0; i < semaphores && i < most; ++i) {
        PlaceItem(ItemRedSemaphore, redTexture.get());
    }
    for (int i = 0; i < workers; ++i) {
        PlaceItem(ItemWorker, workerTexture.get());
    }
    for (int i = 0; i < secondWorkers; ++i) {
        PlaceItem(ItemWorkerAlt, workerAltTexture.get());
    }
}

void Board::PlaceItem(int item, const OTexture* texture) {
    for (int attempt = 0; attempt < kPlaceAttempts; ++attempt) {
        const int column = GameRandom::Between(1, boardWidth - 2);
        const int row = GameRandom::Between(0, boardHeight - 1);
        BoardCell& cell = cells[column][row];
        if (cell.block && cell.item == ItemNone && cell.block->kind != RailCatalogue::ABlox) {
            cell.item = item;
            cell.itemTexture = texture;
            cell.itemPosition = CellCenter(column, row);
            return;
        }
    }
}

OVector3 Board::CellCenter(int column, int row) const {
    const int half = CellSize / 2;
    return OVector3(static_cast<float>(originX + half + CellSize * column),
                    static_cast<float>(kScreenHeight - originY - half - CellSize * row), 0.0f);
}

bool Board::AllWorkersCollected() const {
    for (int column = 0; column < boardWidth; ++column) {
        for (int row = 0; row < boardHeight; ++row) {
            const BoardCell& cell = cells[column][row];
            if (cell.block && (cell.item == ItemWorker || cell.item == ItemWorkerAlt)) {
                return false;
            }
        }
    }
    return true;
}

BoardCell* Board::CellAt(int column, int row) {
    if (column < 0 || column >= kMaxCells || row < 0 || row >= kMaxCells) {
        return nullptr;
    }
    return &cells[column][row];
}

const BoardCell* Board::CellAt(int column, int row) const {
    return const_cast<Board*>(this)->CellAt(column, row);
}

// ---- The player's moves ----

bool Board::HitTest(const BoardCell& cell, float vx, float vy) const {
    if (!cell.block) {
        return false;
    }
    const float half = static_cast<float>(CellSize / 2);
    return cell.position.x - half <= vx && vx < cell.position.x + half &&
           cell.position.y - half <= vy && vy < cell.position.y + half;
}

void Board::UpdateHover(int x, int y, int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) {
        return;
    }
    const float vx = static_cast<float>(x * (double(kScreenWidth) / clientWidth));
    const float vy = static_cast<float>(kScreenHeight - y * (double(kScreenHeight) / clientHeight));
    for (int column = 0; column < boardWidth; ++column) {
        for (int row = 0; row < boardHeight; ++row) {
            BoardCell& cell = cells[column][row];
            cell.hovered = HitTest(cell, vx, vy);
        }
    }
}

void Board::MoveBlock(int button, int x, int y, int clientWidth, int clientHeight) {
    if (AnyBlockSliding() || clientWidth <= 0 || clientHeight <= 0) {
        return;
    }
    const float vx = static_cast<float>(x * (double(kScreenWidth) / clientWidth));
    const float vy = static_cast<float>(kScreenHeight - y * (double(kScreenHeight) / clientHeight));
    MoveBlockAtPoint(button, vx, vy);
}

void Board::MoveBlockAt(int button, int column, int row) {
    if (column < 0 || column >= boardWidth || row < 0 || row >= boardHeight || AnyBlockSliding()) {
        return;
    }
    // Still blocks sit at their cell's centre; an empty cell is hit by none.
    const OVector3 centre = CellCenter(column, row);
    MoveBlockAtPoint(button, centre.x, centre.y);
}

void Board::MoveBlockAtPoint(int button, float vx, float vy) {
    const int d = DifficultyIndex();
    const int w = boardWidth;
    const int h = boardHeight;
    bool moved = false;
    bool inner = false;
    for (int column = 0; column < w; ++column) {
        for (int row = 0; row < h; ++row) {
            BoardCell& cell = cells[column][row];
            if (!HitTest(cell, vx, vy)) {
                continue;
            }
            if (cell.block->Static && d != 0) {
                GameSound::Play(GameSound::NoMove);
                return;
            }
            if (column != 0 && column != w - 1) {
                inner = true;
            }
            if (train && train->column == column && train->row == row) {
                return;
            }
            if (button != 0) {
                if (d == 2) {
                    GameSound::Play(GameSound::NoMove);
                    return;
                }
                if (column < 1 || column > w - 2 || row < 0 || row > h - 1) {
                    continue;
                }
                TurnBlock(column, row);
                const int kind = cell.block->kind;
                if (kind != RailCatalogue::ABlox && kind != RailCatalogue::DBlox) {
                    GameSound::Play(GameSound::RotateRail);
                }
                return;
            }
            if (row > 0 && !cells[column][row - 1].block) {
                PrepareSlide(cell, column, row - 1, 0.0f, kSlideSpeed);
                moved = true;
            }
            if (row < h - 1 && !cells[column][row + 1].block) {
                PrepareSlide(cell, column, row + 1, 0.0f, -kSlideSpeed);
                moved = true;
            }
            if (column > 1 && column < w - 1 && !cells[column - 1][row].block) {
                PrepareSlide(cell, column - 1, row, -kSlideSpeed, 0.0f);
                moved = true;
            }
            if (column >= 1 && column < w - 2 && !cells[column + 1][row].block) {
                PrepareSlide(cell, column + 1, row, kSlideSpeed, 0.0f);
                moved = true;
            }
        }
    }
    if (moved) {
        GameSound::Play(GameSound::MoveRail);
    } else if (inner) {
        GameSound::Play(GameSound::NoMove);
    }
}

void Board::PrepareSlide(BoardCell& cell, int column, int row, float vx, float vy) {
    cell.moveVelocity = OVector3(vx, vy, 0.0f);
    cell.moveTarget = cells[column][row].position;
    cell.moveOffset = OVector3();
    cell.targetColumn = column;
    cell.targetRow = row;
}

void Board::TurnBlock(int column, int row) {
    BoardCell& cell = cells[column][row];
    if (!cell.block || cell.block->NextRail == 0) {
        return;
    }
    const Rail* next = RailOf(cell.block->NextRail);
    if (!next) {
        return;
    }
    const int32_t item = cell.item;
    const OTexture* itemTexture = cell.itemTexture;
    cell.block = next;
    cell.position = CellCenter(column, row);
    cell.column = column;
    cell.row = row;
    cell.item = item;
    cell.itemTexture = itemTexture;
}

void Board::UpdateMoves(int dt) {
    const float step = static_cast<float>(dt);
    for (int column = 0; column < boardWidth; ++column) {
        for (int row = 0; row < boardHeight; ++row) {
            BoardCell& cell = cells[column][row];
            if (!cell.IsSliding()) {
                continue;
            }
            cell.moveOffset += cell.moveVelocity * step;
            if (cell.moveOffset.Length() > static_cast<float>(CellSize)) {
                Land(cell, column, row);
            } else {
                cell.position += cell.moveVelocity * step;
            }
        }
    }
}

void Board::Land(BoardCell& cell, int column, int row) {
    cell.position = cell.moveTarget;
    cell.moveOffset = OVector3();
    cell.moveVelocity = OVector3();
    BoardCell& target = cells[cell.targetColumn][cell.targetRow];
    target.block = cell.block;
    target.item = cell.item;
    target.itemTexture = cell.itemTexture;
    cell.block = nullptr;
    cell.moveOffset = OVector3();
    cell.moveTarget = OVector3();
    cell.position = CellCenter(column, row);
    cell.item = ItemNone;
    cell.itemTexture = nullptr;
}

bool Board::AnyBlockSliding() const {
    for (int column = 0; column < boardWidth; ++column) {
        for (int row = 0; row < boardHeight; ++row) {
            if (cells[column][row].IsSliding()) {
                return true;
            }
        }
    }
    return false;
}
