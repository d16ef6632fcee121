#include "render/KvModelData.h"
#include "render/KvOctree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "support/ModelFiles.h"

namespace {

// A model's data read from a writer's bytes, octree built.
std::unique_ptr<KvModelData> DataOf(const KvModelWriter& writer) {
    auto data = std::make_unique<KvModelData>();
    const std::string file = ModelFiles::Bytes(writer);
    if (!data->ReadBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), true)) {
        return nullptr;
    }
    data->buildOctree = true;
    data->BuildDisplayList();
    return data;
}

// Rows of small square quads (two triangles each) side by side along x, in
// the plane z = 0, each one unit wide: 2 * count triangles spanning count
// units of x.
KvModelWriter Strip(int count) {
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(i);
        const uint32_t a = writer.AddPosition(x, 0, 0);
        const uint32_t b = writer.AddPosition(x + 0.9f, 0, 0);
        const uint32_t c = writer.AddPosition(x + 0.9f, 0.9f, 0);
        const uint32_t d = writer.AddPosition(x, 0.9f, 0);
        writer.AddTriangle({a, 0}, {b, 0}, {c, 0});
        writer.AddTriangle({a, 0}, {c, 0}, {d, 0});
    }
    return writer;
}

void CollectLeafTriangles(const KvOctree& node, std::set<const float*>& planes) {
    if (node.HasChildren()) {
        for (int i = 0; i < 8; ++i) {
            CollectLeafTriangles(*node.Child(i), planes);
        }
        return;
    }
    for (const KvFace& face : node.Triangles()) {
        planes.insert(face.plane);
    }
}

class KvOctreeTest : public ::testing::Test {
protected:
    ModelTestGuard guard;
};

}  // namespace

TEST_F(KvOctreeTest, NodesSplitOnlyAboveTheTriangleCountAndWidthLimits) {
    // 128 quads = 256 triangles over 128 units: not more than 256, a leaf.
    auto exact = DataOf(Strip(128));
    ASSERT_NE(exact, nullptr);
    EXPECT_FALSE(exact->GetOctree()->HasChildren());
    EXPECT_EQ(exact->GetOctree()->TriangleCount(), 256u);

    // 129 quads = 258 triangles over 129 units: split.
    auto more = DataOf(Strip(129));
    ASSERT_TRUE(more->GetOctree()->HasChildren());
    EXPECT_EQ(more->GetOctree()->TriangleCount(), 0u) << "a split node keeps no triangles";
    std::set<const float*> reached;
    CollectLeafTriangles(*more->GetOctree(), reached);
    EXPECT_EQ(reached.size(), 258u) << "every triangle is in some leaf";

    // 300 triangles within 8 units: too narrow to split.
    KvModelWriter narrow;
    narrow.AddTexCoord(0, 0);
    for (int i = 0; i < 150; ++i) {
        const float x = 8.0f * static_cast<float>(i) / 150.0f;
        const uint32_t a = narrow.AddPosition(x, 0, 0);
        const uint32_t b = narrow.AddPosition(x + 0.01f, 0, 0);
        const uint32_t c = narrow.AddPosition(x, 1, 0);
        const uint32_t d = narrow.AddPosition(x, 1, 1);
        narrow.AddTriangle({a, 0}, {b, 0}, {c, 0});
        narrow.AddTriangle({a, 0}, {c, 0}, {d, 0});
    }
    auto tight = DataOf(narrow);
    EXPECT_FALSE(tight->GetOctree()->HasChildren());
    EXPECT_EQ(tight->GetOctree()->TriangleCount(), 300u);
}

TEST_F(KvOctreeTest, OctantsRunXOutermostThenYThenZ) {
    auto data = DataOf(Strip(200));
    const KvOctree& root = *data->GetOctree();
    ASSERT_TRUE(root.HasChildren());
    const KvOctreeAABB& box = root.GetBox();
    EXPECT_FLOAT_EQ(box.minimum.x, 0.0f);
    EXPECT_FLOAT_EQ(box.maximum.x, 199.9f);
    EXPECT_FLOAT_EQ(box.centre.x, 99.95f);
    for (int i = 0; i < 8; ++i) {
        const KvOctreeAABB& child = root.Child(i)->GetBox();
        EXPECT_FLOAT_EQ(child.minimum.x, (i & 4) ? box.centre.x : box.minimum.x) << i;
        EXPECT_FLOAT_EQ(child.minimum.y, (i & 2) ? box.centre.y : box.minimum.y) << i;
        EXPECT_FLOAT_EQ(child.minimum.z, (i & 1) ? box.centre.z : box.minimum.z) << i;
        EXPECT_FLOAT_EQ(child.halfExtents.x, box.halfExtents.x / 2) << i;
    }
}

TEST_F(KvOctreeTest, TheRootBoxSearchStartsAtTheLimit) {
    // The minimum search starts at 1024 and the maximum search at -1024: a
    // model lying wholly beyond x = 1024 gets a box from 1024, one wholly
    // below y = -1024 a box up to -1024. It still holds the model.
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    writer.AddPosition(2000, -3000, 0);
    writer.AddPosition(2001, -3000, 0);
    writer.AddPosition(2000, -2999, 1);
    writer.AddTriangle({0, 0}, {1, 0}, {2, 0});
    auto data = DataOf(writer);
    const KvOctreeAABB& box = data->GetOctree()->GetBox();
    EXPECT_EQ(box.minimum.x, 1024.0f);
    EXPECT_EQ(box.maximum.x, 2001.0f);
    EXPECT_EQ(box.minimum.y, -3000.0f);
    EXPECT_EQ(box.maximum.y, -1024.0f);
    EXPECT_EQ(box.minimum.z, 0.0f);
    EXPECT_EQ(box.maximum.z, 1.0f);
    EXPECT_EQ(data->GetOctree()->TriangleCount(), 1u);

    // An ordinary model's box is its bounds.
    auto small = DataOf(ModelFiles::OneTriangle());
    const KvOctreeAABB& tight = small->GetOctree()->GetBox();
    EXPECT_EQ(tight.minimum.x, 0.0f);
    EXPECT_EQ(tight.maximum.y, 1.0f);
    EXPECT_EQ(tight.maximum.z, 0.0f);
}

TEST_F(KvOctreeTest, SegmentsHitAndMissASphere) {
    // 9,800 triangles of radius 20: the tree splits several levels deep.
    auto sphere = DataOf(KvModelWriter::Sphere(20.0f, 50, 100));
    const KvOctree& tree = *sphere->GetOctree();
    ASSERT_TRUE(tree.HasChildren());
    EXPECT_GT(tree.Depth(), 2);

    struct Case {
        OVector3 a;
        OVector3 b;
        bool hits;
    };
    const Case cases[] = {
        {{0, 0, 0}, {50, 3, 7}, true},       // from the centre outward
        {{50, 3, 7}, {0, 0, 0}, true},       // from outside the tree's box inward
        {{-60, 1, 2}, {60, 1, 2}, true},     // through, both ends outside
        {{0, 0, 0}, {10, 5, -5}, false},     // ends inside the sphere
        {{30, 30, 0}, {30, -30, 0}, false},  // passes beside it
        {{-60, 25, 0}, {60, 25, 0}, false},  // passes above it
    };
    for (const Case& c : cases) {
        OVector3 hit;
        const bool found = tree.QuerySegment(c.a, c.b, hit);
        EXPECT_EQ(found, c.hits) << c.a.x << "," << c.a.y << "," << c.a.z;
        if (found) {
            // On the surface (the facets lie a little inside the sphere) and
            // on the segment, the entry point nearest to a.
            EXPECT_NEAR(hit.Length(), 20.0f, 0.1f);
            const OVector3 ab = c.b - c.a;
            const OVector3 ah = hit - c.a;
            EXPECT_NEAR(ab.Cross(ah).Length() / ab.Length(), 0.0f, 1e-2f);
        }
    }
    OVector3 through;
    ASSERT_TRUE(tree.QuerySegment({-60, 1, 2}, {60, 1, 2}, through));
    EXPECT_LT(through.x, 0.0f) << "the near side is reported, not the far one";
}

TEST_F(KvOctreeTest, ABigTriangleIsFoundInLeavesThatHoldNoneOfItsCorners) {
    // 300 small triangles around the origin force a split; one large
    // triangle's corners lie far out, its middle crosses the centre.
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    for (int i = 0; i < 300; ++i) {
        const float x = -40.0f + 80.0f * static_cast<float>(i) / 300.0f;
        const uint32_t a = writer.AddPosition(x, -40, -40);
        const uint32_t b = writer.AddPosition(x + 0.1f, -40, -40);
        const uint32_t c = writer.AddPosition(x, -39.9f, -40);
        writer.AddTriangle({a, 0}, {b, 0}, {c, 0});
        const uint32_t d = writer.AddPosition(x, 40, 40);
        const uint32_t e = writer.AddPosition(x + 0.1f, 40, 40);
        const uint32_t f = writer.AddPosition(x, 39.9f, 40);
        writer.AddTriangle({d, 0}, {e, 0}, {f, 0});
    }
    const uint32_t p = writer.AddPosition(-40, -40, 0);
    const uint32_t q = writer.AddPosition(40, -40, 0);
    const uint32_t r = writer.AddPosition(-1, 40, 0);
    writer.AddTriangle({p, 0}, {q, 0}, {r, 0});
    auto data = DataOf(writer);
    ASSERT_TRUE(data->GetOctree()->HasChildren());
    OVector3 hit;
    ASSERT_TRUE(data->GetOctree()->QuerySegment({1, 1, 5}, {1, 1, -5}, hit));
    EXPECT_NEAR(hit.z, 0.0f, 1e-5f);
}

TEST_F(KvOctreeTest, SegmentTriangleTestReturnsThePointOrTheNoHitMarker) {
    auto data = DataOf(ModelFiles::OneTriangle());
    const KvFace& face = data->mesh->faces[0];
    const OVector3 inside =
        KvOctree::IntersectSegmentTriangle({0.2f, 0.2f, 1}, {0.2f, 0.2f, -1}, face);
    EXPECT_NEAR(inside.x, 0.2f, 1e-6f);
    EXPECT_NEAR(inside.y, 0.2f, 1e-6f);
    EXPECT_NEAR(inside.z, 0.0f, 1e-6f);

    const OVector3 noHit[] = {
        KvOctree::IntersectSegmentTriangle({0.8f, 0.8f, 1}, {0.8f, 0.8f, -1}, face),    // outside
        KvOctree::IntersectSegmentTriangle({0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.5f}, face),  // short
        KvOctree::IntersectSegmentTriangle({-1, 0.2f, 0}, {2, 0.2f, 0}, face),  // in the plane
    };
    for (const OVector3& p : noHit) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
        EXPECT_EQ(p.z, -16384.0f);
        EXPECT_TRUE(KvOctree::IsNoHit(p));
    }
    // The angle sum lets points a hair outside an edge count (0.3 % of the
    // edge's length out), but not further (1 %).
    EXPECT_FALSE(KvOctree::IsNoHit(
        KvOctree::IntersectSegmentTriangle({0.5f, -0.003f, 1}, {0.5f, -0.003f, -1}, face)));
    EXPECT_TRUE(KvOctree::IsNoHit(
        KvOctree::IntersectSegmentTriangle({0.5f, -0.01f, 1}, {0.5f, -0.01f, -1}, face)));
    // A segment ending exactly on the triangle hits it.
    const OVector3 touching =
        KvOctree::IntersectSegmentTriangle({0.3f, 0.3f, 1}, {0.3f, 0.3f, 0}, face);
    EXPECT_FALSE(KvOctree::IsNoHit(touching));
}

TEST_F(KvOctreeTest, AnEmptyModelAnswersNoHit) {
    KvModelWriter empty;
    empty.AddTexCoord(0, 0);
    auto data = DataOf(empty);
    ASSERT_NE(data, nullptr);
    OVector3 hit;
    EXPECT_FALSE(data->GetOctree()->QuerySegment({-1, -1, -1}, {1, 1, 1}, hit));
}

TEST_F(KvOctreeTest, TrianglesOnEveryOctantsBorderDoNotMultiplyWithoutEnd) {
    // 400 triangles meeting at the centre of the box belong to all eight
    // octants at every level; far-apart coordinates allow a very deep tree.
    KvModelWriter fan;
    fan.AddTexCoord(0, 0);
    const uint32_t centre = fan.AddPosition(0, 0, 0);
    fan.AddPosition(-1e30f, -1e30f, -1e30f);
    fan.AddPosition(1e30f, 1e30f, 1e30f);
    for (int i = 0; i < 400; ++i) {
        const float angle = 0.0157f * static_cast<float>(i);
        const uint32_t a = fan.AddPosition(std::cos(angle), std::sin(angle), 0.5f);
        const uint32_t b = fan.AddPosition(std::cos(angle + 0.01f), std::sin(angle + 0.01f), -0.5f);
        fan.AddTriangle({centre, 0}, {a, 0}, {b, 0});
    }
    fan.AddTriangle({centre, 0}, {1, 0}, {2, 0});
    auto data = DataOf(fan);
    const KvOctree& tree = *data->GetOctree();
    EXPECT_LE(tree.Depth(), KvOctree::kMaxDepth + 1);
    size_t copies = 0;
    std::function<void(const KvOctree&)> count = [&](const KvOctree& node) {
        copies += node.TriangleCount();
        if (node.HasChildren()) {
            for (int i = 0; i < 8; ++i) {
                count(*node.Child(i));
            }
        }
    };
    count(tree);
    EXPECT_LE(copies, (KvOctree::kCopyBudgetPerTriangle + 1) * 401);
    OVector3 hit;
    EXPECT_TRUE(tree.QuerySegment({0.6f, 0.01f, 1}, {0.6f, 0.01f, -1}, hit));
}
