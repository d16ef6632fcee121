#include "game/RailCatalogue.h"

#include <gtest/gtest.h>

#include "PuzzleWorld.h"
#include "data/OConfigFile.h"
#include "game/Train.h"
#include "render/OTexture.h"

namespace {

// Closest approach of a path to the block centre, sampled finely.
float ClosestToCentre(const OVector3* way) {
    float best = 1e9f;
    for (int i = 0; i <= 1000; ++i) {
        const float t = i / 1000.0f;
        const float u = 1 - t;
        OVector3 p = way[0] * (u * u * u) + way[1] * (3 * t * u * u) + way[2] * (3 * t * t * u) +
                     way[3] * (t * t * t);
        best = std::min(best, p.Length());
    }
    return best;
}

// The side of the block a path end lies on, as the heading a train has when
// it leaves through that side; -1 for an end inside the block.
int SideOf(const OVector3& end) {
    const OVector3 sides[4] = {{0, 40, 0}, {40, 0, 0}, {0, -40, 0}, {-40, 0, 0}};
    const Direction headings[4] = {Direction::Up, Direction::Right, Direction::Down,
                                   Direction::Left};
    for (int i = 0; i < 4; ++i) {
        if (end.x == sides[i].x && end.y == sides[i].y) {
            return static_cast<int>(headings[i]);
        }
    }
    return -1;
}

}  // namespace

TEST(RailCatalogue, ShippedKindsTurnAsTheirTracksBendAndTurnClockwise) {
    PuzzleWorld world;
    world.Write();
    RailCatalogue catalogue;
    catalogue.Load();
    ASSERT_EQ(catalogue.Size(), 12u);
    EXPECT_EQ(catalogue.Find(12), nullptr);
    EXPECT_EQ(catalogue.Find(-1), nullptr);
    // Turning is a clockwise quarter turn.
    const int next[12] = {0, 2, 1, 3, 5, 4, 9, 8, 6, 7, 0, 0};
    for (int kind = 0; kind < 12; ++kind) {
        SCOPED_TRACE(RailCatalogue::NameOf(kind));
        const Rail* rail = catalogue.Find(kind);
        ASSERT_NE(rail, nullptr);
        EXPECT_EQ(rail->kind, kind);
        EXPECT_EQ(rail->NextRail, next[kind]);
        EXPECT_EQ(rail->Static, kind >= 10);
        EXPECT_EQ(catalogue.TextureNameOf(kind),
                  std::string("Rails/") + RailCatalogue::NameOf(kind) + ".Tga");
        ASSERT_TRUE(rail->texture) << "loaded through the archive";
        EXPECT_EQ(rail->texture->GetWidth(), 2);
    }
    // For every path end on a side, entering there with the side's turn code
    // must leave the train heading out through the path's other end.
    for (int kind = 0; kind < 10; ++kind) {
        const Rail& rail = *catalogue.Find(kind);
        for (const OVector3* way : {rail.Way, rail.AltWay}) {
            for (int end = 0; end < 2; ++end) {
                const int entrySide = SideOf(way[end ? 3 : 0]);
                const int exitSide = SideOf(way[end ? 0 : 3]);
                if (entrySide < 0)
                    continue;
                ASSERT_GE(exitSide, 0);
                // Entering through side s means moving in the opposite heading.
                const Direction moving = static_cast<Direction>((entrySide + 2) % 4);
                const int32_t code = Train::EntryCode(rail, StepColumn(moving), StepRow(moving));
                EXPECT_EQ(static_cast<int>(Train::HeadingAfter(moving, code)), exitSide)
                    << RailCatalogue::NameOf(kind) << " entered through side " << entrySide;
                // Every track passes close enough to the centre to pick items.
                EXPECT_LT(ClosestToCentre(way), Train::kPickUpDistance)
                    << RailCatalogue::NameOf(kind);
            }
        }
    }
}

TEST(RailCatalogue, ReadsDefaultsForMissingIntegersAndOnlyTheFirstEightPathNumbers) {
    OConfigFile config;
    std::string text;
    for (int kind = 0; kind < 12; ++kind) {
        text += std::string(RailCatalogue::NameOf(kind)) +
                " = {\n Way = [1 2 3 4 5 6 7 8 99 99]\n AltWay = [0 0 0 0 0 0 0 0]\n}\n";
    }
    ASSERT_EQ(config.LoadString(text.c_str()), 0);
    RailCatalogue catalogue;
    catalogue.ReadFrom(config, "test");
    const Rail& rail = *catalogue.Find(5);
    EXPECT_EQ(rail.Left, 0);
    EXPECT_EQ(rail.Down, 0);
    EXPECT_FALSE(rail.Static);
    EXPECT_EQ(rail.NextRail, 0);
    EXPECT_EQ(rail.Way[3].x, 7.0f);
    EXPECT_EQ(rail.Way[3].y, 8.0f);
    EXPECT_EQ(catalogue.TextureNameOf(5), "");
}
