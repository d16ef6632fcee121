#include <gtest/gtest.h>

#include <algorithm>

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

class TrainRun : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& rows, int difficulty = 1) {
        world.reset();  // the old folder goes before the new one is entered
        world = std::make_unique<PuzzleWorld>(difficulty, 5);
        world->Build();
        world->Lay(rows);
    }
    Train& train() { return *world->train; }
    static int Count(int id) {
        const std::vector<int> sounds = PuzzleWorld::Sounds();
        return static_cast<int>(std::count(sounds.begin(), sounds.end(), id));
    }

    std::unique_ptr<PuzzleWorld> world;
};

}  // namespace

TEST_F(TrainRun, AFullRunOfFifteenBlockChangesEarns685) {
    Start(kTopRun);
    EXPECT_EQ(PuzzleWorld::Sounds(), std::vector<int>());  // the engine started in Lay's reset
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateLevelComplete);
    EXPECT_EQ(GameEndMark, EndMarkRunning);
    EXPECT_EQ(train().cellsEntered, 15);
    EXPECT_EQ(train().bonus, 685);
    EXPECT_EQ(train().column, 9);
    EXPECT_EQ(train().row, 0);
    EXPECT_EQ(Count(GameSound::EngineStop), 0);
}

TEST_F(TrainRun, ArrivingBelowTheStationCountsTheStepsBeforeIt) {
    Start(kLowRun);
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateLevelComplete);
    EXPECT_EQ(train().column, 9);
    EXPECT_EQ(train().row, 1);
    EXPECT_EQ(train().bonus, 700 - 14);
    EXPECT_EQ(train().cellsEntered, 15);
    EXPECT_EQ(Count(GameSound::EngineSlow), 1);
    EXPECT_EQ(Count(GameSound::EngineStop), 0);
    EXPECT_EQ(train().engineChannel, Train::kNoChannel);
    EXPECT_FLOAT_EQ(train().velocity.y, 0.1f);
    // The engine stands at the top end of the last path.
    EXPECT_FLOAT_EQ(train().position.y, world->board->CellCenter(9, 1).y + 40.0f);
    // After the level the train rolls on upwards at 0.1 pixels per ms.
    const OVector3 before = train().position;
    train().UpdateTrain(100);
    EXPECT_FLOAT_EQ(train().position.y, before.y + 10.0f);
    EXPECT_EQ(GameState, StateLevelComplete);
}

TEST_F(TrainRun, ArrivingWithAWorkerLeftEndsTheGameWithBothSounds) {
    std::vector<std::string> rows = kLowRun;
    rows[3][4] = 'I';
    Start(rows);
    world->board->Cell(4, 3).item = ItemWorkerAlt;
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateGameOver);
    EXPECT_EQ(GameEndMark, StateGameOver);
    EXPECT_EQ(Count(GameSound::EngineSlow), 1);
    EXPECT_EQ(Count(GameSound::EngineStop), 1);
    const std::vector<int> sounds = PuzzleWorld::Sounds();
    EXPECT_LT(std::find(sounds.begin(), sounds.end(), 103),
              std::find(sounds.begin(), sounds.end(), 102));
}

TEST_F(TrainRun, WorkersOnTheRouteArePickedUpAndScored) {
    Start(kLowRun, 2);
    world->board->Cell(3, 5).item = ItemWorker;
    world->board->Cell(6, 5).item = ItemWorkerAlt;
    score = 0;
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateLevelComplete);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(world->board->Cell(3, 5).item, ItemNone);
    EXPECT_EQ(world->board->Cell(6, 5).itemTexture, nullptr);
    EXPECT_EQ(Count(GameSound::TuTu), 2);
}

TEST_F(TrainRun, CrashIntoTheHoleEndsTheGameAfterTheBlockBefore) {
    std::vector<std::string> rows = kTopRun;
    rows[0][1] = '.';
    Start(rows);
    const int frames = world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateGameOver);
    EXPECT_EQ(GameEndMark, StateGameOver);
    EXPECT_EQ(train().column, 0);
    EXPECT_EQ(train().row, 0);
    EXPECT_EQ(train().cellsEntered, 6);
    // Seven paths were run to their end, each in the first 16 ms frame that
    // takes it past 4000 units at 1.3 units per ms (193 frames).
    EXPECT_EQ(frames, 7 * 193);
    EXPECT_EQ(PuzzleWorld::Sounds(), std::vector<int>({GameSound::EngineStop}));
    EXPECT_EQ(train().engineChannel, Train::kNoChannel);
    // The engine stopped at the end of the curve into the hole.
    EXPECT_FLOAT_EQ(train().position.x, world->board->CellCenter(0, 0).x + 40.0f);
    // Nothing moves any more.
    const OVector3 at = train().position;
    train().UpdateTrain(500);
    EXPECT_EQ(train().position.x, at.x);
    EXPECT_EQ(PuzzleWorld::Sounds().size(), 1u);
}

TEST_F(TrainRun, ABlockWhosePathDoesNotJoinIsACrash) {
    std::vector<std::string> rows = kTopRun;
    rows[4][0] = 'I';  // horizontal block across the climb
    Start(rows);
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateGameOver);
    EXPECT_EQ(train().row, 5);
    EXPECT_EQ(train().cellsEntered, 1);
}

TEST_F(TrainRun, ABlockStillSlidingIsJoinedByWhereItIsDrawn) {
    // The block the train needs slides into its place too late.
    std::vector<std::string> rows = kTopRun;
    rows[4][0] = '.';
    rows[4][1] = 'F';
    Start(rows);
    BoardCell& cell = world->board->Cell(0, 4);
    // Put the vertical block in (0, 4), but as if it were still sliding in
    // from the right: drawn 40 pixels away from its place.
    world->board->SetBlock(0, 4, RailCatalogue::FBlox);
    cell.position.x += 40.0f;
    cell.moveVelocity = OVector3(-0.25f, 0.0f, 0.0f);
    cell.moveTarget = world->board->CellCenter(0, 4);
    cell.targetColumn = 0;
    cell.targetRow = 4;
    int frames = 0;
    while (GameState == StatePlaying && frames < 100000) {
        train().UpdateTrain(16);  // the slide does not advance
        ++frames;
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

TEST_F(TrainRun, CoalRefillsTheTank) {
    Start(kTopRun);
    world->board->Cell(0, 4).item = ItemCoal;
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(Count(GameSound::TuTu), 1);
    // Fifteen paths of 193 frames burnt fuel; the completing frame burns none.
    const double used = 15 * 193 * 16 * GameSettings::Instance().CoalUsage[1];
    EXPECT_NEAR(train().fuel, 100.0 + 40.0 - used, 0.01);
}

TEST_F(TrainRun, ARedSemaphoreHoldsTheTrainTenSecondsWithoutBurningFuel) {
    Start(kTopRun);
    world->board->Cell(0, 4).item = ItemRedSemaphore;
    while (PuzzleWorld::Sounds().empty()) {
        train().UpdateTrain(10);
    }
    EXPECT_EQ(PuzzleWorld::Sounds(), std::vector<int>({GameSound::SemaphoreNear}));
    EXPECT_EQ(world->board->Cell(0, 4).item, ItemGreenSemaphore);
    EXPECT_EQ(world->board->Cell(0, 4).itemTexture, world->board->GreenSemaphoreTexture());
    EXPECT_EQ(train().wait, 10000);
    const double fuel = train().fuel;
    const OVector3 at = train().position;
    const double progress = train().progress;
    for (int ms = 0; ms < 10000; ms += 10) {
        train().UpdateTrain(10);
    }
    EXPECT_EQ(train().fuel, fuel);
    EXPECT_EQ(train().position.y, at.y);
    EXPECT_EQ(train().progress, progress);
    EXPECT_LE(train().wait, 0);
    // Then on past the now green semaphore, without stopping again.
    train().UpdateTrain(10);
    EXPECT_GT(train().progress, progress);
    EXPECT_LT(train().fuel, fuel);
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateLevelComplete);
    EXPECT_EQ(Count(GameSound::SemaphoreNear), 1);
}

TEST_F(TrainRun, ItemsStayWhenThePathSkirtsTheCentreByMoreThan16Pixels) {
    world = std::make_unique<PuzzleWorld>(1, 5);
    // A rounder bottom-right curve: control points 22 in from the sides
    // pass 16.6 pixels from the centre.
    std::string rails = PuzzleWorld::Asset("Rails.Txt");
    const std::string shipped =
        "Way = [0 -40 0 -10 10 0 40 0]\n\tAltWay = [0 0 0 0 0 0 0 0]\n\tNextRail = 8";
    ASSERT_NE(rails.find(shipped), std::string::npos);
    rails.replace(rails.find(shipped), std::string("Way = [0 -40 0 -10 10 0 40 0]").size(),
                  "Way = [0 -40 0 -18 18 0 40 0]");
    world->SetText("Data/Rails.Txt", rails);
    world->Build();
    world->Lay(kTopRun);
    world->board->Cell(0, 0).item = ItemCoal;  // on the round curve
    world->board->Cell(3, 0).item = ItemCoal;  // on a straight
    world->RunUntilEnd(16, 100000);
    EXPECT_EQ(GameState, StateLevelComplete);
    EXPECT_EQ(world->board->Cell(0, 0).item, ItemCoal);
    EXPECT_EQ(world->board->Cell(3, 0).item, ItemNone);
}

TEST_F(TrainRun, TurnsInBothSensesPickTheSheetAndFrame) {
    Start(kLowRun);
    // Up into (0, 5), where the curve turns the train clockwise to the right.
    while (train().cellsEntered < 1) {
        train().UpdateTrain(16);
    }
    EXPECT_TRUE(train().turning);
    EXPECT_FALSE(train().counterClockwise);
    EXPECT_EQ(train().heading, Direction::Right);
    EXPECT_EQ(train().spriteHeading, Direction::Up);  // the old heading's sheet, forwards
    int last = -1;
    while (train().cellsEntered < 2) {
        EXPECT_GE(train().spriteFrame, last);
        EXPECT_LE(train().spriteFrame, 9);
        last = train().spriteFrame;
        train().UpdateTrain(16);
    }
    EXPECT_EQ(last, 9);
    EXPECT_FALSE(train().turning);
    EXPECT_EQ(train().spriteFrame, 9);  // kept while running straight
    // At (9, 5) the curve turns it counter-clockwise, up the last column.
    while (train().cellsEntered < 10) {
        train().UpdateTrain(16);
    }
    EXPECT_TRUE(train().turning);
    EXPECT_TRUE(train().counterClockwise);
    EXPECT_EQ(train().heading, Direction::Up);
    EXPECT_EQ(train().spriteHeading, Direction::Up);  // the new heading's sheet, backwards
    last = 10;
    int frames = 0;
    while (train().cellsEntered < 11) {
        EXPECT_LE(train().spriteFrame, last);
        EXPECT_GE(train().spriteFrame, 0);
        last = train().spriteFrame;
        train().UpdateTrain(16);
        ++frames;
    }
    EXPECT_EQ(last, 0);
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

TEST_F(TrainRun, ResetPutsTheTrainOnTheSourceWithAFullTank) {
    Start(kLowRun);
    world->RunUntilEnd(16, 300);
    train().ResetTrain();
    EXPECT_EQ(train().column, 0);
    EXPECT_EQ(train().row, 6);
    EXPECT_EQ(train().fuel, 100.0);
    EXPECT_EQ(train().cellsEntered, 0);
    EXPECT_EQ(train().heading, Direction::Up);
    EXPECT_EQ(train().wait, -1);
    EXPECT_FLOAT_EQ(train().position.y, world->board->CellCenter(0, 6).y - 20.0f);
    EXPECT_EQ(PuzzleWorld::Sounds().back(), GameSound::Engine);
    // The smoke rises ahead of the engine.
    train().UpdateTrain(200);
    EXPECT_GT(train().Smoke().position.y, train().position.y);
}
