#include "render/KvModel.h"
#include "render/KvModelData.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "support/ModelFiles.h"
#include "support/TestArchive.h"

namespace {

// Silhouette edges as directed position pairs (corner k to corner k + 1).
std::vector<std::pair<uint32_t, uint32_t>> SilhouetteEdges(const KvModel& model) {
    const KvModel& source = model.ShadowSource();
    const KvMesh& mesh = *source.GetData()->mesh;
    std::vector<std::pair<uint32_t, uint32_t>> edges;
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        for (int edge = 0; edge < 3; ++edge) {
            if (source.SilhouetteFlags()[t * 3 + edge] != 0) {
                edges.emplace_back(mesh.Corner(t, edge), mesh.Corner(t, (edge + 1) % 3));
            }
        }
    }
    return edges;
}

// Number of closed loops the directed edges form; -1 when they do not close.
int CountLoops(const std::vector<std::pair<uint32_t, uint32_t>>& edges) {
    std::map<uint32_t, uint32_t> next;
    for (const auto& edge : edges) {
        if (!next.emplace(edge.first, edge.second).second) {
            return -1;  // two edges leave one corner
        }
    }
    std::set<uint32_t> seen;
    int loops = 0;
    for (const auto& start : next) {
        if (seen.count(start.first) != 0) {
            continue;
        }
        ++loops;
        uint32_t at = start.first;
        while (seen.insert(at).second) {
            auto found = next.find(at);
            if (found == next.end()) {
                return -1;  // the chain ends without returning
            }
            at = found->second;
        }
        if (at != start.first) {
            return -1;
        }
    }
    return loops;
}

class KvModelShadowTest : public ::testing::Test {
protected:
    void SetUp() override {
        archive.Add("Data/Models/Cube.Kvm", ModelFiles::Bytes(KvModelWriter::Cube(1.0f)));
        archive.Add("Data/Models/Plane.Kvm", ModelFiles::Bytes(KvModelWriter::Plane(4.0f, 2)));
        archive.Add("Data/Models/Ball.Kvm", ModelFiles::Bytes(KvModelWriter::Sphere(2, 8, 12)));
        archive.Add("Data/Models/Shadows/Ball.Kvm", ModelFiles::Bytes(KvModelWriter::Cube(1.0f)));
        archive.Open();
    }

    ModelTestGuard guard;
    TestArchive archive;
};

}  // namespace

TEST_F(KvModelShadowTest, EveryEdgeOfAClosedCubeHasTheTriangleAcrossIt) {
    KvModel cube;
    cube.Load("Cube.Kvm");
    const KvMesh& mesh = *cube.GetData()->mesh;
    ASSERT_TRUE(mesh.HasNeighbours());
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        for (int edge = 0; edge < 3; ++edge) {
            const int32_t across = mesh.Neighbour(t, edge);
            ASSERT_GE(across, 0) << "triangle " << t << " edge " << edge;
            ASSERT_NE(across, static_cast<int32_t>(t));
            // The neighbour has the same edge, in the other direction, and
            // points back.
            const uint32_t a = mesh.Corner(t, edge);
            const uint32_t b = mesh.Corner(t, (edge + 1) % 3);
            bool pointsBack = false;
            for (int m = 0; m < 3; ++m) {
                if (mesh.Corner(across, m) == b && mesh.Corner(across, (m + 1) % 3) == a) {
                    pointsBack = mesh.Neighbour(across, m) == static_cast<int32_t>(t);
                }
            }
            EXPECT_TRUE(pointsBack) << "triangle " << t << " edge " << edge;
        }
    }
}

TEST_F(KvModelShadowTest, SilhouetteOfACubeLitFromOutsideFormsOneClosedLoop) {
    KvModel cube;
    cube.Load("Cube.Kvm");
    struct Case {
        OVector3 light;
        size_t litTriangles;
        size_t silhouetteEdges;
    };
    // In front of one face, beside an edge (two faces), beyond a corner
    // (three faces: a hexagon).
    for (const Case& c : {Case{{0.2f, 0.3f, 5.0f}, 2, 4}, Case{{5.0f, 0.1f, 5.0f}, 4, 6},
                          Case{{4.0f, 5.0f, 6.0f}, 6, 6}}) {
        cube.UpdateShadow(c.light);
        size_t lit = 0;
        for (uint8_t flag : cube.LitFlags()) {
            lit += flag;
        }
        EXPECT_EQ(lit, c.litTriangles);
        const auto edges = SilhouetteEdges(cube);
        EXPECT_EQ(edges.size(), c.silhouetteEdges);
        EXPECT_EQ(CountLoops(edges), 1);
    }
}

TEST_F(KvModelShadowTest, EveryLitBorderEdgeOfAnOpenPlaneIsOnTheSilhouette) {
    KvModel plane;
    plane.Load("Plane.Kvm");
    const KvMesh& mesh = *plane.GetData()->mesh;
    // Above the plane: all 8 triangles lit; the border is 8 edges long (2
    // cells a side) and every inner edge joins two lit triangles.
    plane.UpdateShadow({0.5f, 3.0f, 0.5f});
    size_t borderEdges = 0;
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        EXPECT_EQ(plane.LitFlags()[t], 1);
        for (int edge = 0; edge < 3; ++edge) {
            const bool border = mesh.Neighbour(t, edge) == -1;
            borderEdges += border ? 1 : 0;
            EXPECT_EQ(plane.SilhouetteFlags()[t * 3 + edge], border ? 1u : 0u);
        }
    }
    EXPECT_EQ(borderEdges, 8u);
    EXPECT_EQ(CountLoops(SilhouetteEdges(plane)), 1);

    // Below it nothing is lit and nothing is on the silhouette.
    plane.UpdateShadow({0.5f, -3.0f, 0.5f});
    EXPECT_TRUE(SilhouetteEdges(plane).empty());
}

TEST_F(KvModelShadowTest, ATriangleWhosePlaneHoldsTheLightIsNotLit) {
    KvModel plane;
    plane.Load("Plane.Kvm");
    plane.UpdateShadow({10.0f, 0.0f, -3.0f});
    for (uint8_t flag : plane.LitFlags()) {
        EXPECT_EQ(flag, 0);
    }
    EXPECT_TRUE(SilhouetteEdges(plane).empty());
    // Just above the plane it is lit again.
    plane.UpdateShadow({10.0f, 1e-3f, -3.0f});
    EXPECT_EQ(plane.LitFlags()[0], 1);
}

TEST_F(KvModelShadowTest, VolumeExtrudesSilhouetteEdgesAwayFromTheLight) {
    KvModel cube;
    cube.Load("Cube.Kvm");
    const OVector3 light(0.2f, 0.3f, 5.0f);
    cube.UpdateShadow(light);
    KvShadowVolume volume;
    cube.BuildShadowVolume(light, false, volume);
    ASSERT_EQ(volume.QuadCount(), 4u);
    EXPECT_EQ(volume.CapTriangleCount(), 0u);
    for (size_t q = 0; q < volume.QuadCount(); ++q) {
        const float* v = &volume.quads[q * 16];
        // Q and P on the lit face (z = 1), then P and Q pushed to infinity.
        EXPECT_EQ(v[2], 1.0f);
        EXPECT_EQ(v[3], 1.0f);
        EXPECT_EQ(v[7], 1.0f);
        EXPECT_EQ(v[11], 0.0f);
        EXPECT_EQ(v[15], 0.0f);
        EXPECT_FLOAT_EQ(v[8], v[4] - light.x);
        EXPECT_FLOAT_EQ(v[9], v[5] - light.y);
        EXPECT_FLOAT_EQ(v[10], v[6] - light.z);
        EXPECT_FLOAT_EQ(v[12], v[0] - light.x);
        EXPECT_FLOAT_EQ(v[14], v[2] - light.z);
    }

    cube.BuildShadowVolume(light, true, volume);
    ASSERT_EQ(volume.CapTriangleCount(), 12u);
    size_t atInfinity = 0;
    for (size_t v = 0; v < volume.caps.size(); v += 4) {
        atInfinity += volume.caps[v + 3] == 0.0f ? 1 : 0;
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
    KvModel still;
    still.Load("Cube.Kvm");
    moved.UpdateShadow({15.0f, 0.3f, -0.2f});
    still.UpdateShadow({0.2f, 0.3f, 5.0f});
    EXPECT_EQ(moved.LitFlags(), still.LitFlags());
    EXPECT_EQ(moved.SilhouetteFlags(), still.SilhouetteFlags());
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
    // Three triangles on the edge 0-1 (a fin on a hinge), one single triangle.
    KvModelWriter writer;
    writer.AddPosition(0, 0, 0);
    writer.AddPosition(1, 0, 0);
    writer.AddPosition(0, 1, 0);
    writer.AddPosition(0, 0, 1);
    writer.AddPosition(0, -1, 0);
    writer.AddTexCoord(0, 0);
    writer.AddTriangle({0, 0}, {1, 0}, {2, 0});
    writer.AddTriangle({1, 0}, {0, 0}, {3, 0});
    writer.AddTriangle({0, 0}, {1, 0}, {4, 0});
    KvModelData data;
    const std::string file = ModelFiles::Bytes(writer);
    ASSERT_TRUE(data.ReadBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), true));
    data.mesh->BuildNeighbours();
    // Triangle 0 pairs with 1, then with 2 (which overwrites); 1 keeps 0
    // and 2 keeps 0. The other edges have no partner.
    EXPECT_EQ(data.mesh->Neighbour(0, 0), 2);
    EXPECT_EQ(data.mesh->Neighbour(1, 0), 0);
    EXPECT_EQ(data.mesh->Neighbour(2, 0), 0);
    for (uint32_t t = 0; t < 3; ++t) {
        EXPECT_EQ(data.mesh->Neighbour(t, 1), -1);
        EXPECT_EQ(data.mesh->Neighbour(t, 2), -1);
    }
}
