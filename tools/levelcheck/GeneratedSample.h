#pragma once

#include <cstddef>
#include <string>

// Generated levels of one difficulty over a run of seeds, as the level
// checker sees them: the raw generator's first board of each level (proved
// winnable, proved unwinnable, undecided), and the level the game gives the
// player after its redraws, with the time LoadLevel took. Needs the game
// folder of a LevelFolder.
class GeneratedSample {
public:
    GeneratedSample(int difficulty, int count, unsigned firstSeed, size_t budget);

    // One line of figures, named by the difficulty.
    std::string Summary() const;

    int difficulty = 0;
    int count = 0;
    int rawWinnable = 0;
    int rawUnwinnable = 0;
    int rawBudgetSpent = 0;
    int rawExhausted = 0;
    int givenWinnable = 0;
    int medianRedraws = 0;
    int worstRedraws = 0;
    double medianLoadMs = 0.0;
    double worstLoadMs = 0.0;
    // The same in CPU time of the loading thread: what the load costs, apart
    // from the time a busy machine gives other programs.
    double medianLoadCpuMs = 0.0;
    double worstLoadCpuMs = 0.0;
    double statesPerSecond = 0.0;
};
