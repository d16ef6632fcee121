#pragma once

#include <vector>

#include "assetgen/Asset.h"

// Every picture the game loads, in a fixed order.
class AssetCatalog {
public:
    static std::vector<Asset> BuildAll();
};
