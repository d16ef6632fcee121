#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PuzzleWorld.h"
#include "app/OErrorLog.h"
#include "game/RaceBoard.h"
#include "game/RaceChecker.h"
#include "game/RaceRules.h"

namespace {

// Plays a move list on the real board and train with 16 ms frames, each
// click made after its number of frames as a player would: at the centre of
// its cell. Returns the state the level ends in; `why` tells a refused click.
int Replay(PuzzleWorld& world, const std::vector<RaceChecker::Move>& moves, std::string& why) {
    Board& board = *world.board;
    world.train->ResetTrain();
    GameState = StatePlaying;
    GameEndMark = EndMarkRunning;
    size_t next = 0;
    for (int frame = 0; GameState == StatePlaying && frame < 200000; ++frame) {
        for (; next < moves.size() && moves[next].frame <= frame; ++next) {
            const RaceChecker::Move& move = moves[next];
            const BoardCell& cell = board.Cell(move.column, move.row);
            const int before = cell.block ? cell.block->kind : -1;
            const OVector3 centre = board.CellCenter(move.column, move.row);
            board.MoveBlock(move.button, static_cast<int>(centre.x),
                            static_cast<int>(600 - centre.y), 800, 600);
            const bool took =
                move.button == 0 ? cell.IsSliding() : (cell.block && cell.block->kind != before);
            if (!took) {
                why = "click " + std::to_string(next) + " at frame " + std::to_string(frame) +
                      " on (" + std::to_string(move.column) + ", " + std::to_string(move.row) +
                      ") was refused";
                return StatePlaying;
            }
        }
        board.UpdateMoves(RaceRules::kFrameMs);
        world.train->UpdateTrain(RaceRules::kFrameMs);
    }
    if (next != moves.size()) {
        why = "the level ended before click " + std::to_string(next);
    }
    return GameState;
}

}  // namespace

// The checker's model is the game's: whatever it proves winnable, the real
// board and train win with its clicks, every worker collected. Every
// hand-made level file is checked as it is, then 50 generated levels that
// were drawn until the checker proved one.
TEST(RaceChecker, ProvedLevelsAreWonByTheRealBoardAndTrain) {
    constexpr int kFiles = 4 * 3;
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        PuzzleWorld world(difficulty, 1);
        world.Build();  // with the shipped level files
        Board& board = *world.board;
        for (int i = 0; i < kFiles + 50; ++i) {
            const unsigned seed = 500u + static_cast<unsigned>(i);
            GameRandom::SetSeedSource([seed] { return seed; });
            const int level = i < kFiles ? 1 + i / 3 : 5 + i - kFiles;
            board.levelNumber = level - 1;
            RaceChecker::Result result;
            if (i < kFiles) {
                board.StartLevel();
                board.LoadLevelFile(1 + i % 3);
                const RaceRules rules(board.Catalogue(), GameSettings::Instance(), difficulty);
                result = RaceChecker(rules).Check(RaceBoard::Of(board));
            } else {
                board.LoadLevel();
                result = board.LastDraws().check;
            }
            const std::string where = "difficulty " + std::to_string(difficulty) + " level " +
                                      std::to_string(level) +
                                      (i < kFiles ? " file " + std::to_string(1 + i % 3) : "");
            ASSERT_EQ(result.verdict, RaceChecker::Verdict::Winnable) << where;
            std::string why;
            EXPECT_EQ(Replay(world, result.moves, why), StateLevelComplete) << where << " " << why;
            EXPECT_TRUE(why.empty()) << where << " " << why;
            EXPECT_TRUE(board.AllWorkersCollected()) << where;
        }
    }
}

// Tuning that makes every board unwinnable ends the redraws: the last board
// is played, the log says so (no error), and the verdict names the reason.
TEST(RaceChecker, HopelessTuningEndsTheRedrawsAndIsLogged) {
    struct Case {
        const char* file;
        const char* from;
        const char* to;
        RaceChecker::Verdict verdict;
    };
    const Case cases[] = {
        // Blank blocks only: nothing carries the train into the board.
        {"Data/Difficult.Cfg", "NormalDifficult = [10 25 15 25]", "NormalDifficult = [100 0 0 0]",
         RaceChecker::Verdict::Unwinnable},
        // A tank that does not last the shortest route.
        {"Data/Game.Cfg", "CoalUsage = [0.000694444 0.00108333 0.00141667]",
         "CoalUsage = [0.1 0.1 0.1]", RaceChecker::Verdict::Unwinnable},
        // A train that never moves.
        {"Data/Game.Cfg", "eXprSpeed = [1.0 1.3 1.7]", "eXprSpeed = [0 0 0]",
         RaceChecker::Verdict::Unwinnable},
        // Crossings only: the train can never turn; no proof, no win.
        {"Data/Difficult.Cfg", "NormalDifficult = [10 25 15 25]", "NormalDifficult = [0 0 100 0]",
         RaceChecker::Verdict::Undecided},
    };
    for (const Case& c : cases) {
        PuzzleWorld world(1, 5);
        world.SetText(c.file, GameTestData::AssetWith(c.file + 5, c.from, c.to));
        const int errors = OErrorLog::Instance().GetErrorCount();
        world.Build();
        const Board::LevelDraws& draws = world.board->LastDraws();
        // Quick verdicts take every draw; searches that spend their budget
        // stop when the level's share of checked boards is used up.
        EXPECT_GE(draws.draws, 2) << c.to;
        EXPECT_LE(draws.draws, Board::kMostDraws) << c.to;
        if (c.verdict == RaceChecker::Verdict::Unwinnable) {
            EXPECT_EQ(draws.draws, Board::kMostDraws) << c.to;
        }
        EXPECT_EQ(draws.check.verdict, c.verdict) << c.to;
        EXPECT_EQ(OErrorLog::Instance().GetErrorCount(), errors) << c.to;
        const std::string told = "none of " + std::to_string(draws.draws) + " generated boards";
        EXPECT_NE(TempDir::Read("Report.html").find(told), std::string::npos) << c.to;
        // The board played still has its frame and its hole.
        EXPECT_EQ(world.board->Cell(1, 0).block, nullptr) << c.to;
        EXPECT_EQ(world.board->Cell(0, 6).block->kind, RailCatalogue::Source) << c.to;
    }
}
