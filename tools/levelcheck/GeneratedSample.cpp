#include "GeneratedSample.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "LevelFolder.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/RaceBoard.h"
#include "game/RaceChecker.h"
#include "game/RaceRules.h"

namespace {

template <typename T>
void MedianAndWorst(std::vector<T> values, T& median, T& worst) {
    std::sort(values.begin(), values.end());
    median = values.empty() ? T() : values[values.size() / 2];
    worst = values.empty() ? T() : values.back();
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

double Percent(int part, int whole) {
    return whole > 0 ? 100.0 * part / whole : 0.0;
}

}  // namespace

GeneratedSample::GeneratedSample(int d, int n, unsigned firstSeed, size_t budget)
    : difficulty(d), count(n) {
    const int savedDifficulty = SystemOptions.DifficultyLevel;
    SystemOptions.DifficultyLevel = d;
    std::vector<int> redraws;
    std::vector<double> loads;
    std::vector<double> loadsCpu;
    size_t nodes = 0;
    double seconds = 0.0;
    for (int i = 0; i < n; ++i) {
        const unsigned seed = firstSeed + static_cast<unsigned>(i);
        GameRandom::SetSeedSource([seed] { return seed; });
        // The raw generator: the first board of the level's random sequence.
        Board board(5);
        LevelFolder::Prepare(board);
        board.StartLevel();
        board.GenerateLevel();
        board.PlaceItems();
        board.LayFrame();
        const RaceRules rules(board.Catalogue(), GameSettings::Instance(), d);
        const RaceChecker::Result raw = RaceChecker(rules).Check(RaceBoard::Of(board), budget);
        nodes += raw.nodes;
        seconds += raw.seconds;
        if (raw.verdict == RaceChecker::Verdict::Winnable) {
            ++rawWinnable;
        } else if (raw.verdict == RaceChecker::Verdict::Unwinnable) {
            ++rawUnwinnable;
        } else if (raw.budgetSpent) {
            ++rawBudgetSpent;
        } else {
            ++rawExhausted;
        }
        // What the player is given: the level as the game loads it.
        board.levelNumber = 4;
        const auto started = std::chrono::steady_clock::now();
        const double startedCpu = ThreadCpuMs();
        board.LoadLevel();
        loadsCpu.push_back(ThreadCpuMs() - startedCpu);
        loads.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
        redraws.push_back(board.LastDraws().draws - 1);
        if (board.LastDraws().check.verdict == RaceChecker::Verdict::Winnable) {
            ++givenWinnable;
        }
    }
    MedianAndWorst(redraws, medianRedraws, worstRedraws);
    MedianAndWorst(loads, medianLoadMs, worstLoadMs);
    MedianAndWorst(loadsCpu, medianLoadCpuMs, worstLoadCpuMs);
    statesPerSecond = seconds > 0.0 ? nodes / seconds : 0.0;
    GameRandom::SetSeedSource({});
    SystemOptions.DifficultyLevel = savedDifficulty;
}

std::string GeneratedSample::Summary() const {
    static const char* const kNames[3] = {"Easy", "Normal", "Hard"};
    char line[640];
    std::snprintf(line, sizeof line,
                  "generated %s, %d seeds: raw %.1f %% proved winnable, %.1f %% proved "
                  "unwinnable, %.1f %% undecided (%.1f %% budget spent, %.1f %% no tried route "
                  "won); given %.1f %% proved winnable; redraws median %d worst %d; LoadLevel "
                  "median %.2f ms worst %.2f ms (CPU time median %.2f ms worst %.2f ms); checker "
                  "%.0f states/s",
                  kNames[difficulty], count, Percent(rawWinnable, count),
                  Percent(rawUnwinnable, count), Percent(rawBudgetSpent + rawExhausted, count),
                  Percent(rawBudgetSpent, count), Percent(rawExhausted, count),
                  Percent(givenWinnable, count), medianRedraws, worstRedraws, medianLoadMs,
                  worstLoadMs, medianLoadCpuMs, worstLoadCpuMs, statesPerSecond);
    return line;
}
