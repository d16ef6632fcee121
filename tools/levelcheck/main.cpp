// levelcheck: proves the shipped levels solvable and samples generated ones.
//   levelcheck [--generated N] [--limit STATES] [--shipped-limit STATES] ASSETS_DIR
// For each of the twelve level files and each difficulty it prints whether a
// board exists, within a few moves, on which the train reaches the station
// with every item-carrying block on its route and enough fuel with the coal
// as late as it can lie; exits with status 1 when one is not solvable. With
// --generated it also prints, per difficulty, the share of N generated levels
// on which a route exists within 20 moves (information only).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "LevelChecker.h"
#include "LevelFolder.h"
#include "app/OException.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"

namespace {

const char* const kDifficulty[3] = {"Easy", "Normal", "Hard"};

int CoalHeapsOfLevel(int level) {
    return level >= 4 ? 2 : (level == 3 ? 1 : 0);
}

bool CheckShipped(size_t limit) {
    bool allSolved = true;
    for (int level = 1; level <= 4; ++level) {
        for (int file = 1; file <= 3; ++file) {
            Board board(level);
            LevelFolder::Prepare(board);
            board.StartLevel();
            board.LoadLevelFile(file);
            std::printf("level %d file %d (%d x %d):", level, file, board.boardWidth,
                        board.boardHeight);
            for (int d = 0; d < 3; ++d) {
                SystemOptions.DifficultyLevel = d;
                LevelChecker::Goal goal;
                goal.maxMoves = 30;
                goal.stateLimit = limit;
                goal.coverItemBlocks = true;
                goal.fuelSafe = true;
                goal.coalHeaps = CoalHeapsOfLevel(level);
                LevelChecker checker(board);
                const LevelChecker::Result result = checker.Solve(goal);
                if (result.solved) {
                    std::printf("  %s %d move%s (route %d)", kDifficulty[d], result.moves,
                                result.moves == 1 ? "" : "s", result.route.length);
                } else {
                    std::printf("  %s NOT SOLVABLE%s", kDifficulty[d],
                                result.limitHit ? " within the state limit" : "");
                    allSolved = false;
                }
            }
            std::printf("\n");
        }
    }
    return allSolved;
}

void SampleGenerated(int count, size_t limit) {
    for (int d = 0; d < 3; ++d) {
        SystemOptions.DifficultyLevel = d;
        int solved = 0;
        long moves = 0;
        for (int i = 0; i < count; ++i) {
            const unsigned seed = 1000u + static_cast<unsigned>(i);
            GameRandom::SetSeedSource([seed] { return seed; });
            Board board(5);
            LevelFolder::Prepare(board);
            board.LoadLevel();
            LevelChecker::Goal goal;
            goal.maxMoves = 20;
            goal.stateLimit = limit;
            goal.furthestFirst = true;
            LevelChecker checker(board);
            LevelChecker::Result result = checker.SolveByTurns(20);
            if (!result.solved) {
                result = checker.Solve(goal);
            }
            if (result.solved) {
                ++solved;
                moves += result.moves;
            }
        }
        std::printf("generated %s: %d of %d found solvable within 20 moves (%.1f %%)",
                    kDifficulty[d], solved, count, 100.0 * solved / count);
        if (solved > 0) {
            std::printf(", %.1f moves on average", static_cast<double>(moves) / solved);
        }
        std::printf(" [one slide and turns, else a furthest-route-first search of %zu states]\n",
                    limit);
    }
    GameRandom::SetSeedSource({});
}

}  // namespace

int main(int argc, char** argv) {
    int generated = 0;
    size_t limit = 300000;
    size_t generatedLimit = 2000;
    const char* assets = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--generated") == 0 && i + 1 < argc) {
            generated = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--shipped-limit") == 0 && i + 1 < argc) {
            limit = static_cast<size_t>(std::atol(argv[++i]));
        } else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc) {
            generatedLimit = static_cast<size_t>(std::atol(argv[++i]));
        } else {
            assets = argv[i];
        }
    }
    if (!assets) {
        std::fprintf(stderr,
                     "usage: levelcheck [--generated N] [--limit STATES] [--shipped-limit STATES] "
                     "ASSETS_DIR\n");
        return 2;
    }
    LevelFolder folder(assets);
    if (!folder.Ready()) {
        std::fprintf(stderr, "levelcheck: %s\n", folder.Error().c_str());
        return 2;
    }
    try {
        const bool allSolved = CheckShipped(limit);
        if (generated > 0) {
            SampleGenerated(generated, generatedLimit);
        }
        return allSolved ? 0 : 1;
    } catch (const OException& e) {
        std::fprintf(stderr, "levelcheck: %s (see Report.html)\n", e.GetMessage().c_str());
        return 2;
    }
}
