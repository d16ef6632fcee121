#pragma once

#include <string>

class OConfigFile;

// Reading the game's data texts. Every file the game cannot run without goes
// through Fail when it is missing or damaged: one error record naming the
// file in the log, then OFileNotFound.
class GameDataFile {
public:
    // Loads an archive entry into config; fails when the entry is missing or
    // does not parse.
    static void LoadFromArchive(OConfigFile& config, const std::string& name);

    [[noreturn]] static void Fail(const std::string& name, const std::string& reason);
};
