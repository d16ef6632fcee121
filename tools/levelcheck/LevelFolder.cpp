#include "LevelFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "data/OArchiveWriter.h"
#include "data/OConfigFile.h"
#include "data/OResourceArchive.h"
#include "game/Board.h"
#include "game/GameDataFile.h"
#include "game/GameSettings.h"

namespace fs = std::filesystem;

LevelFolder::LevelFolder(const fs::path& assets) {
    char pattern[] = "/tmp/carrowmoor-levelcheck-XXXXXX";
    if (!mkdtemp(pattern)) {
        error = "cannot make a temporary folder";
        return;
    }
    folder = pattern;
    previous = fs::current_path();
    std::error_code failed;
    fs::create_directories(folder / "Data", failed);
    fs::copy(assets / "Levels", folder / "Data" / "Levels", fs::copy_options::recursive, failed);
    if (failed) {
        error = "cannot copy " + (assets / "Levels").string() + ": " + failed.message();
        return;
    }
    OArchiveWriter writer;
    for (const char* name : {"Rails.Txt", "Game.Cfg", "Difficult.Cfg"}) {
        std::ifstream in(assets / name, std::ios::binary);
        if (!in) {
            error = "cannot read " + (assets / name).string();
            return;
        }
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        writer.Add(std::string("Data/") + name, std::move(bytes));
    }
    const fs::path archive = folder / "Data" / "Resource.Kvr";
    if (!writer.Write(archive.string(), error)) {
        return;
    }
    fs::current_path(folder);
    OResourceArchive::Instance().SetPath("Data/Resource.Kvr");
    OResourceArchive::Instance().ReadDirectory();
}

LevelFolder::~LevelFolder() {
    std::error_code ignored;
    if (!previous.empty()) {
        fs::current_path(previous, ignored);
    }
    if (!folder.empty()) {
        fs::remove_all(folder, ignored);
    }
}

void LevelFolder::Prepare(Board& board) {
    GameSettings::Instance().Read();
    OConfigFile config;
    GameDataFile::LoadFromArchive(config, "Data/Rails.Txt");
    board.Catalogue().ReadFrom(config, "Data/Rails.Txt");
}
