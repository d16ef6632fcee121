// audiogen OUTPUT_DIR [-q]
// Synthesises every sound and tune of the game and writes them below
// OUTPUT_DIR under their data names (OUTPUT_DIR/Data/Sounds/Engine.Wav ...).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audiogen/AudioAssets.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "-q") != 0)) {
        std::fprintf(stderr, "usage: audiogen OUTPUT_DIR [-q]\n");
        return 2;
    }
    bool verbose = argc == 2;
    std::vector<std::string> failed = AudioAssets::WriteAll(argv[1], verbose);
    for (const std::string& name : failed) {
        std::fprintf(stderr, "audiogen: could not write %s\n", name.c_str());
    }
    return failed.empty() ? 0 : 1;
}
