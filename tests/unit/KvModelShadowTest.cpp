#include "render/KvModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "support/ModelFiles.h"
#include "support/TestArchive.h"

namespace {

// Silhouette edges as directed position pairs (corner k to corner k + 1).
std::vector<std::pair<uint32_t, uint32_t>> SilhouetteEdges(const KvModel& model) {
    const KvModel& source = model.ShadowSource();
    const KvMesh& mesh = *source.GetData()->mesh;
    std::vector<std::pair<uint32_t, uint32_t>> edges;
    for (uint32_t t = 0; t < mesh.triangleCount * 3; ++t) {
        if (source.SilhouetteFlags()[t] != 0) {
            edges.emplace_back(mesh.Corner(t / 3, t % 3), mesh.Corner(t / 3, (t + 1) % 3));
        }
    }
    return edges;
}

// True when the directed edges form one closed loop: no corner is left
// twice, and following the edges from the first corner returns there after
// all of them.
bool OneLoop(const std::vector<std::pair<uint32_t, uint32_t>>& edges) {
    const std::map<uint32_t, uint32_t> next(edges.begin(), edges.end());
    uint32_t at = edges.empty() ? 0 : edges[0].first;
    for (size_t step = 1; next.size() == edges.size() && step <= edges.size(); ++step) {
        const auto found = next.find(at);
        if (found == next.end()) {
            return false;
        }
        at = found->second;
        if (at == edges[0].first) {
            return step == edges.size();
        }
    }
    return false;
}

size_t LitCount(const KvModel& model) {
    return std::count(model.LitFlags().begin(), model.LitFlags().end(), 1);
}

class KvModelShadowTest : public ::testing::Test {
protected:
    void SetUp() override {
        archive.Add("Data/Models/Cube.Kvm", KvModelWriter::Cube(1.0f).Build());
        archive.Add("Data/Models/Plane.Kvm", KvModelWriter::Plane(4.0f, 2).Build());
        archive.Add("Data/Models/Ball.Kvm", KvModelWriter::Sphere(2, 8, 12).Build());
        archive.Add("Data/Models/Shadows/Ball.Kvm", KvModelWriter::Cube(1.0f).Build());
        archive.Open();
        cube.Load("Cube.Kvm");
        plane.Load("Plane.Kvm");
    }

    ModelTestGuard guard;
    TestArchive archive;
    KvModel cube, plane;
};

}  // namespace

// The generated shapes are closed (the plane open at its border) and face
// outward: their lit triangles and silhouette loops show it.
TEST_F(KvModelShadowTest, SilhouettesAreTheClosedBorderOfTheLitTriangles) {
    // Cube: light in front of one face, beside an edge (two faces), beyond a
    // corner (three faces: a hexagon). Plane (8 triangles, a border of 8
    // edges): above it all is lit and the border is the silhouette; below it
    // or in its plane nothing is lit, just above its plane all is. The ball
    // (8 bands of 12 segments) lit from twice its radius above: its top
    // three bands, bordered by one ring; inward faces would light the other 108.
    KvModel ball;
    ball.Load("Ball.Kvm");
    const struct {
        KvModel* model;
        OVector3 light;
        size_t lit, edges;
    } cases[] = {
        {&cube, {0.2f, 0.3f, 5.0f}, 2, 4},     {&cube, {5.0f, 0.1f, 5.0f}, 4, 6},
        {&cube, {4.0f, 5.0f, 6.0f}, 6, 6},     {&plane, {0.5f, 3.0f, 0.5f}, 8, 8},
        {&plane, {0.5f, -3.0f, 0.5f}, 0, 0},   {&plane, {10.0f, 0.0f, -3.0f}, 0, 0},
        {&plane, {10.0f, 1e-3f, -3.0f}, 8, 8}, {&ball, {0.0f, 4.0f, 0.0f}, 60, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.light.x) + " " + std::to_string(c.light.y));
        c.model->UpdateShadow(c.light);
        EXPECT_EQ(LitCount(*c.model), c.lit);
        const auto edges = SilhouetteEdges(*c.model);
        EXPECT_EQ(edges.size(), c.edges);
        EXPECT_EQ(OneLoop(edges), c.edges > 0);
    }
    // On the plane lit from above exactly the open edges are on it.
    plane.UpdateShadow({0.5f, 3.0f, 0.5f});
    const KvMesh& mesh = *plane.GetData()->mesh;
    for (uint32_t e = 0; e < mesh.triangleCount * 3; ++e) {
        EXPECT_EQ(plane.SilhouetteFlags()[e], mesh.Neighbour(e / 3, e % 3) == -1 ? 1u : 0u) << e;
    }
}

TEST_F(KvModelShadowTest, VolumeExtrudesSilhouetteEdgesAwayFromTheLight) {
    const OVector3 light(0.2f, 0.3f, 5.0f);
    cube.UpdateShadow(light);
    KvShadowVolume volume;
    cube.BuildShadowVolume(light, false, volume);
    ASSERT_EQ(volume.QuadCount(), 4u);
    EXPECT_EQ(volume.CapTriangleCount(), 0u);
    for (size_t q = 0; q < volume.QuadCount(); ++q) {
        const float* v = &volume.quads[q * 16];
        // Q and P on the lit face (z = 1), then P and Q pushed to infinity.
        EXPECT_EQ((std::vector<float>{v[2], v[3], v[6], v[7], v[11], v[15]}),
                  (std::vector<float>{1, 1, 1, 1, 0, 0}));
        for (int i = 0; i < 3; ++i) {
            const float l = i == 0 ? light.x : i == 1 ? light.y : light.z;
            EXPECT_FLOAT_EQ(v[8 + i], v[4 + i] - l);
            EXPECT_FLOAT_EQ(v[12 + i], v[i] - l);
        }
    }
    cube.BuildShadowVolume(light, true, volume);
    ASSERT_EQ(volume.CapTriangleCount(), 12u);
    size_t atInfinity = 0;
    for (size_t v = 3; v < volume.caps.size(); v += 4) {
        atInfinity += volume.caps[v] == 0.0f ? 1 : 0;
    }
    EXPECT_EQ(atInfinity, 10u * 3u) << "the ten unlit triangles form the far cap";
}

TEST_F(KvModelShadowTest, TheLightIsTakenIntoTheModelsOwnAxesAndPosition) {
    KvModel moved;
    moved.Load("Cube.Kvm");
    // Turned a quarter about y (right = -z, back = +x) and moved to x = 10.
    moved.SetAxes({0, 0, -1}, {0, 1, 0}, {1, 0, 0});
    moved.SetPosition({10, 0, 0});
    const OVector3 inModel = moved.LightInModelSpace({15.0f, 0.3f, -0.2f});
    EXPECT_NEAR(inModel.x, 0.2f, 1e-5f);
    EXPECT_NEAR(inModel.y, 0.3f, 1e-5f);
    EXPECT_NEAR(inModel.z, 5.0f, 1e-5f);
    // The same flags as the unmoved cube lit from that point in its axes.
    moved.UpdateShadow({15.0f, 0.3f, -0.2f});
    cube.UpdateShadow({0.2f, 0.3f, 5.0f});
    EXPECT_EQ(moved.LitFlags(), cube.LitFlags());
    EXPECT_EQ(moved.SilhouetteFlags(), cube.SilhouetteFlags());
}

TEST_F(KvModelShadowTest, AModelWithAShadowModelWorksOnTheShadowMesh) {
    KvModel ball(KvModel::kWithShadow);
    ball.Load("Ball.Kvm");
    KvModel* shadow = ball.GetShadowModel();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->GetKind(), KvModel::kShadow);
    EXPECT_EQ(shadow->GetData()->mesh->triangleCount, 12u);
    EXPECT_TRUE(shadow->GetData()->mesh->HasNeighbours());
    EXPECT_TRUE(ball.GetData()->mesh->HasNeighbours());
    ball.SetPosition({0, 0, 3});
    ball.UpdateShadow({0.2f, 0.3f, 8.0f});
    EXPECT_EQ(shadow->GetPosition().z, 3.0f) << "the transform is copied to the shadow model";
    EXPECT_EQ(SilhouetteEdges(ball).size(), 4u) << "the cube's silhouette, not the sphere's";
    // A clone has its own shadow model over the same data.
    std::unique_ptr<KvModel> clone(ball.Clone());
    ASSERT_NE(clone->GetShadowModel(), nullptr);
    EXPECT_NE(clone->GetShadowModel(), shadow);
    EXPECT_EQ(clone->GetShadowModel()->GetData(), shadow->GetData());
    EXPECT_EQ(clone->GetData(), ball.GetData());
}

TEST_F(KvModelShadowTest, EdgesSharedByThreeTrianglesPairAsTheyComeAndNeverWithThemselves) {
    // Three triangles on the edge 0-1 (a fin on a hinge).
    KvModelWriter writer;
    const float positions[5][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, -1, 0}};
    for (const auto& p : positions) {
        writer.AddPosition(p[0], p[1], p[2]);
    }
    writer.AddTexCoord(0, 0);
    writer.AddTriangle({0, 0}, {1, 0}, {2, 0});
    writer.AddTriangle({1, 0}, {0, 0}, {3, 0});
    writer.AddTriangle({0, 0}, {1, 0}, {4, 0});
    const auto data = ModelFiles::Read(writer);
    ASSERT_NE(data, nullptr);
    data->mesh->BuildNeighbours();
    // Triangle 0 pairs with 1, then with 2 (which overwrites); 1 keeps 0
    // and 2 keeps 0. The other edges have no partner.
    EXPECT_EQ(data->mesh->neighbours, (std::vector<int32_t>{2, -1, -1, 0, -1, -1, 0, -1, -1}));
}
