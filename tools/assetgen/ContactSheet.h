#pragma once

#include <vector>

#include "assetgen/Asset.h"

// Every picture on one review sheet, each scaled into a labelled cell over a
// checkerboard so that transparent edges show.
class ContactSheet {
public:
    static RgbaImage Compose(const std::vector<Asset>& assets);
};
