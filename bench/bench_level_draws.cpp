// Generated levels as the player gets them: for each difficulty over 1000
// seeds, the raw generator's share proved winnable (target at Normal: 30 %
// or more), the share of given levels proved winnable (target 99 % or
// more), redraws per level, and LoadLevel with its checks and redraws
// (targets: median under 5 ms, worst under 50 ms).
//   bench_level_draws [SEEDS]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GeneratedSample.h"
#include "LevelFolder.h"
#include "game/RaceChecker.h"

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string here = __FILE__;
    LevelFolder folder(here.substr(0, here.rfind("/bench/")) + "/assets");
    if (!folder.Ready()) {
        std::fprintf(stderr, "bench_level_draws: %s\n", folder.Error().c_str());
        return 2;
    }
    for (int d = 0; d < 3; ++d) {
        const GeneratedSample sample(d, seeds, 1000u, RaceChecker::kGameBudget);
        std::printf("%s\n", sample.Summary().c_str());
    }
    return 0;
}
