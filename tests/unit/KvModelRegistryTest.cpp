#include "app/OFileNotFound.h"
#include "render/KvModel.h"
#include "render/KvModelData.h"
#include "render/KvModelRegistry.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/ModelFiles.h"
#include "support/TestArchive.h"

namespace {

KvModelWriter Triangles(int count) {
    KvModelWriter writer;
    writer.AddTexCoord(0, 0);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(i);
        const uint32_t a = writer.AddPosition(x, 0, x);
        const uint32_t b = writer.AddPosition(x + 1, 0, x);
        const uint32_t c = writer.AddPosition(x, 1, x + 1);
        writer.AddTriangle({a, 0}, {b, 0}, {c, 0});
    }
    return writer;
}

class KvModelRegistryTest : public ::testing::Test {
protected:
    ModelTestGuard guard;
};

}  // namespace

TEST_F(KvModelRegistryTest, ModelsOfOneNameShareOneDataReadOnce) {
    auto archive = std::make_unique<TestArchive>();
    archive->Add("Data/Models/Cube.Kvm", ModelFiles::Bytes(KvModelWriter::Cube(1)));
    archive->Open();
    KvModel first;
    first.Load("Cube.Kvm");
    // Without the archive a second read would fail: the second model must
    // take the cached data.
    archive->Remove();
    KvModel second;
    EXPECT_TRUE(second.Load("Cube.Kvm"));
    EXPECT_EQ(first.GetData(), second.GetData());
    // Two models and the registry hold it.
    EXPECT_EQ(first.GetData()->GetReferenceCount(), 3);
    EXPECT_EQ(second.GetName(), "Cube.Kvm");

    // Names are case-sensitive.
    KvModel other;
    EXPECT_THROW(other.Load("cube.kvm"), OFileNotFound);
}

TEST_F(KvModelRegistryTest, LoadingAnotherNameDoesNotOverwriteCachedData) {
    TestArchive archive;
    archive.Add("Data/Models/One.Kvm", ModelFiles::Bytes(Triangles(1)));
    archive.Add("Data/Models/Two.Kvm", ModelFiles::Bytes(Triangles(2)));
    archive.Open();
    KvModel model;
    model.Load("One.Kvm");
    KvModelData* one = model.GetData();
    model.Load("Two.Kvm");
    EXPECT_NE(model.GetData(), one);
    EXPECT_EQ(KvModelRegistry::Instance().Find("One.Kvm")->mesh->triangleCount, 1u);
    EXPECT_EQ(KvModelRegistry::Instance().Find("Two.Kvm")->mesh->triangleCount, 2u);
}

TEST_F(KvModelRegistryTest, DetailLevelPicksTheVariantFolderAndReloadsOnChange) {
    TestArchive archive;
    archive.Add("Data/Models/Hi/Rock.Kvm", ModelFiles::Bytes(Triangles(6)));
    archive.Add("Data/Models/Low/Rock.Kvm", ModelFiles::Bytes(Triangles(2)));
    archive.Add("Data/Models/Rock.Kvm", ModelFiles::Bytes(Triangles(1)));
    archive.Open();

    KvModel rock;
    rock.GetData()->hasDetailVariants = true;
    rock.GetData()->scale = OVector3(2, 3, 4);
    rock.Load("Rock.Kvm");
    KvModel plain;
    plain.Load("Rock.Kvm");  // cached: shares the variant data
    EXPECT_EQ(rock.GetData()->mesh->triangleCount, 6u);
    // The scale applies from the first read on.
    EXPECT_EQ(rock.GetData()->mesh->Position(1).x, 2.0f);

    ASSERT_TRUE(KvModelRegistry::Instance().SetDetail(0));
    EXPECT_EQ(rock.GetData()->mesh->triangleCount, 2u);
    EXPECT_EQ(plain.GetData()->mesh->triangleCount, 2u);
    EXPECT_EQ(rock.GetData()->mesh->Position(1).x, 2.0f) << "scaled once, after the reload";
    EXPECT_EQ(rock.GetData()->mesh->Position(2).y, 3.0f);
    // Planes follow the scaled positions: the last corner of triangle 1 lies
    // on its plane (it would not on the plane of the unscaled triangle).
    const float* plane = rock.GetData()->mesh->Plane(1);
    const OVector3 p = rock.GetData()->mesh->Position(rock.GetData()->mesh->Corner(1, 2));
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
    TestArchive archive;
    archive.Add("Data/Models/Hi/A.Kvm", ModelFiles::Bytes(Triangles(3)));
    archive.Add("Data/Models/Low/A.Kvm", ModelFiles::Bytes(Triangles(1)));
    archive.Add("Data/Models/Hi/B.Kvm", ModelFiles::Bytes(Triangles(3)));
    archive.Add("Data/Models/Plain.Kvm", ModelFiles::Bytes(Triangles(4)));
    archive.Open();
    KvModel a;
    a.GetData()->hasDetailVariants = true;
    a.Load("A.Kvm");
    KvModel b;
    b.GetData()->hasDetailVariants = true;
    b.Load("B.Kvm");
    KvModel plain;
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
    TestArchive archive;
    archive.Add("Data/Models/Cube.Kvm", ModelFiles::Bytes(KvModelWriter::Cube(1)));
    archive.Open();
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

TEST_F(KvModelRegistryTest, ACloneSharesDataAndKeepsItAliveAfterTheOriginal) {
    TestArchive archive;
    archive.Add("Data/Models/Cube.Kvm", ModelFiles::Bytes(KvModelWriter::Cube(1)));
    archive.Open();
    auto original = std::make_unique<KvModel>();
    original->Load("Cube.Kvm");
    original->SetPosition({1, 2, 3});
    original->translucency = 0.5;
    original->colour[3] = 0.25f;
    std::unique_ptr<KvModel> clone(original->Clone());
    KvModelData* data = original->GetData();
    EXPECT_EQ(clone->GetData(), data);
    EXPECT_EQ(clone->GetPosition().y, 2.0f);
    EXPECT_EQ(clone->translucency, 0.5);
    EXPECT_EQ(clone->colour[3], 0.25f);
    EXPECT_EQ(clone->GetName(), "Cube.Kvm");
    original.reset();
    KvModelRegistry::Instance().Clear();
    EXPECT_EQ(data->GetReferenceCount(), 1);
    EXPECT_EQ(clone->GetData()->mesh->triangleCount, 12u);
}
