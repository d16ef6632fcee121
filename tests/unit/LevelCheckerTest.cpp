#include "LevelChecker.h"

#include <gtest/gtest.h>

#include "PuzzleWorld.h"

namespace {

// A game folder holding one shipped level file as every variant of its level.
std::unique_ptr<PuzzleWorld> WorldWithShippedLevel(int level, int file, int difficulty) {
    auto world = std::make_unique<PuzzleWorld>(difficulty, level);
    const std::string text =
        PuzzleWorld::Asset("Levels/" + std::to_string(level) + "/" + std::to_string(file) + ".Txt");
    for (int n = 1; n <= 3; ++n) {
        PuzzleWorld::WriteLevel(level, n, text);
    }
    world->Build();
    return world;
}

LevelChecker::Goal ShippedGoal(int level) {
    LevelChecker::Goal goal;
    goal.maxMoves = 30;
    goal.coverItemBlocks = true;
    goal.fuelSafe = true;
    goal.coalHeaps = level >= 4 ? 2 : (level == 3 ? 1 : 0);
    return goal;
}

}  // namespace

// Every shipped level is solved by the checker, and the real train then runs
// the found board to the station at Hard, whatever items the level placed.
TEST(LevelChecker, EveryShippedLevelIsWonByTheTrainOnTheFoundBoard) {
    for (int level = 1; level <= 4; ++level) {
        for (int file = 1; file <= 3; ++file) {
            std::unique_ptr<PuzzleWorld> world = WorldWithShippedLevel(level, file, 2);
            LevelChecker checker(*world->board);
            const LevelChecker::Result result = checker.Solve(ShippedGoal(level));
            ASSERT_TRUE(result.solved) << level << "/" << file;
            EXPECT_GE(result.moves, 1) << "the gap must always be filled";
            // Before the moves the train cannot get through.
            EXPECT_FALSE(LevelChecker::TraceRoute(*world->board).reachesStation);
            for (unsigned seed = 1; seed <= 5; ++seed) {
                checker.Apply(result);
                GameRandom::SetSeedSource([seed] { return seed; });
                GameRandom::SeedForLevel();
                world->board->PlaceItems();
                world->train->ResetTrain();
                GameState = StatePlaying;
                GameEndMark = EndMarkRunning;
                world->RunUntilEnd(16, 200000);
                EXPECT_EQ(GameState, StateLevelComplete)
                    << level << "/" << file << " seed " << seed;
                EXPECT_TRUE(world->board->AllWorkersCollected());
                // Every block after the Source one, and the arrival.
                EXPECT_EQ(world->train->cellsEntered, result.route.length);
            }
        }
    }
}

TEST(LevelChecker, SlidesOnlyAtHardAndTurnsElsewhere) {
    // Level 1's first board with its gap filled, then one curve turned out
    // of place: turning mends it, slides cannot.
    std::unique_ptr<PuzzleWorld> world = WorldWithShippedLevel(1, 1, 1);
    Board& board = *world->board;
    LevelChecker checker(board);
    // Mend the gap, then spoil one curve by turning it.
    board.SetBlock(1, 0, RailCatalogue::EBlox);
    board.Cell(2, 0).block = nullptr;
    ASSERT_TRUE(LevelChecker::TraceRoute(board).reachesStation);
    board.SetBlock(3, 4, RailCatalogue::HBlox);  // a G turned once
    LevelChecker::Goal goal;
    goal.maxMoves = 8;
    const LevelChecker::Result normal = checker.Solve(goal);
    ASSERT_TRUE(normal.solved);
    EXPECT_EQ(normal.moves, 3);  // three more clockwise turns
    SystemOptions.DifficultyLevel = 2;
    const LevelChecker::Result hard = checker.Solve(goal);
    EXPECT_FALSE(hard.solved);
    EXPECT_FALSE(hard.limitHit);
    // The board is left as it was found.
    EXPECT_EQ(board.Cell(3, 4).block->kind, RailCatalogue::HBlox);
}

TEST(LevelChecker, AStateLimitEndsTheSearch) {
    std::unique_ptr<PuzzleWorld> world = WorldWithShippedLevel(4, 2, 2);
    LevelChecker checker(*world->board);
    LevelChecker::Goal goal = ShippedGoal(4);
    goal.stateLimit = 10;
    const LevelChecker::Result result = checker.Solve(goal);
    EXPECT_FALSE(result.solved);
    EXPECT_TRUE(result.limitHit);
    EXPECT_LE(result.statesSeen, 10u);
}

TEST(LevelChecker, FuelFailsWhenTheRouteOutrunsTheTankAndTheCoal) {
    std::unique_ptr<PuzzleWorld> world = WorldWithShippedLevel(4, 1, 2);
    LevelChecker checker(*world->board);
    const LevelChecker::Result result = checker.Solve(ShippedGoal(4));
    ASSERT_TRUE(result.solved);
    checker.Apply(result);
    // 27 paths at Hard: 20 on a full tank, so the coal is needed.
    EXPECT_EQ(result.route.length, 27);
    EXPECT_FALSE(LevelChecker::FuelLasts(*world->board, result.route, 0, 2));
    EXPECT_FALSE(LevelChecker::FuelLasts(*world->board, result.route, 1, 2));
    EXPECT_TRUE(LevelChecker::FuelLasts(*world->board, result.route, 2, 2));
    EXPECT_TRUE(LevelChecker::FuelLasts(*world->board, result.route, 0, 0));
}

TEST(LevelChecker, TurnSearchFillsTheGapAndTurnsTheTrackIntoPlace) {
    // Level 1's first board needs one slide; with one curve turned out of
    // place it needs three turns more, which only Easy and Normal allow.
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        std::unique_ptr<PuzzleWorld> world = WorldWithShippedLevel(1, 1, difficulty);
        Board& board = *world->board;
        LevelChecker checker(board);
        const LevelChecker::Result plain = checker.SolveByTurns(20);
        ASSERT_TRUE(plain.solved) << difficulty;
        EXPECT_EQ(plain.moves, 1);
        board.SetBlock(3, 4, RailCatalogue::HBlox);  // a G turned once
        // Too few moves allowed: no solution.
        EXPECT_FALSE(checker.SolveByTurns(3).solved);
        const LevelChecker::Result turned = checker.SolveByTurns(20);
        EXPECT_EQ(turned.solved, difficulty != 2) << difficulty;
        if (turned.solved) {
            EXPECT_EQ(turned.moves, 4);
            checker.Apply(turned);
            EXPECT_TRUE(LevelChecker::TraceRoute(board).reachesStation);
            // From the mended board nothing is left to do.
            EXPECT_EQ(checker.SolveByTurns(20).moves, 0);
        }
    }
}
