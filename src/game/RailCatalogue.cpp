#include "game/RailCatalogue.h"

#include <memory>

#include "data/OConfigFile.h"
#include "game/GameDataFile.h"
#include "render/OTexture.h"

namespace {

const char* const kNames[RailCatalogue::kKindCount] = {
    "ABlox", "BBlox", "CBlox", "DBlox", "IBlox",  "FBlox",
    "JBlox", "HBlox", "EBlox", "GBlox", "Source", "Dest",
};

// Takes exactly the first eight numbers of a path list as four points.
void ReadPath(OConfigFile& config, const std::string& key, const std::string& fileName,
              OVector3* points) {
    int count = 0;
    std::unique_ptr<int[]> values(config.GetIntArray(key, count, ' '));
    if (!values || count < 8) {
        GameDataFile::Fail(fileName, "has no eight path numbers for " + key);
    }
    for (int k = 0; k < 4; ++k) {
        points[k] = OVector3(static_cast<float>(values[2 * k]) * 1.0f,
                             static_cast<float>(values[2 * k + 1]) * 1.0f, 0.0f);
    }
}

}  // namespace

const char* RailCatalogue::NameOf(int kind) {
    return kind >= 0 && kind < kKindCount ? kNames[kind] : "";
}

void RailCatalogue::Load() {
    OConfigFile config;
    GameDataFile::LoadFromArchive(config, kFileName);
    ReadFrom(config, kFileName);
    LoadTextures();
}

void RailCatalogue::ReadFrom(OConfigFile& config, const std::string& fileName) {
    std::map<int32_t, Rail> read;
    std::string names[kKindCount];
    for (int32_t n = 0; n < kKindCount; ++n) {
        const std::string name = kNames[n];
        Rail rail;
        names[n] = config.GetString(name + ".TextureFileName", "");
        rail.Left = config.GetInt(name + ".Left", 0);
        rail.Right = config.GetInt(name + ".Right", 0);
        rail.Up = config.GetInt(name + ".Up", 0);
        rail.Down = config.GetInt(name + ".Down", 0);
        rail.Static = config.GetInt(name + ".Static", 0) != 0;
        ReadPath(config, name + ".Way", fileName, rail.Way);
        ReadPath(config, name + ".AltWay", fileName, rail.AltWay);
        rail.NextRail = config.GetInt(name + ".NextRail", 0);
        if (rail.NextRail < 0 || rail.NextRail >= kKindCount) {
            GameDataFile::Fail(fileName, "turns " + name + " into an unknown kind");
        }
        rail.kind = n;
        read.emplace(n, rail);
    }
    rails.swap(read);
    for (int n = 0; n < kKindCount; ++n) {
        textureNames[n] = names[n];
    }
}

void RailCatalogue::LoadTextures() {
    for (auto& entry : rails) {
        auto texture = std::make_shared<OTexture>();
        // Blocks are always drawn one cell square, without turning.
        texture->LoadAtWidth(textureNames[entry.first], kBlockSide);
        entry.second.texture = texture;
    }
}

const Rail* RailCatalogue::Find(int kind) const {
    auto found = rails.find(kind);
    return found == rails.end() ? nullptr : &found->second;
}
