#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "game/Rail.h"

class OConfigFile;

// The twelve rail kinds by number, read from "Data/Rails.Txt".
class RailCatalogue {
public:
    static constexpr const char* kFileName = "Data/Rails.Txt";
    static constexpr int kKindCount = 12;
    // Pixels a block picture is drawn across, one cell of the board.
    static constexpr int kBlockSide = 80;

    enum Kind : int32_t {
        ABlox = 0,
        BBlox = 1,
        CBlox = 2,
        DBlox = 3,
        IBlox = 4,
        FBlox = 5,
        JBlox = 6,
        HBlox = 7,
        EBlox = 8,
        GBlox = 9,
        Source = 10,
        Dest = 11,
    };

    static const char* NameOf(int kind);

    // Reads the file from the archive and loads every rail's texture.
    void Load();
    // Builds the rails from an already loaded text, without textures. A kind
    // whose Way or AltWay holds fewer than eight numbers, or a NextRail
    // outside 0..11, is fatal (named as fileName).
    void ReadFrom(OConfigFile& config, const std::string& fileName);
    // Loads the texture named in each rail's TextureFileName.
    void LoadTextures();

    // The rail of a kind, or null for a number outside 0..11.
    const Rail* Find(int kind) const;
    size_t Size() const { return rails.size(); }
    const std::string& TextureNameOf(int kind) const { return textureNames[kind]; }

private:
    std::map<int32_t, Rail> rails;
    std::string textureNames[kKindCount];
};
