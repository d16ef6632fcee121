#include "game/GameDataFile.h"

#include <cstdint>
#include <memory>

#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"
#include "data/OConfigFile.h"
#include "data/OResourceArchive.h"

void GameDataFile::LoadFromArchive(OConfigFile& config, const std::string& name) {
    OResourceArchive& archive = OResourceArchive::Instance();
    std::unique_ptr<uint8_t[]> bytes(archive.Open(name));
    if (!bytes) {
        Fail(name, "is missing: " + archive.Explain(name));
    }
    const int result =
        config.LoadMemory(reinterpret_cast<const char*>(bytes.get()), archive.lastSize);
    if (result != 0) {
        Fail(name, "does not parse");
    }
}

void GameDataFile::Fail(const std::string& name, const std::string& reason) {
    OErrorLog::Instance().Error("Game file %s %s", name.c_str(), reason.c_str());
    throw OFileNotFound();
}
