#include "app/OFileNotFound.h"
#include "render/KvModel.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/ModelFiles.h"
#include "support/TestArchive.h"

namespace {

// `count` separate triangles, triangle i at x = i.
std::vector<uint8_t> Triangles(int count) {
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(i);
        ModelFiles::AddTriangle(writer, {x, 0, x}, {x + 1, 0, x}, {x, 1, x + 1});
    }
    return writer.Build();
}

// Plain models, models with high and low variants (Rock, A) and one whose
// low variant is missing (B).
class KvModelRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::pair<const char*, int> files[] = {
            {"Cube.Kvm", 0},    {"One.Kvm", 1},      {"Two.Kvm", 2},  {"Plain.Kvm", 4},
            {"Hi/Rock.Kvm", 6}, {"Low/Rock.Kvm", 2}, {"Rock.Kvm", 1}, {"Hi/A.Kvm", 3},
            {"Low/A.Kvm", 1},   {"Hi/B.Kvm", 3}};
        for (const auto& [name, count] : files) {
            archive.Add(std::string("Data/Models/") + name,
                        count ? Triangles(count) : KvModelWriter::Cube(1).Build());
        }
        archive.Open();
    }

    // A model that reads the variant of the current detail level.
    static void LoadVariant(KvModel& model, const std::string& name) {
        model.GetData()->hasDetailVariants = true;
        model.Load(name);
    }

    ModelTestGuard guard;
    TestArchive archive;
};

}  // namespace

TEST_F(KvModelRegistryTest, ModelsOfOneNameShareOneDataReadOnceAndOtherNamesGetTheirOwn) {
    auto first = std::make_unique<KvModel>();
    first->Load("Cube.Kvm");
    KvModelData* data = first->GetData();
    // Loading another name into a model does not overwrite the cached data.
    KvModel model;
    model.Load("One.Kvm");
    KvModelData* one = model.GetData();
    model.Load("Two.Kvm");
    EXPECT_NE(model.GetData(), one);
    EXPECT_EQ(KvModelRegistry::Instance().Find("One.Kvm")->mesh->triangleCount, 1u);
    EXPECT_EQ(KvModelRegistry::Instance().Find("Two.Kvm")->mesh->triangleCount, 2u);
    // Without the archive a second read would fail: the second model must
    // take the cached data. Names are case-sensitive.
    archive.Remove();
    KvModel second;
    EXPECT_TRUE(second.Load("Cube.Kvm"));
    EXPECT_EQ(second.GetData(), data);
    EXPECT_EQ(data->GetReferenceCount(), 3) << "two models and the registry";
    EXPECT_EQ(second.GetName(), "Cube.Kvm");
    EXPECT_THROW(KvModel().Load("cube.kvm"), OFileNotFound);
    // A clone shares the data and keeps it alive after the original and the
    // registry let go.
    first->SetPosition({1, 2, 3});
    std::unique_ptr<KvModel> clone(first->Clone());
    EXPECT_EQ(clone->GetData(), data);
    EXPECT_EQ(clone->GetPosition().y, 2.0f);
    EXPECT_EQ(clone->GetName(), "Cube.Kvm");
    first.reset();
    second.Load("One.Kvm");
    KvModelRegistry::Instance().Clear();
    EXPECT_EQ(data->GetReferenceCount(), 1);
    EXPECT_EQ(clone->GetData()->mesh->triangleCount, 12u);
}

TEST_F(KvModelRegistryTest, DetailLevelPicksTheVariantFolderAndReloadsOnChange) {
    KvModel rock;
    rock.GetData()->scale = OVector3(2, 3, 4);
    LoadVariant(rock, "Rock.Kvm");
    KvModel plain;
    plain.Load("Rock.Kvm");  // cached: shares the variant data
    const KvMesh* mesh = rock.GetData()->mesh;
    EXPECT_EQ(mesh->triangleCount, 6u);
    // The scale applies from the first read on.
    EXPECT_EQ(mesh->Position(1).x, 2.0f);

    ASSERT_TRUE(KvModelRegistry::Instance().SetDetail(0));
    mesh = rock.GetData()->mesh;
    EXPECT_EQ(mesh->triangleCount, 2u);
    EXPECT_EQ(plain.GetData()->mesh->triangleCount, 2u);
    EXPECT_EQ(mesh->Position(1).x, 2.0f) << "scaled once, after the reload";
    EXPECT_EQ(mesh->Position(2).y, 3.0f);
    // Planes follow the scaled positions: the last corner of triangle 1 lies
    // on its plane (it would not on the plane of the unscaled triangle).
    const float* plane = mesh->Plane(1);
    const OVector3 p = mesh->Position(mesh->Corner(1, 2));
    EXPECT_NEAR(plane[0] * p.x + plane[1] * p.y + plane[2] * p.z + plane[3], 0.0f, 1e-5f);
    // Shadows work on the new mesh: flags and neighbours follow it.
    rock.UpdateShadow({0.5f, 0.5f, 4.0f});
    EXPECT_EQ(rock.LitFlags().size(), 2u);
    EXPECT_EQ(rock.SilhouetteFlags().size(), 6u);

    ASSERT_TRUE(KvModelRegistry::Instance().SetDetail(7));  // any positive level is high
    EXPECT_EQ(KvModelRegistry::Instance().GetDetail(), 1);
    EXPECT_EQ(rock.GetData()->mesh->triangleCount, 6u);
}

TEST_F(KvModelRegistryTest, ReloadAllStopsAtAFileThatCannotBeRead) {
    KvModel a, b, plain;
    LoadVariant(a, "A.Kvm");
    LoadVariant(b, "B.Kvm");
    plain.Load("Plain.Kvm");
    EXPECT_FALSE(KvModelRegistry::Instance().SetDetail(0));
    EXPECT_EQ(a.GetData()->mesh->triangleCount, 1u);
    EXPECT_EQ(b.GetData()->mesh->triangleCount, 0u) << "a failed reload leaves an empty mesh";
    EXPECT_EQ(plain.GetData()->mesh->triangleCount, 4u) << "no variants: not reloaded";
    // Drawing and shadows of the emptied model do nothing harmful.
    b.UpdateShadow({0, 0, 5});
    KvShadowVolume volume;
    b.BuildShadowVolume({0, 0, 5}, true, volume);
    EXPECT_TRUE(volume.quads.empty());
}

TEST_F(KvModelRegistryTest, ListsAreRequestedWithoutAContextAndRebuiltLater) {
    KvModel cube;
    cube.Load("Cube.Kvm");
    cube.GetData()->buildOctree = true;
    cube.BuildDisplayList();
    // No GL context in unit tests: the wish is kept, no list exists, the
    // octree is there.
    EXPECT_TRUE(cube.GetData()->hasDisplayList);
    EXPECT_EQ(cube.GetData()->displayList, 0u);
    ASSERT_NE(cube.GetData()->GetOctree(), nullptr);
    KvModelRegistry::Instance().DeleteAllLists();
    KvModelRegistry::Instance().RebuildAllLists();
    EXPECT_TRUE(cube.GetData()->hasDisplayList);
    EXPECT_NE(cube.GetData()->GetOctree(), nullptr);
    cube.Draw();  // without a context: nothing, no crash
    cube.DrawWireframe();
    cube.DrawShadowVolume({0, 0, 5}, true);
}
