#include <gtest/gtest.h>

#include <cmath>

#include "assetgen/RailArt.h"

namespace {

bool IsSteel(const RgbaImage& tile, double px, double py) {
    const uint8_t* p =
        tile.Pixel(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
    const int high = std::max({p[0], p[1], p[2]});
    const int low = std::min({p[0], p[1], p[2]});
    return high - low < 45 && high > 50;
}

bool IsGrass(const uint8_t* p) {
    return p[1] > p[0] + 10 && p[1] > p[2] + 10;
}

// A point of the path, offset sideways by the given block units, in pixels.
void RailPixel(const TrackPath& path, double t, double side, double& px, double& py) {
    const TrackPath::Point p = path.At(t);
    const TrackPath::Point d = path.Tangent(t);
    px = 64 + (p.x - d.y * side) * 1.6;
    py = 64 - (p.y + d.x * side) * 1.6;
}

}  // namespace

// The blank block is meadow; only the two stations are static and carry
// iron corner brackets, movable blocks show grass or ballast there.
TEST(RailArt, RailsFollowEachKindsPathAndReachTheEdgesWhereNeighbouringBlocksJoin) {
    for (int kind = 0; kind < RailArt::kKinds; ++kind) {
        const RgbaImage tile = RailArt::Draw(kind);
        EXPECT_EQ(RailArt::IsStatic(kind), kind == 10 || kind == 11) << kind;
        EXPECT_EQ(IsSteel(tile, 10, 4), RailArt::IsStatic(kind)) << kind;
        EXPECT_EQ(RailArt::Paths(kind).empty(), kind == 0) << kind;
        int samples = 0, steel = 0, grass = 0;
        for (int i = 0; kind == 0 && i < 28 * 28; ++i) {
            grass += IsGrass(tile.Pixel(8 + i % 28 * 4, 8 + i / 28 * 4));
        }
        EXPECT_TRUE(kind != 0 || grass > 28 * 28 * 8 / 10) << grass;
        for (const TrackPath& path : RailArt::Paths(kind)) {
            for (double side : {-7.0, 7.0}) {
                double px = 0, py = 0;
                for (double t = 0.1; t <= 0.9; t += 0.05) {
                    RailPixel(path, t, side, px, py);
                    ++samples;
                    steel += IsSteel(tile, px, py);
                }
                for (double t : {0.0, 1.0}) {
                    const TrackPath::Point end = path.At(t);
                    if (std::fabs(end.x) < 39.9 && std::fabs(end.y) < 39.9) {
                        continue;  // the start platform's buffer end
                    }
                    // Five pixels in from the edge, past the bevel.
                    RailPixel(path, t, side, px, py);
                    px = std::clamp(px, 5.0, 122.0);
                    py = std::clamp(py, 5.0, 122.0);
                    EXPECT_TRUE(IsSteel(tile, px, py))
                        << RailArt::KindName(kind) << " at " << px << "," << py;
                }
            }
        }
        EXPECT_GE(steel, samples * 9 / 10) << RailArt::KindName(kind);
    }
}
