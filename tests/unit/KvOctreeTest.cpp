#include "render/KvOctree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "support/ModelFiles.h"

namespace {

// A model's data read from a writer's bytes, octree built.
std::unique_ptr<KvModelData> DataOf(const KvModelWriter& writer) {
    auto data = ModelFiles::Read(writer);
    if (data) {
        data->buildOctree = true;
        data->BuildDisplayList();
    }
    return data;
}

// `count` triangle pairs side by side along x from x = 0, pair i at
// x = i * spacing, each (0.9 * spacing) wide, with `depth` along z.
KvModelWriter Strip(int count, float spacing = 1.0f, float depth = 0.0f) {
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    for (int i = 0; i < count; ++i) {
        const float x = spacing * static_cast<float>(i), w = 0.9f * spacing;
        ModelFiles::AddTriangle(writer, {x, 0, 0}, {x + w, 0, 0}, {x + w, 0.9f, 0});
        ModelFiles::AddTriangle(writer, {x, 0, 0}, {x + w, 0.9f, depth}, {x, 0.9f, depth});
    }
    return writer;
}

// Visits every node of the tree.
void Walk(const KvOctree& node, const std::function<void(const KvOctree&)>& visit) {
    visit(node);
    for (int i = 0; node.HasChildren() && i < 8; ++i) {
        Walk(*node.Child(i), visit);
    }
}

class KvOctreeTest : public ::testing::Test {
protected:
    ModelTestGuard guard;
};

}  // namespace

TEST_F(KvOctreeTest, NodesSplitOnlyAboveTheTriangleCountAndWidthLimits) {
    // 256 triangles over 128 units: not more than 256, a leaf; 258 over 129
    // units: split, every triangle in some leaf; 300 within 8 units: too
    // narrow to split.
    const struct {
        int pairs;
        float spacing;
        bool splits;
    } cases[] = {{128, 1.0f, false}, {129, 1.0f, true}, {150, 8.0f / 150, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pairs);
        auto data = DataOf(Strip(c.pairs, c.spacing, 1.0f));
        ASSERT_NE(data, nullptr);
        const KvOctree& root = *data->GetOctree();
        EXPECT_EQ(root.HasChildren(), c.splits);
        EXPECT_EQ(root.TriangleCount(), c.splits ? 0u : 2u * c.pairs);
        std::set<const float*> reached;
        Walk(root, [&](const KvOctree& node) {
            for (size_t i = 0; !node.HasChildren() && i < node.TriangleCount(); ++i) {
                reached.insert(node.Triangles()[i].plane);
            }
        });
        EXPECT_EQ(reached.size(), 2u * c.pairs) << "every triangle is in some leaf";
    }
}

TEST_F(KvOctreeTest, TheRootBoxSearchStartsAtTheLimit) {
    // The minimum search starts at 1024 and the maximum search at -1024: a
    // model lying wholly beyond x = 1024 gets a box from 1024, one wholly
    // below y = -1024 a box up to -1024. It still holds the model.
    KvModelWriter far;
    far.AddTexCoord(0, 0);
    ModelFiles::AddTriangle(far, {2000, -3000, 0}, {2001, -3000, 0}, {2000, -2999, 1});
    auto farData = DataOf(far);
    const KvOctreeAABB& farBox = farData->GetOctree()->GetBox();
    EXPECT_EQ((std::vector<float>{farBox.minimum.x, farBox.maximum.x, farBox.minimum.y,
                                  farBox.maximum.y, farBox.minimum.z, farBox.maximum.z}),
              (std::vector<float>{1024, 2001, -3000, -1024, 0, 1}));
    EXPECT_EQ(farData->GetOctree()->TriangleCount(), 1u);
    // An ordinary model's box is its bounds.
    const auto strip = DataOf(Strip(200));
    const KvOctreeAABB& tight = strip->GetOctree()->GetBox();
    EXPECT_FLOAT_EQ(tight.minimum.x, 0.0f);
    EXPECT_FLOAT_EQ(tight.maximum.x, 199.9f);
    EXPECT_FLOAT_EQ(tight.maximum.y, 0.9f);
    EXPECT_FLOAT_EQ(tight.maximum.z, 0.0f);
}

TEST_F(KvOctreeTest, SegmentsHitAndMissASphere) {
    // 9,800 triangles of radius 20: the tree splits several levels deep.
    auto sphere = DataOf(KvModelWriter::Sphere(20.0f, 50, 100));
    const KvOctree& tree = *sphere->GetOctree();
    ASSERT_TRUE(tree.HasChildren());
    EXPECT_GT(tree.Depth(), 2);
    const struct {
        OVector3 a, b;
        bool hits;
    } cases[] = {
        {{0, 0, 0}, {50, 3, 7}, true},       // from the centre outward
        {{50, 3, 7}, {0, 0, 0}, true},       // from outside the tree's box inward
        {{-60, 1, 2}, {60, 1, 2}, true},     // through, both ends outside
        {{0, 0, 0}, {10, 5, -5}, false},     // ends inside the sphere
        {{30, 30, 0}, {30, -30, 0}, false},  // passes beside it
        {{-60, 25, 0}, {60, 25, 0}, false},  // passes above it
    };
    for (const auto& c : cases) {
        OVector3 hit;
        const bool found = tree.QuerySegment(c.a, c.b, hit);
        EXPECT_EQ(found, c.hits) << c.a.x << "," << c.a.y << "," << c.a.z;
        if (found) {
            // On the surface (the facets lie a little inside the sphere), on
            // the segment, and the entry point nearest to a.
            EXPECT_NEAR(hit.Length(), 20.0f, 0.1f);
            const OVector3 ab = c.b - c.a;
            EXPECT_NEAR(ab.Cross(hit - c.a).Length() / ab.Length(), 0.0f, 1e-2f);
            EXPECT_LT((hit - c.a).Length(), 50.0f);
        }
    }
}

TEST_F(KvOctreeTest, ABigTriangleIsFoundInLeavesThatHoldNoneOfItsCorners) {
    // 300 small triangles around the origin force a split; one large
    // triangle's corners lie far out, its middle crosses the centre.
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    for (int i = 0; i < 300; ++i) {
        const float x = -40.0f + 80.0f * static_cast<float>(i) / 300.0f;
        ModelFiles::AddTriangle(writer, {x, -40, -40}, {x + 0.1f, -40, -40}, {x, -39.9f, -40});
        ModelFiles::AddTriangle(writer, {x, 40, 40}, {x + 0.1f, 40, 40}, {x, 39.9f, 40});
    }
    ModelFiles::AddTriangle(writer, {-40, -40, 0}, {40, -40, 0}, {-1, 40, 0});
    auto data = DataOf(writer);
    ASSERT_TRUE(data->GetOctree()->HasChildren());
    OVector3 hit;
    ASSERT_TRUE(data->GetOctree()->QuerySegment({1, 1, 5}, {1, 1, -5}, hit));
    EXPECT_NEAR(hit.z, 0.0f, 1e-5f);
    // An empty model answers no hit.
    KvModelWriter empty;
    empty.AddTexCoord(0, 0);
    auto none = DataOf(empty);
    ASSERT_NE(none, nullptr);
    EXPECT_FALSE(none->GetOctree()->QuerySegment({-1, -1, -1}, {1, 1, 1}, hit));
}

TEST_F(KvOctreeTest, SegmentTriangleTestReturnsThePointOrTheNoHitMarker) {
    auto data = DataOf(ModelFiles::OneTriangle());
    const KvFace& face = data->mesh->faces[0];
    auto down = [&](float x, float y, float from, float to) {
        return KvOctree::IntersectSegmentTriangle({x, y, from}, {x, y, to}, face);
    };
    const OVector3 inside = down(0.2f, 0.2f, 1, -1);
    EXPECT_NEAR(inside.x, 0.2f, 1e-6f);
    EXPECT_NEAR(inside.y, 0.2f, 1e-6f);
    EXPECT_NEAR(inside.z, 0.0f, 1e-6f);
    const OVector3 noHit[] = {
        down(0.8f, 0.8f, 1, -1),                                                // outside
        down(0.2f, 0.2f, 1, 0.5f),                                              // short
        KvOctree::IntersectSegmentTriangle({-1, 0.2f, 0}, {2, 0.2f, 0}, face),  // in the plane
        // The angle sum lets points a hair outside an edge count (0.3 % of
        // the edge's length out, below), but not further (1 %).
        down(0.5f, -0.01f, 1, -1),
    };
    for (const OVector3& p : noHit) {
        EXPECT_TRUE(KvOctree::IsNoHit(p)) << p.x << "," << p.y << "," << p.z;
    }
    EXPECT_FALSE(KvOctree::IsNoHit(down(0.5f, -0.003f, 1, -1)));
    // A segment ending exactly on the triangle hits it.
    EXPECT_FALSE(KvOctree::IsNoHit(down(0.3f, 0.3f, 1, 0)));
}

TEST_F(KvOctreeTest, TrianglesOnEveryOctantsBorderDoNotMultiplyWithoutEnd) {
    // 400 triangles meeting at the centre of the box belong to all eight
    // octants at every level; far-apart coordinates allow a very deep tree.
    KvModelWriter fan;
    fan.AddTexCoord(0, 0);
    for (int i = 0; i < 400; ++i) {
        const float angle = 0.0157f * static_cast<float>(i), next = angle + 0.01f;
        ModelFiles::AddTriangle(fan, {0, 0, 0}, {std::cos(angle), std::sin(angle), 0.5f},
                                {std::cos(next), std::sin(next), -0.5f});
    }
    ModelFiles::AddTriangle(fan, {0, 0, 0}, {-1e30f, -1e30f, -1e30f}, {1e30f, 1e30f, 1e30f});
    auto data = DataOf(fan);
    const KvOctree& tree = *data->GetOctree();
    EXPECT_LE(tree.Depth(), KvOctree::kMaxDepth + 1);
    size_t copies = 0;
    Walk(tree, [&](const KvOctree& node) { copies += node.TriangleCount(); });
    EXPECT_LE(copies, (KvOctree::kCopyBudgetPerTriangle + 1) * 401);
    OVector3 hit;
    EXPECT_TRUE(tree.QuerySegment({0.6f, 0.01f, 1}, {0.6f, 0.01f, -1}, hit));
}
