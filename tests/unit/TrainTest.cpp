#include <gtest/gtest.h>

#include <array>

#include "PuzzleWorld.h"
#include "game/HVExplosion.h"

namespace {

// Up column 0, along the top row and into the station cell from the left:
// fifteen block changes on a 10 x 7 board.
const std::vector<std::string> kTopRun = {
    "HIIIIIIIII",  //
    "F.........",  //
    "F.........",  //
    "F.........",  //
    "F.........",  //
    "F.........",  //
    "S.........",
};

// Right along row 5 and up the last column to the cell below the station.
const std::vector<std::string> kLowRun = {
    "H........T",  //
    "F........F",  //
    "F........F",  //
    "F........F",  //
    "F........F",  //
    "HIIIIIIIIJ",  //
    "S.........",
};

std::vector<std::string> With(std::vector<std::string> rows, int column, int row, char letter) {
    rows[row][column] = letter;
    return rows;
}

class TrainRun : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& rows, int difficulty = 1) {
        world.reset();  // the old folder goes before the new one is entered
        world = std::make_unique<PuzzleWorld>(difficulty, 5);
        world->Build();
        world->Lay(rows);
    }
    Train& train() { return *world->train; }

    std::unique_ptr<PuzzleWorld> world;
};

}  // namespace

// Whole runs at 16 ms frames: how each ends, where, after how many block
// changes, with which bonus and score, and the sounds on the way.
TEST_F(TrainRun, RunsEndAtTheStationOrInACrashWithTheirScoreAndSounds) {
    struct Run {
        const char* what;
        std::vector<std::string> rows;
        int difficulty;
        std::vector<std::array<int, 3>> items;  // column, row, item
        const char* outcome;
    };
    const Run runs[] = {
        {"into the station cell", kTopRun, 1, {}, "complete at 9,0 entered 15 bonus 685 score 0:"},
        {"arriving below the station counts the steps before it",
         kLowRun,
         1,
         {},
         "complete at 9,1 entered 15 bonus 686 score 0: 103"},
        {"arriving with a worker left",
         With(kLowRun, 4, 3, 'I'),
         1,
         {{4, 3, ItemWorkerAlt}},
         "over at 9,1 entered 15 bonus 0 score 0: 103 102"},
        {"workers on the route are scored",
         kLowRun,
         2,
         {{3, 5, ItemWorker}, {6, 5, ItemWorkerAlt}},
         "complete at 9,1 entered 15 bonus 686 score 200: 101 101 103"},
        {"a crash into the hole after the block before it",
         With(kTopRun, 1, 0, '.'),
         1,
         {},
         "over at 0,0 entered 6 bonus 0 score 0: 102"},
        {"a block whose path does not join",
         With(kTopRun, 0, 4, 'I'),
         1,
         {},
         "over at 0,5 entered 1 bonus 0 score 0: 102"},
        {"coal on the way",
         kTopRun,
         1,
         {{0, 4, ItemCoal}},
         "complete at 9,0 entered 15 bonus 685 score 0: 101"},
        {"a red semaphore on the way, passed once it is green",
         kTopRun,
         1,
         {{0, 4, ItemRedSemaphore}},
         "complete at 9,0 entered 15 bonus 685 score 0: 104"},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.what);
        Start(run.rows, run.difficulty);
        for (const auto& [column, row, item] : run.items) {
            world->board->Cell(column, row).item = item;
        }
        EXPECT_TRUE(PuzzleWorld::Sounds().empty()) << "the engine started in Lay's reset";
        const int frames = world->RunUntilEnd(16);
        std::string outcome = GameState == StateLevelComplete ? "complete" : "over";
        outcome += " at " + std::to_string(train().column) + "," + std::to_string(train().row) +
                   " entered " + std::to_string(train().cellsEntered) + " bonus " +
                   std::to_string(train().bonus) + " score " + std::to_string(score) + ":";
        for (int id : PuzzleWorld::Sounds()) {
            outcome += " " + std::to_string(id);
        }
        EXPECT_EQ(outcome, run.outcome);
        EXPECT_EQ(GameEndMark, GameState == StateGameOver ? StateGameOver : EndMarkRunning);
        if (&run == &runs[1]) {
            // The engine stands at the top end of the last path, then rolls
            // on upwards at 0.1 pixels per ms.
            const float y = world->board->CellCenter(9, 1).y + 40.0f;
            EXPECT_FLOAT_EQ(train().position.y, y);
            train().UpdateTrain(100);
            EXPECT_FLOAT_EQ(train().position.y, y + 10.0f);
            EXPECT_EQ(GameState, StateLevelComplete);
        }
        if (&run == &runs[6] || &run == &runs[7]) {
            // Fifteen paths of 193 frames burnt fuel, the completing frame
            // none; the coal refilled the tank; the red semaphore held the
            // train ten seconds (625 frames) without burning any.
            const double used = 15 * 193 * 16 * GameSettings::Instance().CoalUsage[1];
            EXPECT_NEAR(train().fuel, 100.0 + (&run == &runs[6] ? 40.0 : 0.0) - used, 0.01);
            EXPECT_EQ(frames, 15 * 193 + 1 + (&run == &runs[7] ? 625 : 0));
        }
        if (&run == &runs[7]) {
            EXPECT_EQ(world->board->Cell(0, 4).item, ItemGreenSemaphore);
            EXPECT_EQ(world->board->Cell(0, 4).itemTexture, world->board->GreenSemaphoreTexture());
        }
        if (&run == &runs[4]) {
            // Seven paths were run to their end, each in the first 16 ms frame
            // that takes it past 4000 units at 1.3 units per ms; the engine
            // stopped at the end of the curve into the hole and moves no more.
            EXPECT_EQ(frames, 7 * 193);
            const float x = world->board->CellCenter(0, 0).x + 40.0f;
            EXPECT_FLOAT_EQ(train().position.x, x);
            train().UpdateTrain(500);
            EXPECT_EQ(train().position.x, x);
        }
    }
}

TEST_F(TrainRun, ABlockStillSlidingIsJoinedByWhereItIsDrawn) {
    // The vertical block the train needs at (0, 4) is still sliding in from
    // the right: drawn 40 pixels away from its place.
    Start(With(With(kTopRun, 0, 4, '.'), 1, 4, 'F'));
    BoardCell& cell = world->board->Cell(0, 4);
    world->board->SetBlock(0, 4, RailCatalogue::FBlox);
    cell.position.x += 40.0f;
    cell.moveVelocity = OVector3(-0.25f, 0.0f, 0.0f);
    cell.moveTarget = world->board->CellCenter(0, 4);
    cell.targetColumn = 0;
    cell.targetRow = 4;
    for (int frames = 0; GameState == StatePlaying && frames < 100000; ++frames) {
        train().UpdateTrain(16);  // the slide does not advance
    }
    EXPECT_EQ(GameState, StateGameOver);
    EXPECT_EQ(train().row, 5);
}

TEST_F(TrainRun, FuelRunsOutInTheFrameItDropsBelowZero) {
    Start(kTopRun);
    GameSettings::Instance().CoalUsage[1] = 0.015625f;  // 1.0 per 64 ms frame
    for (int frame = 0; frame < 100; ++frame) {
        train().UpdateTrain(64);
        ASSERT_EQ(GameState, StatePlaying) << frame;
    }
    EXPECT_EQ(train().fuel, 0.0);
    train().UpdateTrain(64);
    EXPECT_EQ(GameState, StateGameOver);
    EXPECT_EQ(GameEndMark, StateGameOver);
    EXPECT_EQ(train().fuel, 0.0);
    EXPECT_EQ(PuzzleWorld::Sounds(), std::vector<int>({GameSound::EngineStop}));
    GameSettings::Instance().Read();
}

TEST_F(TrainRun, ItemsStayWhenThePathSkirtsTheCentreByMoreThan16Pixels) {
    world = std::make_unique<PuzzleWorld>(1, 5);
    // A rounder bottom-right curve: control points 22 in from the sides
    // pass 16.6 pixels from the centre.
    // (The whole entry: BBlox's AltWay holds the same numbers.)
    const std::string rest = "\n\tAltWay = [0 0 0 0 0 0 0 0]\n\tNextRail = 8";
    world->SetText("Data/Rails.Txt",
                   GameTestData::AssetWith("Rails.Txt", "Way = [0 -40 0 -10 10 0 40 0]" + rest,
                                           "Way = [0 -40 0 -18 18 0 40 0]" + rest));
    world->Build();
    world->Lay(kTopRun);
    world->board->Cell(0, 0).item = ItemCoal;  // on the round curve
    world->board->Cell(3, 0).item = ItemCoal;  // on a straight
    world->RunUntilEnd(16);
    EXPECT_EQ(GameState, StateLevelComplete);
    EXPECT_EQ(world->board->Cell(0, 0).item, ItemCoal);
    EXPECT_EQ(world->board->Cell(3, 0).item, ItemNone);
}

TEST_F(TrainRun, TurnsInBothSensesPickTheSheetAndFrame) {
    Start(kLowRun);
    train().UpdateTrain(200);
    EXPECT_GT(train().Smoke().position.y, train().position.y) << "the smoke rises ahead";
    // Runs to the given block change; returns the sprite frames shown on the way.
    const auto runTo = [&](int cells) {
        std::vector<int> frames;
        while (train().cellsEntered < cells) {
            if (frames.empty() || frames.back() != train().spriteFrame) {
                frames.push_back(train().spriteFrame);
            }
            train().UpdateTrain(16);
        }
        return frames;
    };
    // Up into (0, 5), where the curve turns the train clockwise to the right:
    // the old heading's sheet, forwards through the frames; the last frame is
    // kept while it runs straight.
    runTo(1);
    EXPECT_TRUE(train().turning && !train().counterClockwise);
    EXPECT_EQ(train().heading, Direction::Right);
    EXPECT_EQ(train().spriteHeading, Direction::Up);
    EXPECT_EQ(runTo(2), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(train().turning);
    EXPECT_EQ(train().spriteFrame, 9);
    // At (9, 5) the curve turns it counter-clockwise, up the last column:
    // the new heading's sheet, backwards.
    runTo(10);
    EXPECT_TRUE(train().turning && train().counterClockwise);
    EXPECT_EQ(train().heading, Direction::Up);
    EXPECT_EQ(train().spriteHeading, Direction::Up);
    EXPECT_EQ(runTo(11), (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST_F(TrainRun, SpriteFramesStayWithinTheSheetAtTheVeryEndOfATurn) {
    Start(kLowRun, 0);          // Easy: 4000 ms per path
    train().UpdateTrain(4000);  // t exactly 1: still on the Source path
    train().UpdateTrain(1);     // into the clockwise curve
    ASSERT_TRUE(train().turning);
    train().UpdateTrain(4000);  // t exactly 1 on the curve
    EXPECT_EQ(train().spriteFrame, 9);
    // Counter-clockwise at the end of its path.
    train().turning = true;
    train().counterClockwise = true;
    train().progress = 0.0;
    train().UpdateTrain(4000);
    EXPECT_EQ(train().spriteFrame, 0);
}
