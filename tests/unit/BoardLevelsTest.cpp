#include <gtest/gtest.h>

#include <set>

#include "PuzzleWorld.h"
#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"
#include "game/DifficultyWeights.h"

namespace {

void ExpectFrame(const Board& board) {
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    auto kindAt = [&](int c, int r) {
        const BoardCell& cell = board.Cell(c, r);
        return cell.block ? cell.block->kind : -1;
    };
    EXPECT_EQ(kindAt(0, h - 1), RailCatalogue::Source);
    EXPECT_EQ(kindAt(0, 0), RailCatalogue::HBlox);
    EXPECT_EQ(kindAt(w - 1, 0), RailCatalogue::Dest);
    EXPECT_EQ(kindAt(w - 1, h - 1), RailCatalogue::JBlox);
    for (int r = 1; r <= h - 2; ++r) {
        EXPECT_EQ(kindAt(0, r), RailCatalogue::FBlox) << "row " << r;
        EXPECT_EQ(kindAt(w - 1, r), RailCatalogue::FBlox) << "row " << r;
    }
    EXPECT_EQ(kindAt(1, 0), -1) << "the hole";
    // Every block sits at its cell's centre with its own indices.
    for (int c = 0; c < w; ++c) {
        for (int r = 0; r < h; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            if (!cell.block)
                continue;
            EXPECT_EQ(cell.position.x, board.CellCenter(c, r).x);
            EXPECT_EQ(cell.position.y, board.CellCenter(c, r).y);
            EXPECT_EQ(cell.column, c);
            EXPECT_EQ(cell.row, r);
        }
    }
}

// Items only on inner, non-blank blocks.
void ExpectItemsPlacedFairly(const Board& board) {
    for (int c = 0; c < board.boardWidth; ++c) {
        for (int r = 0; r < board.boardHeight; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            if (cell.item == ItemNone || !cell.block)
                continue;
            EXPECT_NE(c, 0);
            EXPECT_NE(c, board.boardWidth - 1);
            EXPECT_NE(cell.block->kind, RailCatalogue::ABlox) << c << "," << r;
        }
    }
}

}  // namespace

TEST(BoardLevels, EveryLevelGetsTheFrameAndTheHoleWhateverItsSource) {
    PuzzleWorld world(1, 1);
    // Files full of crossings and of blanks; their frame cells say otherwise.
    for (int n = 1; n <= 3; ++n) {
        PuzzleWorld::WriteLevel(1, n, PuzzleWorld::UniformLevel(6, 5, 3));
        PuzzleWorld::WriteLevel(2, n, PuzzleWorld::UniformLevel(10, 7, 0));
    }
    world.Build();
    EXPECT_EQ(world.board->levelNumber, 1);
    EXPECT_EQ(world.board->boardWidth, 6);
    EXPECT_EQ(world.board->boardHeight, 5);
    ExpectFrame(*world.board);
    world.board->LoadLevel();
    EXPECT_EQ(world.board->boardWidth, 10);
    ExpectFrame(*world.board);
    world.board->levelNumber = 7;
    world.board->LoadLevel();
    EXPECT_EQ(world.board->levelNumber, 8);
    ExpectFrame(*world.board);
}

TEST(BoardLevels, FileLevelsAreCentredAndGeneratedOnesStartAtTheTopLeft) {
    PuzzleWorld world(1, 4);
    for (int n = 1; n <= 3; ++n) {
        PuzzleWorld::WriteLevel(4, n, PuzzleWorld::UniformLevel(10, 7, 4));
    }
    world.Build();
    Board& board = *world.board;
    EXPECT_EQ(board.originX, 0);
    EXPECT_EQ(board.originY, 20);
    EXPECT_EQ(board.CellCenter(0, 0).x, 40.0f);
    EXPECT_EQ(board.CellCenter(0, 0).y, 540.0f);
    EXPECT_EQ(board.CellCenter(9, 6).x, 760.0f);
    EXPECT_EQ(board.CellCenter(9, 6).y, 60.0f);
    board.LoadLevel();
    EXPECT_EQ(board.levelNumber, 5);
    EXPECT_EQ(board.originX, 0);
    EXPECT_EQ(board.originY, 0);
    EXPECT_EQ(board.CellCenter(0, 0).y, 560.0f);
    EXPECT_EQ(board.CellCenter(9, 6).y, 80.0f);
}

TEST(BoardLevels, BeginLevelPicksTheFirstLevelAndLevelFiveOnIsGenerated) {
    PuzzleWorld world(1, 3);
    for (int n = 1; n <= 3; ++n) {
        PuzzleWorld::WriteLevel(3, n, PuzzleWorld::UniformLevel(8, 6, 4));
        // Files for level 5 exist but are never read.
        PuzzleWorld::WriteLevel(5, n, PuzzleWorld::UniformLevel(4, 4, 4));
    }
    world.Build();
    EXPECT_EQ(world.board->levelNumber, 3);
    EXPECT_EQ(world.board->boardWidth, 8);
    EXPECT_EQ(world.board->boardHeight, 6);
    world.board->levelNumber = 4;  // the next load is level 5
    world.board->LoadLevel();
    EXPECT_EQ(world.board->boardWidth, 10);
    EXPECT_EQ(world.board->boardHeight, 7);
    world.board->LoadLevel();
    EXPECT_EQ(world.board->levelNumber, 6);
    EXPECT_EQ(world.board->boardWidth, 10);
}

TEST(BoardLevels, ItemsLandOnlyOnInnerNonBlankBlocksAndNeverSurviveALevel) {
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        PuzzleWorld world(difficulty, 4);
        // Half the inner blocks are blanks.
        std::string data;
        for (int i = 0; i < 70; ++i)
            data += (i ? "," : "") + std::to_string(i % 2 ? 0 : 9);
        for (int n = 1; n <= 3; ++n) {
            PuzzleWorld::WriteLevel(4, n, "xSize = 10\nySize = 7\nData = [" + data + "]\n");
        }
        world.Build();
        unsigned seed = 1;
        GameRandom::SetSeedSource([&seed] { return seed; });
        for (; seed < 40; ++seed) {
            world.board->levelNumber = 3;  // level 4 again
            world.board->LoadLevel();
            ExpectItemsPlacedFairly(*world.board);
            // Level 4: two coal heaps, one semaphore; workers by difficulty.
            EXPECT_EQ(world.CountItems(ItemCoal), 2);
            EXPECT_EQ(world.CountItems(ItemRedSemaphore), 1);
            EXPECT_EQ(world.CountItems(ItemWorker), difficulty == 2 ? 1 : 0);
            EXPECT_EQ(world.CountItems(ItemWorkerAlt), difficulty == 0 ? 0 : 1);
            EXPECT_EQ(world.CountItems(ItemGreenSemaphore), 0);
        }
        // Generated levels take the counts from the settings.
        const GameSettings& settings = GameSettings::Instance();
        for (seed = 1; seed < 40; ++seed) {
            world.board->LoadLevel();
            ExpectItemsPlacedFairly(*world.board);
            // Counted with the hole at (1, 0), which may keep an item.
            EXPECT_EQ(world.CountItems(ItemCoal), settings.CoalHeaps[difficulty]);
            EXPECT_EQ(world.CountItems(ItemRedSemaphore), settings.NumSemafors[difficulty]);
        }
    }
}

TEST(BoardLevels, SmallerLevelsGetFewerItems) {
    PuzzleWorld world(1, 1);
    for (int level = 1; level <= 3; ++level) {
        for (int n = 1; n <= 3; ++n) {
            PuzzleWorld::WriteLevel(level, n, PuzzleWorld::UniformLevel(6, 5, 4));
        }
    }
    world.Build();
    EXPECT_EQ(world.CountItems(ItemCoal) + world.CountItems(ItemRedSemaphore), 0);
    EXPECT_EQ(world.CountItems(ItemWorkerAlt), 1);
    world.board->LoadLevel();
    EXPECT_EQ(world.CountItems(ItemCoal) + world.CountItems(ItemRedSemaphore), 0);
    world.board->LoadLevel();
    EXPECT_EQ(world.CountItems(ItemCoal), 1);
    EXPECT_EQ(world.CountItems(ItemRedSemaphore), 0);
}

TEST(BoardLevels, TheSameSeedGivesTheSameLevelAndItems) {
    PuzzleWorld world(2, 5);
    world.Build();
    auto snapshot = [&] {
        std::vector<int> kinds;
        for (int c = 0; c < 10; ++c) {
            for (int r = 0; r < 7; ++r) {
                const BoardCell& cell = world.board->Cell(c, r);
                kinds.push_back(cell.block ? cell.block->kind : -1);
                kinds.push_back(cell.item);
            }
        }
        return kinds;
    };
    const std::vector<int> first = snapshot();
    world.board->LoadLevel();
    EXPECT_EQ(snapshot(), first);
    GameRandom::SetSeedSource([] { return 99u; });
    world.board->LoadLevel();
    EXPECT_NE(snapshot(), first);
}

TEST(BoardLevels, GeneratorWeightsChooseTheKindClasses) {
    struct Case {
        const char* weights;
        std::set<int> allowed;
    };
    const Case cases[] = {{"100 0 0 0", {0}},
                          {"0 0 0 0", {6, 7, 8, 9}},
                          {"60 50 10 10", {0, 1, 2}},
                          {"0 0 100 0", {3}},
                          {"0 0 0 100", {4, 5}}};
    for (const Case& c : cases) {
        PuzzleWorld world(1, 5);
        world.SetText("Data/Difficult.Cfg", std::string("EasyDifficult = [1 1 1 1]\n") +
                                                "NormalDifficult = [" + c.weights + "]\n" +
                                                "HardDifficult = [1 1 1 1]\n");
        world.Build();
        std::set<int> seen;
        unsigned seed = 1;
        GameRandom::SetSeedSource([&seed] { return seed; });
        for (; seed < 30; ++seed) {
            world.board->LoadLevel();
            for (int col = 1; col <= 8; ++col) {
                for (int r = 0; r < 7; ++r) {
                    const BoardCell& cell = world.board->Cell(col, r);
                    if (cell.block)
                        seen.insert(cell.block->kind);
                }
            }
        }
        EXPECT_EQ(seen, c.allowed) << c.weights;
    }
}

TEST(BoardLevels, DifficultyOutsideTheTablesIsClamped) {
    struct Case {
        int level;
        int expectedWorkers;
        int expectedSecond;
    };
    for (const Case c : {Case{7, 1, 1}, Case{-3, 0, 0}}) {
        PuzzleWorld world(c.level, 5);
        world.SetText("Data/Difficult.Cfg",
                      "EasyDifficult = [0 0 0 100]\nNormalDifficult = [100 0 0 0]\n"
                      "HardDifficult = [0 0 0 100]\n");
        world.Build();
        // Only the straights of the Easy and Hard weights; blanks would be Normal.
        EXPECT_EQ(world.board->Cell(3, 3).block->kind / 2, 2);
        EXPECT_EQ(world.CountItems(ItemWorker), c.expectedWorkers);
        EXPECT_EQ(world.CountItems(ItemWorkerAlt), c.expectedSecond);
        // The train reads its speed and fuel use from the clamped index.
        world.train->UpdateTrain(100);
        EXPECT_GT(world.train->progress, 0.0);
        EXPECT_LT(world.train->fuel, 100.0);
    }
}

TEST(BoardLevels, PlacingItemsGivesUpWhenNoBlockCanTakeThem) {
    PuzzleWorld world(2, 4);
    for (int n = 1; n <= 3; ++n) {
        PuzzleWorld::WriteLevel(4, n, PuzzleWorld::UniformLevel(10, 7, 0));
    }
    world.Build();  // returns although five items find no place
    for (int item = 1; item <= 5; ++item) {
        EXPECT_EQ(world.CountItems(item), 0);
    }
}

TEST(BoardLevels, DamagedLevelFilesAreFatalAndNamedInTheLog) {
    const std::string cases[] = {
        "",  // missing
        PuzzleWorld::UniformLevel(2, 5, 4),
        PuzzleWorld::UniformLevel(17, 5, 4),
        PuzzleWorld::UniformLevel(6, 2, 4),
        "xSize = 6\nySize = 5\nData = [4,4,4]\n",  // short list
        "xSize = 6\nySize = 5\n",                  // no list
        "xSize = 3\nySize = 3\nData = [4,4,4,4,12,4,4,4,4]\n",
        "xSize = 3\nySize = 3\nData = [4,4,4,4,-1,4,4,4,4]\n",  // negative kind
        "xSize = 3\nySize = 3\nData = [4,4,4,4,4,4,4,4,4\n",    // does not parse
    };
    for (const std::string& text : cases) {
        PuzzleWorld world(1, 5);
        world.Build();
        if (!text.empty()) {
            PuzzleWorld::WriteLevel(2, 1, text);
            PuzzleWorld::WriteLevel(2, 2, text);
            PuzzleWorld::WriteLevel(2, 3, text);
        }
        world.board->levelNumber = 1;
        const int errorsBefore = OErrorLog::Instance().GetErrorCount();
        EXPECT_THROW(world.board->LoadLevel(), OFileNotFound) << text;
        EXPECT_EQ(OErrorLog::Instance().GetErrorCount(), errorsBefore + 1) << text;
        EXPECT_NE(TempDir::Read("Report.html").find("Data/Levels/2/"), std::string::npos) << text;
    }
    // The smallest and largest sizes load.
    PuzzleWorld world(1, 5);
    world.Build();
    for (int n = 1; n <= 3; ++n) {
        PuzzleWorld::WriteLevel(2, n, PuzzleWorld::UniformLevel(3, 3, 4));
        PuzzleWorld::WriteLevel(3, n, PuzzleWorld::UniformLevel(16, 16, 4));
    }
    world.board->levelNumber = 1;
    world.board->LoadLevel();
    ExpectFrame(*world.board);
    world.board->LoadLevel();
    EXPECT_EQ(world.board->boardWidth, 16);
    ExpectFrame(*world.board);
}

TEST(GameSettings, ReadsTheShippedTuningAndRefusesShortTables) {
    {
        PuzzleWorld world;
        world.WriteArchive();
        GameSettings& settings = GameSettings::Instance();
        settings.Read();
        EXPECT_EQ(settings.CoalMass, 40);
        EXPECT_EQ(settings.CoalHeaps[0], 3);
        EXPECT_EQ(settings.NumSemafors[2], 2);
        EXPECT_FLOAT_EQ(settings.eXprSpeed[1], 1.3f);
        EXPECT_EQ(settings.GameOverTime, 3000);
        // A full tank lasts about 36, 30 and 30 blocks.
        const int blocks[3] = {36, 30, 30};
        for (int d = 0; d < 3; ++d) {
            const double perBlock = 4000.0 / settings.eXprSpeed[d] * settings.CoalUsage[d];
            EXPECT_NEAR(100.0 / perBlock, blocks[d], 0.01) << d;
        }
    }
    const std::string good = PuzzleWorld::Asset("Game.Cfg");
    std::string shortArray = good;
    shortArray.replace(shortArray.find("[3 2 2]"), 7, "[3 2]");
    std::string noArray = good;
    noArray.replace(noArray.find("eXprSpeed"), 9, "Speed");
    for (const std::string& text : {std::string(), shortArray, noArray, good + "\n}"}) {
        PuzzleWorld world;
        world.SetText("Data/Game.Cfg", text);
        world.WriteArchive();
        const int errorsBefore = OErrorLog::Instance().GetErrorCount();
        EXPECT_THROW(GameSettings::Instance().Read(), OFileNotFound);
        EXPECT_EQ(OErrorLog::Instance().GetErrorCount(), errorsBefore + 1);
        EXPECT_NE(TempDir::Read("Report.html").find("Data/Game.Cfg"), std::string::npos);
    }
    // Missing plain numbers read as 0, and so do rates below 0 or no number.
    PuzzleWorld world;
    world.SetText("Data/Game.Cfg",
                  "CoalHeaps = [1 2 3]\nCoalUsage = [nan -1 1]\nNumSemafors = [0 0 0]\n"
                  "eXprSpeed = [1 inf -2]\n");
    world.WriteArchive();
    GameSettings& read = GameSettings::Instance();
    read.Read();
    EXPECT_EQ(read.CoalMass, 0);
    EXPECT_EQ(read.GameOverTime, 0);
    EXPECT_EQ(std::vector<float>(read.CoalUsage, read.CoalUsage + 3),
              (std::vector<float>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(std::vector<float>(read.eXprSpeed, read.eXprSpeed + 3),
              (std::vector<float>{1.0f, 0.0f, 0.0f}));
}

TEST(GameSettings, DifficultyWeightsMustHoldFourNumbers) {
    for (const std::string& text : {std::string(), std::string("NormalDifficult = [10 20 30]\n"),
                                    std::string("EasyDifficult = [10 20 30 40]\n")}) {
        PuzzleWorld world(1, 5);
        world.SetText("Data/Difficult.Cfg", text);
        world.WriteArchive();
        GameSettings::Instance().Read();
        Board board(5);
        const int errorsBefore = OErrorLog::Instance().GetErrorCount();
        EXPECT_THROW(board.LoadCatalogue(), OFileNotFound);
        EXPECT_EQ(OErrorLog::Instance().GetErrorCount(), errorsBefore + 1);
        EXPECT_NE(TempDir::Read("Report.html").find("Data/Difficult.Cfg"), std::string::npos);
    }
}
