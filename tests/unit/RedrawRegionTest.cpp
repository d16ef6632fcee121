#include "game/RedrawRegion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Box = RedrawRegion::Box;

bool Covers(const std::vector<Box>& boxes, int x, int y) {
    for (const Box& box : boxes) {
        if (x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1) {
            return true;
        }
    }
    return false;
}

// One frame before the one planned: its moving box, whether it is still and
// its backdrop; then whether the planned frame was presented right after.
struct Earlier {
    Box moving;
    bool still;
    uint64_t backdrop;
};

struct PlanCase {
    std::string name;
    std::vector<Earlier> earlier;
    int age;
    bool skipsAPresent;
    bool expectPart;
};

// The planned frame is still, backdrop 7, moving at (700, 500)..(720, 520)
// of an 800 x 600 window. A part plan must cover its own box and the boxes of
// every frame since the one the buffer holds, that one included.
TEST(RedrawRegionTest, PartOnlyWhileEveryFrameSinceTheHeldOneDrewTheSameBackdrop) {
    const Box a = {10, 10, 60, 60};
    const Box b = {300, 200, 340, 260};
    const Box c = {500, 20, 520, 40};
    const Box huge = {0, 0, 800, 500};
    const std::vector<PlanCase> cases = {
        {"age 1: the last frame's and this one's boxes", {{a, true, 7}}, 1, false, true},
        {"age 2: two frames back", {{a, true, 7}, {b, true, 7}}, 2, false, true},
        {"age 3", {{a, true, 7}, {b, true, 7}, {c, true, 7}}, 3, false, true},
        {"unknown age", {{a, true, 7}}, 0, false, false},
        {"older than the frames known", {{a, true, 7}}, 2, false, false},
        {"backdrop changed this frame", {{a, true, 6}}, 1, false, false},
        {"backdrop changed after the held frame", {{a, true, 7}, {b, true, 6}}, 2, false, false},
        {"backdrop changed before the held frame", {{a, true, 6}, {b, true, 7}}, 1, false, true},
        {"held frame had a panel", {{a, false, 7}}, 1, false, false},
        {"something shown in between", {{a, true, 7}}, 1, true, false},
        {"boxes cover most of the window", {{huge, true, 7}}, 1, false, false},
    };
    const Box now = {700, 500, 720, 520};
    for (const PlanCase& test : cases) {
        SCOPED_TRACE(test.name);
        RedrawRegion region;
        uint64_t swaps = 100;
        for (const Earlier& frame : test.earlier) {
            region.Plan({swaps++, frame.backdrop, frame.still, {frame.moving}}, 1, 800, 600);
        }
        if (test.skipsAPresent) {
            ++swaps;
        }
        const bool part = region.Plan({swaps, 7, true, {now}}, test.age, 800, 600);
        ASSERT_EQ(part, test.expectPart);
        if (!part) {
            EXPECT_TRUE(region.Boxes().empty());
            continue;
        }
        EXPECT_LE(region.Boxes().size(), static_cast<size_t>(RedrawRegion::kMostBoxes));
        std::vector<Box> wanted = {now};
        for (size_t i = test.earlier.size() - static_cast<size_t>(test.age);
             i < test.earlier.size(); ++i) {
            wanted.push_back(test.earlier[i].moving);
        }
        for (const Box& box : wanted) {
            for (int x : {box.x0, box.x1 - 1}) {
                for (int y : {box.y0, box.y1 - 1}) {
                    EXPECT_TRUE(Covers(region.Boxes(), x, y)) << x << ", " << y;
                }
            }
        }
        // The frame before the held one is not redrawn for nothing.
        if (test.earlier.size() > static_cast<size_t>(test.age)) {
            const Box& older = test.earlier[test.earlier.size() - test.age - 1].moving;
            EXPECT_FALSE(
                Covers(region.Boxes(), (older.x0 + older.x1) / 2, (older.y0 + older.y1) / 2));
        }
    }
}

}  // namespace
