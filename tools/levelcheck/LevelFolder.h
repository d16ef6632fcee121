#pragma once

#include <filesystem>
#include <string>

class Board;

// A temporary game folder made from the source assets: "Data/Resource.Kvr"
// holding the rail catalogue, the settings and the difficulty weights, and
// "Data/Levels" copied beside it. The folder is the working directory while
// the object lives.
class LevelFolder {
public:
    explicit LevelFolder(const std::filesystem::path& assets);
    ~LevelFolder();
    LevelFolder(const LevelFolder&) = delete;
    LevelFolder& operator=(const LevelFolder&) = delete;

    bool Ready() const { return error.empty(); }
    const std::string& Error() const { return error; }

    // Reads the settings and the rail catalogue (without pictures) for a
    // board that will load levels in this folder.
    static void Prepare(Board& board);

private:
    std::filesystem::path folder;
    std::filesystem::path previous;
    std::string error;
};
