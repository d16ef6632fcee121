#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/BoardCell.h"
#include "game/RaceChecker.h"
#include "game/RailCatalogue.h"
#include "render/OVector3.h"

class DifficultyWeights;
class OConfigFile;
class OTexture;
class Train;

// The playing field of one game: a grid of cells with blocks and items, the
// loading of each level (hand-made files for levels 1 to 4, generated boards
// afterwards), the fixed frame, and the player's slides and turns.
class Board {
public:
    static constexpr int kMaxCells = 16;
    static constexpr int kMinLevelSide = 3;
    // Random tries for one item before it is given up.
    static constexpr int kPlaceAttempts = 1000;
    static constexpr float kSlideSpeed = 0.25f;
    // Generated boards drawn per level at most while none is proved
    // winnable.
    static constexpr int kMostDraws = 60;
    // Boards the level checker may look at over all the draws of one level:
    // keeps the rare level that takes many draws from stalling its start.
    static constexpr size_t kMostCheckedNodes = 15000;

    // How the last generated level was found: the boards drawn, and the
    // level checker's verdict on the one kept.
    struct LevelDraws {
        int draws = 0;
        RaceChecker::Result check;
    };

    // The level counter starts one below beginLevel; LoadLevel steps it.
    explicit Board(int beginLevel);
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // Reads the rail catalogue and the five item textures, then loads the
    // first level.
    void LoadCatalogue();

    // Loads the next level.
    void LoadLevel();
    // The first steps of every level load: seed, default size, empty cells,
    // next level number.
    void StartLevel();
    // Loads "Data/Levels/<level>/<fileNumber>.Txt" for the current level
    // number, then lays the frame and places the items.
    void LoadLevelFile(int fileNumber);
    // Takes the size and kinds of a parsed level file; a size outside 3..16,
    // a short Data list or a kind outside 0..11 is fatal (named as fileName).
    void ApplyLevelFile(OConfigFile& config, const std::string& fileName);
    void GenerateLevel();
    void GenerateLevel(const DifficultyWeights& weights);
    // Generates, fills and frames boards until the level checker proves one
    // winnable at the current difficulty, at most kMostDraws times and
    // kMostCheckedNodes boards looked at in all; keeps the closest board
    // when none is proved and says so in the log.
    void DrawWinnableLevel();
    const LevelDraws& LastDraws() const { return lastDraws; }
    void LayFrame();
    void PlaceItems();

    OVector3 CellCenter(int column, int row) const;
    bool AllWorkersCollected() const;

    // Pointer input in window pixels (origin top left), mapped through the
    // real client size. Buttons: 0 left (slide), any other turns.
    void UpdateHover(int x, int y, int clientWidth, int clientHeight);
    void MoveBlock(int button, int x, int y, int clientWidth, int clientHeight);
    // The same move as a press of `button` over the centre of a cell: the
    // keyboard's way to the puzzle. Nothing outside the level.
    void MoveBlockAt(int button, int column, int row);
    void TurnBlock(int column, int row);
    void UpdateMoves(int dt);
    bool AnyBlockSliding() const;

    // The cell at (column, row), or null outside the 16 x 16 grid.
    BoardCell* CellAt(int column, int row);
    const BoardCell* CellAt(int column, int row) const;
    // The cell at (column, row) inside the grid (no range check).
    BoardCell& Cell(int column, int row) { return cells[column][row]; }
    const BoardCell& Cell(int column, int row) const { return cells[column][row]; }

    RailCatalogue& Catalogue() { return catalogue; }
    const RailCatalogue& Catalogue() const { return catalogue; }
    const Rail* RailOf(int kind) const { return catalogue.Find(kind); }
    // Puts the catalogue's rail of a kind into a still cell at its centre.
    void SetBlock(int column, int row, int kind);

    void SetTrain(Train* newTrain) { train = newTrain; }
    Train* GetTrain() const { return train; }

    int32_t CellSize = RailCatalogue::kBlockSide;
    int32_t boardWidth = 10;
    int32_t boardHeight = 7;
    int32_t levelNumber = 0;
    int32_t originX = 0;
    int32_t originY = 0;

    const OTexture* CoalTexture() const { return coalTexture.get(); }
    const OTexture* GreenSemaphoreTexture() const { return greenTexture.get(); }
    const OTexture* RedSemaphoreTexture() const { return redTexture.get(); }
    const OTexture* WorkerTexture() const { return workerTexture.get(); }
    const OTexture* SecondWorkerTexture() const { return workerAltTexture.get(); }

private:
    bool HitTest(const BoardCell& cell, float vx, float vy) const;
    // A press at a virtual-screen point (y up).
    void MoveBlockAtPoint(int button, float vx, float vy);
    void PlaceItem(int item, const OTexture* texture);
    void PrepareSlide(BoardCell& cell, int column, int row, float vx, float vy);
    void Land(BoardCell& cell, int column, int row);
    void ResetCells();

    RailCatalogue catalogue;
    BoardCell cells[kMaxCells][kMaxCells];
    Train* train = nullptr;
    LevelDraws lastDraws;
    std::unique_ptr<OTexture> coalTexture;
    std::unique_ptr<OTexture> greenTexture;
    std::unique_ptr<OTexture> redTexture;
    std::unique_ptr<OTexture> workerTexture;
    std::unique_ptr<OTexture> workerAltTexture;
};
