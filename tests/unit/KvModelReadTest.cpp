#include "app/OFileNotFound.h"
#include "render/KvModel.h"
#include "render/KvModelReader.h"
#include "render/OTexture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/ImageFiles.h"
#include "support/ModelFiles.h"
#include "support/TestArchive.h"

namespace {

using Result = KvModelReader::Result;

void ExpectVector(const float* actual, const OVector3& want, const std::string& what) {
    EXPECT_NEAR(actual[0], want.x, 1e-5f) << what;
    EXPECT_NEAR(actual[1], want.y, 1e-5f) << what;
    EXPECT_NEAR(actual[2], want.z, 1e-5f) << what;
}

class KvModelReadTest : public ::testing::Test {
protected:
    ModelTestGuard guard;
};

}  // namespace

TEST_F(KvModelReadTest, WrongMagicIsReportedOnceAndOneTriangleGivesItsCornersNormalAndPlane) {
    // A wrong magic is reported once, however often the file is read again
    // (as a detail change does), and a sound file still reads.
    std::string file = ModelFiles::Bytes(ModelFiles::OneTriangle());
    file.replace(0, 6, "MODEL!");
    KvModelData data;
    ASSERT_TRUE(ModelFiles::Read(data, file));
    ASSERT_TRUE(ModelFiles::Read(data, file));
    EXPECT_EQ(guard.messages, (std::vector<std::string>{"Error: Wrong model format."}));
    const KvMesh& mesh = *data.mesh;
    EXPECT_EQ(mesh.triangleCount, 1u);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 0, 1, 1, 2, 2}));
    EXPECT_EQ(mesh.faceVertexIndices, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(mesh.neighbours, (std::vector<int32_t>{-1, -1, -1}));
    // Each face record points at its corners' data.
    const KvFace& face = mesh.faces[0];
    for (int c = 0; c < 3; ++c) {
        ExpectVector(face.position[c], {c == 1 ? 1.0f : 0, c == 2 ? 1.0f : 0, 0}, "position");
        ExpectVector(face.normal[c], {0, 0, 1}, "normal");
    }
    EXPECT_EQ(face.plane, mesh.Plane(0));
    EXPECT_EQ(face.texCoord[2][1], 1.0f);
    ExpectVector(mesh.Plane(0), {0, 0, 1}, "plane normal");
    EXPECT_NEAR(mesh.Plane(0)[3], 0.0f, 1e-6f);
}

TEST_F(KvModelReadTest, FilesThatDoNotFitTheirCountsAreRefusedWithoutReadingPastThem) {
    const std::string good = ModelFiles::Bytes(ModelFiles::OneTriangle());
    const size_t indices = ModelFiles::IndexOffset(3, 3);
    auto put = [&](size_t offset, uint32_t word, const char* magic = "ASVM3D") {
        std::string file = good;
        ModelFiles::PutWord(file, offset, word);
        return file.replace(0, 6, magic);
    };
    const struct {
        const char* what;
        std::string file;
        Result expected;
    } cases[] = {
        {"header cut short", good.substr(0, 63), Result::TooShort},
        {"last index cut short", good.substr(0, good.size() - 1), Result::CountsExceedFile},
        {"no texture coordinates", put(20, 0), Result::NoTexCoords},
        {"position count beyond the file", put(16, 0xFFFFFFFFu), Result::CountsExceedFile},
        {"triangle count beyond the file", put(28, 0x40000000u), Result::CountsExceedFile},
        {"index 0 (indices count from 1)", put(indices, 0), Result::IndexOutOfRange},
        {"position index 4 of 3", put(indices + 16, 4), Result::IndexOutOfRange},
        {"texture coordinate index 4 of 3", put(indices + 20, 4), Result::IndexOutOfRange},
        // A wrong magic is reported, and the counts are checked all the same.
        {"wrong magic, counts beyond the file", put(28, 1000, "ASVM2D"), Result::CountsExceedFile},
    };
    for (const auto& c : cases) {
        // An exact-size copy, so any read past the end is a heap overflow
        // under AddressSanitizer.
        std::vector<uint8_t> exact(c.file.begin(), c.file.end());
        KvModelHeader header;
        KvMesh mesh;
        EXPECT_EQ(KvModelReader::Read(exact.data(), exact.size(), header, mesh), c.expected)
            << c.what;
        EXPECT_EQ(mesh.triangleCount, 0u) << c.what;
        KvModelData data;
        EXPECT_FALSE(data.ReadBytes(exact.data(), exact.size(), true)) << c.what;
        EXPECT_EQ(data.LastResult(), c.expected) << c.what;
        EXPECT_EQ(data.mesh->triangleCount, 0u) << c.what;
    }
    EXPECT_EQ(guard.messages, (std::vector<std::string>{"Error: Wrong model format."}));
}

TEST_F(KvModelReadTest, LoadThrowsFileNotFoundForMissingAndRefusedFilesAndCachesNone) {
    std::string noTexCoords = ModelFiles::Bytes(ModelFiles::OneTriangle());
    ModelFiles::PutWord(noTexCoords, 20, 0);
    KvModelWriter lost = ModelFiles::OneTriangle();
    lost.SetTextures("Nowhere.Tga");
    TestArchive archive;
    archive.Add("Data/Models/Bad.Kvm", noTexCoords);
    archive.Add("Data/Models/Lost.Kvm", lost.Build());
    archive.Open();
    for (const char* name : {"Bad.Kvm", "Missing.Kvm", "Lost.Kvm"}) {
        KvModel model;
        try {
            model.Load(name);
            ADD_FAILURE() << name << " loaded";
        } catch (const OFileNotFound& error) {
            EXPECT_EQ(error.GetCode(), 3);
            EXPECT_EQ(error.GetMessage(), "Required file missing. Please reinstall the game.");
        }
        EXPECT_EQ(KvModelRegistry::Instance().Find(name), nullptr) << "a refused file is cached";
    }
}

TEST_F(KvModelReadTest, NormalsAreFlatOrSmoothAsTheDetailLevelsFlagSays) {
    // Flat: two triangles share positions 0 and 1, one in the x-y plane
    // (normal +z), the other in the x-z plane (normal -y); the shared
    // positions take the later triangle's normal, in either order.
    for (bool zLast : {false, true}) {
        KvModelWriter writer;
        const float positions[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (const auto& p : positions) {
            writer.AddPosition(p[0], p[1], p[2]);
        }
        writer.AddTexCoord(0, 0);
        writer.AddTriangle({0, 0}, {1, 0}, {zLast ? 3u : 2u, 0});
        writer.AddTriangle({0, 0}, {1, 0}, {zLast ? 2u : 3u, 0});
        const auto data = ModelFiles::Read(writer);
        ASSERT_NE(data, nullptr);
        const OVector3 last = zLast ? OVector3(0, 0, 1) : OVector3(0, -1, 0);
        ExpectVector(&data->mesh->normals[0], last, "position 0");
        ExpectVector(&data->mesh->normals[3], last, "position 1");
        ExpectVector(&data->mesh->normals[6], {0, 0, 1}, "position 2 only in the +z triangle");
        ExpectVector(&data->mesh->normals[9], {0, -1, 0}, "position 3 only in the -y triangle");
    }

    // Smooth: the generated cube's corners add the normal of every triangle
    // they are in. Corner 7 (1, 1, 1) is in both +z triangles (the face's
    // diagonal runs 1-7) and one each of +x and +y; corner 0 in both of -x
    // and -y and one of -z.
    const KvModelWriter cube = KvModelWriter::Cube(1);
    KvModelData data;
    data.smoothHigh = true;
    ASSERT_TRUE(ModelFiles::Read(data, ModelFiles::Bytes(cube)));
    const float sixth = 1.0f / std::sqrt(6.0f), third = 1.0f / 3.0f;
    ExpectVector(&data.mesh->normals[7 * 3], {sixth, sixth, 2 * sixth}, "corner 7");
    ExpectVector(&data.mesh->normals[0], {-2 * third, -2 * third, -third}, "corner 0");
    // The low level uses its own flag: flat there, so corner 7 takes the
    // normal of the last triangle that has it (the +y face's).
    KvModelRegistry::Instance().SetDetail(0);
    ASSERT_TRUE(ModelFiles::Read(data, ModelFiles::Bytes(cube)));
    ExpectVector(&data.mesh->normals[7 * 3], {0, 1, 0}, "corner 7 flat");
}

TEST_F(KvModelReadTest, TextureNamesLoadTheirTexturesAndOneCharacterLoadsNone) {
    TestArchive archive;
    const std::string white = ImageFiles::FilledTga(2, 24, 4, 4, {255, 255, 255});
    for (const char* name : {"A", "Wood.Tga", "Grain.Tga"}) {
        archive.AddTexture(name, white);
    }
    const std::pair<const char*, const char*> names[] = {
        {"A", ""}, {"Wood.Tga", "Grain.Tga"}, {"", "Grain.Tga"}};
    for (int i = 0; i < 3; ++i) {
        KvModelWriter writer = ModelFiles::OneTriangle();
        writer.SetTextures(names[i].first, names[i].second);
        archive.Add("Data/Models/" + std::to_string(i) + ".Kvm", writer.Build());
    }
    archive.Open();
    KvModel models[3];
    for (int i = 0; i < 3; ++i) {
        models[i].Load(std::to_string(i) + ".Kvm");
    }
    EXPECT_EQ(models[0].GetData()->BaseTexture(), nullptr);
    EXPECT_FALSE(OTexture::IsCached("A"));
    ASSERT_NE(models[1].GetData()->BaseTexture(), nullptr);
    ASSERT_NE(models[1].GetData()->DetailTexture(), nullptr);
    // A base texture with a detail texture beside it has no mipmaps.
    EXPECT_FALSE(models[1].GetData()->BaseTexture()->GetImage()->mipmaps);
    EXPECT_TRUE(models[1].GetData()->DetailTexture()->GetImage()->mipmaps);
    EXPECT_EQ(models[2].GetData()->BaseTexture(), nullptr);
    EXPECT_NE(models[2].GetData()->DetailTexture(), nullptr);

    // Names filling the whole field stop at its sixteen characters; the
    // writer cuts longer ones so that they keep their terminator.
    std::string full = ModelFiles::Bytes(ModelFiles::OneTriangle());
    full.replace(32, 32, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    KvModelWriter cut = ModelFiles::OneTriangle();
    cut.SetTextures("ABCDEFGHIJKLMNOPQRST", "Grain.Tga");
    const std::string files[2][3] = {{full, "ABCDEFGHIJKLMNOP", "QRSTUVWXYZ012345"},
                                     {ModelFiles::Bytes(cut), "ABCDEFGHIJKLMNO", "Grain.Tga"}};
    for (const auto& [file, base, detail] : files) {
        KvModelHeader header;
        ASSERT_TRUE(KvModelReader::ReadHeader(reinterpret_cast<const uint8_t*>(file.data()),
                                              file.size(), header));
        EXPECT_EQ(file.size(), KvModelReader::RequiredSize(3, 3, 1));
        EXPECT_EQ(header.baseTexture, base);
        EXPECT_EQ(header.detailTexture, detail);
    }
}
