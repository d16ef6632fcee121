#pragma once

#include <cairo.h>

#include <vector>

#include "assetgen/Asset.h"

// The game's logo "Carrowmoor" (Quarvelr3D.Tga), the team's badge
// (PLogo.Tga) and the window icon (Icon.Tga).
class LogoArt {
public:
    static constexpr int kIconSize = 64;

    static RgbaImage GameLogo();
    static RgbaImage TeamBadge();
    // The icon drawn for a square of size pixels; the window icon is 64.
    static RgbaImage Icon(int size = kIconSize);
    // A side-on locomotive silhouette, its rails at y, nose at x + length.
    static void SideEngine(cairo_t* cr, double x, double y, double length);
    static void Add(std::vector<Asset>& out);
};
