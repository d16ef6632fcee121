#include "game/RailCatalogue.h"

#include <gtest/gtest.h>

#include "PuzzleWorld.h"
#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"
#include "data/OConfigFile.h"
#include "game/Train.h"
#include "render/OTexture.h"

namespace {

// Loads the shipped catalogue text without textures.
RailCatalogue ShippedCatalogue() {
    OConfigFile config;
    const std::string text = PuzzleWorld::Asset("Rails.Txt");
    EXPECT_EQ(config.LoadMemory(text.data(), text.size()), 0);
    RailCatalogue catalogue;
    catalogue.ReadFrom(config, "Rails.Txt");
    return catalogue;
}

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
    if (end.y == 40 && end.x == 0)
        return static_cast<int>(Direction::Up);
    if (end.x == 40 && end.y == 0)
        return static_cast<int>(Direction::Right);
    if (end.y == -40 && end.x == 0)
        return static_cast<int>(Direction::Down);
    if (end.x == -40 && end.y == 0)
        return static_cast<int>(Direction::Left);
    return -1;
}

}  // namespace

TEST(RailCatalogue, ShippedKindsTurnAsTheirTracksBendAndTurnClockwise) {
    RailCatalogue catalogue = ShippedCatalogue();
    ASSERT_EQ(catalogue.Size(), 12u);
    EXPECT_EQ(catalogue.Find(12), nullptr);
    EXPECT_EQ(catalogue.Find(-1), nullptr);
    // Turning is a clockwise quarter turn.
    const int next[12] = {0, 2, 1, 3, 5, 4, 9, 8, 6, 7, 0, 0};
    for (int kind = 0; kind < 12; ++kind) {
        const Rail* rail = catalogue.Find(kind);
        ASSERT_NE(rail, nullptr);
        EXPECT_EQ(rail->kind, kind);
        EXPECT_EQ(rail->NextRail, next[kind]) << RailCatalogue::NameOf(kind);
        EXPECT_EQ(rail->Static, kind >= 10) << RailCatalogue::NameOf(kind);
        EXPECT_EQ(catalogue.TextureNameOf(kind),
                  std::string("Rails/") + RailCatalogue::NameOf(kind) + ".Tga");
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
                const int dc = StepColumn(moving), dr = StepRow(moving);
                const int32_t code = Train::EntryCode(rail, dc, dr);
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

TEST(RailCatalogue, DamagedCatalogueIsFatalAndNamedInTheLog) {
    const std::string good = PuzzleWorld::Asset("Rails.Txt");
    struct Case {
        const char* what;
        std::string text;
    };
    std::string shortWay = good;
    shortWay.replace(shortWay.find("Way = [-40 0 -13 0 13 0 40 0]"),
                     std::string("Way = [-40 0 -13 0 13 0 40 0]").size(),
                     "Way = [-40 0 -13 0 13 0 40]");
    std::string badTurn = good;
    badTurn.replace(badTurn.find("NextRail = 2"), 12, "NextRail = 12");
    std::string noBlock = good.substr(0, good.find("// crossing"));
    std::string unparsable = good + "\n}\n";
    const Case cases[] = {{"missing", ""},
                          {"short Way", shortWay},
                          {"NextRail 12", badTurn},
                          {"kinds missing", noBlock},
                          {"syntax error", unparsable}};
    for (const Case& c : cases) {
        PuzzleWorld world;
        world.SetText("Data/Rails.Txt", c.text);
        world.WriteArchive();
        const int errorsBefore = OErrorLog::Instance().GetErrorCount();
        RailCatalogue catalogue;
        EXPECT_THROW(catalogue.Load(), OFileNotFound) << c.what;
        EXPECT_EQ(OErrorLog::Instance().GetErrorCount(), errorsBefore + 1) << c.what;
        EXPECT_NE(TempDir::Read("Report.html").find("Data/Rails.Txt"), std::string::npos) << c.what;
    }
}

TEST(RailCatalogue, LoadsTexturesThroughTheArchive) {
    PuzzleWorld world;
    world.WriteArchive();
    RailCatalogue catalogue;
    catalogue.Load();
    for (int kind = 0; kind < 12; ++kind) {
        ASSERT_TRUE(catalogue.Find(kind)->texture);
        EXPECT_EQ(catalogue.Find(kind)->texture->GetWidth(), 2);
    }
}
