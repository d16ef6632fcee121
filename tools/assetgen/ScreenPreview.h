#pragma once

#include <vector>

#include "assetgen/Asset.h"

// Review mock-ups of the screens, composed from the generated pictures at the
// places the game draws them, with texts set in the generated font at its
// measured advance widths. They go on the contact sheet, not into the game.
class ScreenPreview {
public:
    static std::vector<Asset> Compose(const std::vector<Asset>& assets);
};
