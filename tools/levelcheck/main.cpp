// levelcheck: plays the race between the player and the train on the
// shipped levels and on generated ones.
//   levelcheck [--seeds N] [--generated N] [--budget NODES] [--first SEED] ASSETS_DIR
//   levelcheck --show SEED DIFFICULTY [--budget NODES] ASSETS_DIR
// For each of the twelve level files and each difficulty it checks the board
// with N item placements (default 20) and prints how many the level checker
// proved winnable; exits with status 1 when one was not. With --generated
// it prints, per difficulty over N seeds: the raw generator's share proved
// winnable, proved unwinnable and undecided, the share proved winnable of
// the levels a player is given (after redraws), redraws per level (median
// and worst), level load times, and the checker's speed.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "GeneratedSample.h"
#include "LevelFolder.h"
#include "app/OException.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/RaceBoard.h"
#include "game/RaceChecker.h"
#include "game/RaceRules.h"

namespace {

const char* const kDifficulty[3] = {"Easy", "Normal", "Hard"};

struct Options {
    int seeds = 20;
    int generated = 0;
    size_t budget = RaceChecker::kGameBudget;
    unsigned first = 1000;
    const char* assets = nullptr;
    bool show = false;
    int showDifficulty = 0;
};

bool CheckShipped(const Options& options) {
    bool allProved = true;
    for (int level = 1; level <= 4; ++level) {
        for (int file = 1; file <= 3; ++file) {
            std::printf("level %d file %d:", level, file);
            for (int d = 0; d < 3; ++d) {
                SystemOptions.DifficultyLevel = d;
                int proved = 0;
                int longest = 0;
                for (int s = 0; s < options.seeds; ++s) {
                    const unsigned seed = options.first + static_cast<unsigned>(s);
                    GameRandom::SetSeedSource([seed] { return seed; });
                    Board board(level);
                    LevelFolder::Prepare(board);
                    board.StartLevel();
                    board.LoadLevelFile(file);
                    const RaceRules rules(board.Catalogue(), GameSettings::Instance(), d);
                    const RaceChecker::Result result =
                        RaceChecker(rules).Check(RaceBoard::Of(board), options.budget);
                    proved += result.verdict == RaceChecker::Verdict::Winnable ? 1 : 0;
                    longest = std::max(longest, static_cast<int>(result.moves.size()));
                }
                std::printf("  %s %d/%d proved (at most %d moves)", kDifficulty[d], proved,
                            options.seeds, longest);
                allProved = allProved && proved == options.seeds;
            }
            std::printf("\n");
        }
    }
    GameRandom::SetSeedSource({});
    return allProved;
}

void SampleGenerated(const Options& options) {
    for (int d = 0; d < 3; ++d) {
        const GeneratedSample sample(d, options.generated, options.first, options.budget);
        std::printf("%s\n", sample.Summary().c_str());
    }
}

// Prints a generated board (rows top first, rail letters, items as digits
// after them) and what the checker made of it.
void Show(const Options& options) {
    const unsigned seed = options.first;
    GameRandom::SetSeedSource([seed] { return seed; });
    SystemOptions.DifficultyLevel = options.showDifficulty;
    Board board(5);
    LevelFolder::Prepare(board);
    board.StartLevel();
    board.GenerateLevel();
    board.PlaceItems();
    board.LayFrame();
    const RaceBoard race = RaceBoard::Of(board);
    const char* const letters = "ABCDIFJHEGST";
    for (int r = 0; r < race.height; ++r) {
        for (int c = 0; c < race.width; ++c) {
            const int kind = race.kind[c][r];
            std::printf(" %c%c", kind < 0 ? '.' : letters[kind],
                        race.item[c][r] ? '0' + race.item[c][r] : ' ');
        }
        std::printf("\n");
    }
    const RaceRules rules(board.Catalogue(), GameSettings::Instance(), options.showDifficulty);
    const RaceChecker::Result result = RaceChecker(rules).Check(race, options.budget);
    static const char* const kVerdicts[3] = {"winnable", "unwinnable", "undecided"};
    std::printf("%s %s%s; %zu states; closest %d; arrives at frame %d with fuel %.1f\n",
                kDifficulty[options.showDifficulty], kVerdicts[static_cast<int>(result.verdict)],
                result.budgetSpent ? " (budget spent)" : "", result.nodes, result.closest,
                result.arrivalFrame, result.fuelLeft);
    for (const RaceChecker::Move& move : result.moves) {
        std::printf("  %6d ms %s (%d, %d)\n", move.frame * RaceRules::kFrameMs,
                    move.button == 0 ? "slide" : "turn ", move.column, move.row);
    }
    GameRandom::SetSeedSource({});
}

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool value = i + 1 < argc;
        if (std::strcmp(argv[i], "--seeds") == 0 && value) {
            options.seeds = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--generated") == 0 && value) {
            options.generated = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--budget") == 0 && value) {
            options.budget = static_cast<size_t>(std::atol(argv[++i]));
        } else if (std::strcmp(argv[i], "--show") == 0 && i + 2 < argc) {
            options.first = static_cast<unsigned>(std::atol(argv[++i]));
            options.showDifficulty = std::atoi(argv[++i]) % 3;
            options.show = true;
        } else if (std::strcmp(argv[i], "--first") == 0 && value) {
            options.first = static_cast<unsigned>(std::atol(argv[++i]));
        } else if (argv[i][0] == '-') {
            return false;
        } else {
            options.assets = argv[i];
        }
    }
    return options.assets != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: levelcheck [--seeds N] [--generated N] [--budget NODES] "
                     "[--first SEED] ASSETS_DIR\n"
                     "       levelcheck --show SEED DIFFICULTY [--budget NODES] ASSETS_DIR\n");
        return 2;
    }
    LevelFolder folder(options.assets);
    if (!folder.Ready()) {
        std::fprintf(stderr, "levelcheck: %s\n", folder.Error().c_str());
        return 2;
    }
    try {
        if (options.show) {
            Show(options);
            return 0;
        }
        const bool allProved = CheckShipped(options);
        if (options.generated > 0) {
            SampleGenerated(options);
        }
        return allProved ? 0 : 1;
    } catch (const OException& e) {
        std::fprintf(stderr, "levelcheck: %s (see Report.html)\n", e.GetMessage().c_str());
        return 2;
    }
}
