#include <gtest/gtest.h>

#include <set>

#include "PuzzleWorld.h"
#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"

namespace {

void ExpectFrame(const PuzzleWorld& world) {
    const Board& board = *world.board;
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    EXPECT_EQ(world.KindAt(0, h - 1), RailCatalogue::Source);
    EXPECT_EQ(world.KindAt(0, 0), RailCatalogue::HBlox);
    EXPECT_EQ(world.KindAt(w - 1, 0), RailCatalogue::Dest);
    EXPECT_EQ(world.KindAt(w - 1, h - 1), RailCatalogue::JBlox);
    for (int r = 1; r <= h - 2; ++r) {
        EXPECT_EQ(world.KindAt(0, r), RailCatalogue::FBlox) << "row " << r;
        EXPECT_EQ(world.KindAt(w - 1, r), RailCatalogue::FBlox) << "row " << r;
    }
    EXPECT_EQ(world.KindAt(1, 0), -1) << "the hole";
    // Every block sits at its cell's centre with its own indices.
    for (int c = 0; c < w; ++c) {
        for (int r = 0; r < h; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            if (cell.block) {
                EXPECT_EQ(cell.position.x, board.CellCenter(c, r).x);
                EXPECT_EQ(cell.position.y, board.CellCenter(c, r).y);
                EXPECT_EQ(cell.column * 100 + cell.row, c * 100 + r);
            }
        }
    }
}

}  // namespace

// Levels 1 to 4 come from their files (whatever their frame cells say),
// centred, with fewer items on the first ones; level 5 is generated at the
// top left even where a file for it exists; each gets the frame and hole.
TEST(BoardLevels, EachLevelComesFromItsSourceWithTheFrameAndItsItems) {
    struct Step {
        int level, width, height, originX, originY;
        int coal, semaphores, workers;  // -1: generated, not counted here
    };
    const Step steps[] = {
        {1, 6, 5, 160, 100, 0, 0, 1},
        {2, 3, 3, 280, 180, 0, 0, 1},
        {3, 16, 16, -240, -340, 1, 0, 1},
        {4, 10, 7, 0, 20, 0, 0, 0},  // only blanks inside: the items find no place
        {5, 10, 7, 0, 0, -1, -1, -1},
    };
    PuzzleWorld world(1, 1);
    PuzzleWorld::WriteUniformLevel(1, 6, 5, RailCatalogue::DBlox);
    PuzzleWorld::WriteUniformLevel(2, 3, 3, RailCatalogue::IBlox);
    PuzzleWorld::WriteUniformLevel(3, 16, 16, RailCatalogue::IBlox);
    PuzzleWorld::WriteUniformLevel(4, 10, 7, RailCatalogue::ABlox);
    PuzzleWorld::WriteUniformLevel(5, 4, 4, RailCatalogue::IBlox);  // never read
    world.Build();
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "level " << s.level);
        Board& board = *world.board;
        if (s.level > 1) {
            board.levelNumber = s.level - 1;
            board.LoadLevel();
        }
        EXPECT_EQ(board.levelNumber, s.level);
        EXPECT_EQ(board.boardWidth, s.width);
        EXPECT_EQ(board.boardHeight, s.height);
        EXPECT_EQ(board.originX, s.originX);
        EXPECT_EQ(board.originY, s.originY);
        EXPECT_EQ(board.CellCenter(0, 0).y, 560.0f - s.originY);
        EXPECT_EQ(board.CellCenter(s.width - 1, 0).x, s.originX + 80.0f * s.width - 40.0f);
        ExpectFrame(world);
        if (s.coal >= 0) {
            EXPECT_EQ(world.CountItems(ItemCoal), s.coal);
            EXPECT_EQ(world.CountItems(ItemRedSemaphore), s.semaphores);
            EXPECT_EQ(world.CountItems(ItemWorkerAlt), s.workers);
        }
    }
}

TEST(BoardLevels, ItemsLandOnlyOnInnerNonBlankBlocksAndNeverSurviveALevel) {
    // Half the inner blocks of level 4 are blanks.
    std::string data;
    for (int i = 0; i < 70; ++i) {
        data += (i ? "," : "") + std::to_string(i % 2 ? 0 : 9);
    }
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        PuzzleWorld world(difficulty, 4);
        for (int n = 1; n <= 3; ++n) {
            PuzzleWorld::WriteLevel(4, n, "xSize = 10\nySize = 7\nData = [" + data + "]\n");
        }
        world.Build();
        const GameSettings& settings = GameSettings::Instance();
        unsigned seed = 1;
        GameRandom::SetSeedSource([&seed] { return seed; });
        for (; seed < 80; ++seed) {
            // Level 4 from its file, then generated ones.
            const bool file = seed < 40;
            if (file) {
                world.board->levelNumber = 3;
            }
            world.board->LoadLevel();
            const std::string where =
                "difficulty " + std::to_string(difficulty) + " seed " + std::to_string(seed);
            for (int c = 0; c < world.board->boardWidth; ++c) {
                for (int r = 0; r < world.board->boardHeight; ++r) {
                    const BoardCell& cell = world.board->Cell(c, r);
                    if (cell.item != ItemNone && cell.block) {
                        EXPECT_TRUE(c != 0 && c != world.board->boardWidth - 1) << where;
                        EXPECT_NE(cell.block->kind, RailCatalogue::ABlox) << where;
                    }
                }
            }
            // Counted with the hole at (1, 0), which may keep an item.
            EXPECT_EQ(world.CountItems(ItemCoal), file ? 2 : settings.CoalHeaps[difficulty])
                << where;
            EXPECT_EQ(world.CountItems(ItemRedSemaphore),
                      file ? 1 : settings.NumSemafors[difficulty])
                << where;
            EXPECT_EQ(world.CountItems(ItemWorker), difficulty == 2 ? 1 : 0) << where;
            EXPECT_EQ(world.CountItems(ItemWorkerAlt), difficulty == 0 ? 0 : 1) << where;
            EXPECT_EQ(world.CountItems(ItemGreenSemaphore), 0) << where;
        }
    }
}

TEST(BoardLevels, TheSameSeedGivesTheSameLevelAndItems) {
    PuzzleWorld world(2, 5);
    world.Build();
    // Level 5 again, as a restart of the game would load it.
    const auto again = [&] {
        world.board->levelNumber = 4;
        world.board->LoadLevel();
        return PuzzleWorld::Layout(*world.board);
    };
    const std::string first = PuzzleWorld::Layout(*world.board);
    EXPECT_EQ(again(), first);
    GameRandom::SetSeedSource([] { return 99u; });
    EXPECT_NE(again(), first);
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
                    if (world.KindAt(col, r) >= 0) {
                        seen.insert(world.KindAt(col, r));
                    }
                }
            }
        }
        EXPECT_EQ(seen, c.allowed) << c.weights;
    }
}

TEST(BoardLevels, DifficultyOutsideTheTablesIsClamped) {
    for (const int difficulty : {7, -3}) {
        PuzzleWorld world(difficulty, 5);
        world.SetText("Data/Difficult.Cfg",
                      "EasyDifficult = [0 0 0 100]\nNormalDifficult = [100 0 0 0]\n"
                      "HardDifficult = [0 0 0 100]\n");
        world.Build();
        // Only the straights of the Easy and Hard weights; blanks would be Normal.
        EXPECT_EQ(world.KindAt(3, 3) / 2, 2);
        EXPECT_EQ(world.CountItems(ItemWorker), difficulty > 0 ? 1 : 0);
        EXPECT_EQ(world.CountItems(ItemWorkerAlt), difficulty > 0 ? 1 : 0);
        // The train reads its speed and fuel use from the clamped index.
        world.train->UpdateTrain(100);
        EXPECT_GT(world.train->progress, 0.0);
        EXPECT_LT(world.train->fuel, 100.0);
    }
}

// A missing or damaged rail catalogue, settings, difficulty or level file is
// fatal ("Game files are missing or corrupted!") and named in the log.
TEST(GameData, DamagedFilesAreFatalAndNamedInTheLog) {
    struct Case {
        const char* file;
        std::string text;  // empty: the file is missing
    };
    const std::string rails = GameTestData::Asset("Rails.Txt");
    const std::string level = "Data/Levels/2/";
    const Case cases[] = {
        {"Data/Rails.Txt", ""},
        {"Data/Rails.Txt", GameTestData::AssetWith("Rails.Txt", "Way = [-40 0 -13 0 13 0 40 0]",
                                                   "Way = [-40 0 -13 0 13 0 40]")},
        {"Data/Rails.Txt", GameTestData::AssetWith("Rails.Txt", "NextRail = 2", "NextRail = 12")},
        {"Data/Rails.Txt", rails.substr(0, rails.find("// crossing"))},  // kinds missing
        {"Data/Rails.Txt", rails + "\n}\n"},                             // does not parse
        {"Data/Game.Cfg", ""},
        {"Data/Game.Cfg", GameTestData::AssetWith("Game.Cfg", "[3 2 2]", "[3 2]")},
        {"Data/Game.Cfg", GameTestData::AssetWith("Game.Cfg", "eXprSpeed", "Speed")},
        {"Data/Game.Cfg", GameTestData::Asset("Game.Cfg") + "\n}"},
        {"Data/Difficult.Cfg", ""},
        {"Data/Difficult.Cfg", "NormalDifficult = [10 20 30]\n"},
        {"Data/Difficult.Cfg", "EasyDifficult = [10 20 30 40]\n"},
        {"Data/Levels/2/", ""},
        {"Data/Levels/2/", PuzzleWorld::UniformLevel(2, 5, 4)},
        {"Data/Levels/2/", PuzzleWorld::UniformLevel(17, 5, 4)},
        {"Data/Levels/2/", PuzzleWorld::UniformLevel(6, 2, 4)},
        {"Data/Levels/2/", "xSize = 6\nySize = 5\nData = [4,4,4]\n"},  // short list
        {"Data/Levels/2/", "xSize = 6\nySize = 5\n"},                  // no list
        {"Data/Levels/2/", "xSize = 3\nySize = 3\nData = [4,4,4,4,12,4,4,4,4]\n"},
        {"Data/Levels/2/", "xSize = 3\nySize = 3\nData = [4,4,4,4,-1,4,4,4,4]\n"},
        {"Data/Levels/2/", "xSize = 3\nySize = 3\nData = [4,4,4,4,4,4,4,4,4\n"},  // no parse
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " " << c.text.substr(0, 40));
        const bool levelFile = c.file == level;
        // Difficulty weights are read for generated levels only.
        PuzzleWorld world(1, levelFile ? 2 : 5);
        std::filesystem::create_directories("Data/Levels");
        if (!levelFile) {
            world.SetText(c.file, c.text);
        } else if (!c.text.empty()) {
            for (int n = 1; n <= 3; ++n) {
                PuzzleWorld::WriteLevel(2, n, c.text);
            }
        }
        const int errorsBefore = OErrorLog::Instance().GetErrorCount();
        EXPECT_THROW(world.Build(), OFileNotFound);
        EXPECT_EQ(OErrorLog::Instance().GetErrorCount(), errorsBefore + 1);
        EXPECT_NE(TempDir::Read("Report.html").find(c.file), std::string::npos);
    }
}

TEST(GameSettings, ReadsTheShippedTuningAndBadRatesAsZero) {
    {
        PuzzleWorld world;
        world.Write();
        GameSettings& settings = GameSettings::Instance();
        settings.Read();
        EXPECT_EQ(settings.CoalMass, 40);
        EXPECT_EQ(settings.NumSemafors[2], 2);
        EXPECT_EQ(settings.GameOverTime, 3000);
        // A full tank lasts about 36, 30 and 30 blocks.
        const int blocks[3] = {36, 30, 30};
        for (int d = 0; d < 3; ++d) {
            const double perBlock = 4000.0 / settings.eXprSpeed[d] * settings.CoalUsage[d];
            EXPECT_NEAR(100.0 / perBlock, blocks[d], 0.01) << d;
        }
    }
    // Missing plain numbers read as 0, and so do rates below 0 or no number.
    PuzzleWorld world;
    world.SetText("Data/Game.Cfg",
                  "CoalHeaps = [1 2 3]\nCoalUsage = [nan -1 1]\nNumSemafors = [0 0 0]\n"
                  "eXprSpeed = [1 inf -2]\n");
    world.Write();
    GameSettings& read = GameSettings::Instance();
    read.Read();
    EXPECT_EQ(read.CoalMass, 0);
    EXPECT_EQ(read.GameOverTime, 0);
    EXPECT_EQ(std::vector<float>(read.CoalUsage, read.CoalUsage + 3),
              (std::vector<float>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(std::vector<float>(read.eXprSpeed, read.eXprSpeed + 3),
              (std::vector<float>{1.0f, 0.0f, 0.0f}));
}
