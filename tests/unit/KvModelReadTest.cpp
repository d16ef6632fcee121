#include "app/OFileNotFound.h"
#include "render/KvModel.h"
#include "render/KvModelData.h"
#include "render/KvModelReader.h"
#include "render/OTexture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/ImageFiles.h"
#include "support/ModelFiles.h"
#include "support/TestArchive.h"

namespace {

using Result = KvModelReader::Result;

Result ReadInto(const std::string& file, KvMesh& mesh) {
    KvModelHeader header;
    return KvModelReader::Read(reinterpret_cast<const uint8_t*>(file.data()), file.size(), header,
                               mesh);
}

bool ReadData(KvModelData& data, const std::string& file) {
    return data.ReadBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), true);
}

void ExpectVector(const float* actual, float x, float y, float z, const char* what) {
    EXPECT_NEAR(actual[0], x, 1e-5f) << what;
    EXPECT_NEAR(actual[1], y, 1e-5f) << what;
    EXPECT_NEAR(actual[2], z, 1e-5f) << what;
}

class KvModelReadTest : public ::testing::Test {
protected:
    ModelTestGuard guard;
};

}  // namespace

TEST_F(KvModelReadTest, OneTriangleFileGivesOneTriangleWithZeroBasedCorners) {
    KvMesh mesh;
    ASSERT_EQ(ReadInto(ModelFiles::Bytes(ModelFiles::OneTriangle()), mesh), Result::Ok);
    EXPECT_EQ(mesh.triangleCount, 1u);
    EXPECT_EQ(mesh.positionCount, 3u);
    EXPECT_EQ(mesh.normalCount, 3u);
    EXPECT_EQ(mesh.texCoordCount, 3u);
    EXPECT_EQ(mesh.indexCount, 6u);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 0, 1, 1, 2, 2}));
    EXPECT_EQ(mesh.faceVertexIndices, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(mesh.neighbours, (std::vector<int32_t>{-1, -1, -1}));
    const KvFace& face = mesh.faces[0];
    for (int corner = 0; corner < 3; ++corner) {
        EXPECT_EQ(face.position[corner], &mesh.positions[corner * 3]);
        EXPECT_EQ(face.normal[corner], &mesh.normals[corner * 3]);
        EXPECT_EQ(face.texCoord[corner], &mesh.texCoords[corner * 2]);
    }
    EXPECT_EQ(face.plane, &mesh.planes[0]);
    EXPECT_EQ(face.position[1][0], 1.0f);
    EXPECT_EQ(face.texCoord[2][1], 1.0f);
}

TEST_F(KvModelReadTest, DataGetsNormalsAndPlaneOfTheTriangle) {
    KvModelData data;
    ASSERT_TRUE(ReadData(data, ModelFiles::Bytes(ModelFiles::OneTriangle())));
    for (int i = 0; i < 3; ++i) {
        ExpectVector(&data.mesh->normals[i * 3], 0, 0, 1, "normal");
    }
    ExpectVector(data.mesh->Plane(0), 0, 0, 1, "plane normal");
    EXPECT_NEAR(data.mesh->Plane(0)[3], 0.0f, 1e-6f);
}

TEST_F(KvModelReadTest, FilesThatDoNotFitTheirCountsAreRefusedWithoutReadingPastThem) {
    const std::string good = ModelFiles::Bytes(ModelFiles::OneTriangle());
    const size_t indices = ModelFiles::IndexOffset(3, 3);
    struct Case {
        const char* what;
        std::string file;
        Result expected;
    };
    std::vector<Case> cases;
    cases.push_back({"header cut short", good.substr(0, 63), Result::TooShort});
    cases.push_back(
        {"last index cut short", good.substr(0, good.size() - 1), Result::CountsExceedFile});
    std::string noTexCoords = good;
    ModelFiles::PutWord(noTexCoords, 20, 0);
    cases.push_back({"no texture coordinates", noTexCoords, Result::NoTexCoords});
    std::string hugePositions = good;
    ModelFiles::PutWord(hugePositions, 16, 0xFFFFFFFFu);
    cases.push_back({"position count beyond the file", hugePositions, Result::CountsExceedFile});
    std::string hugeTriangles = good;
    ModelFiles::PutWord(hugeTriangles, 28, 0x40000000u);
    cases.push_back({"triangle count beyond the file", hugeTriangles, Result::CountsExceedFile});
    std::string zeroIndex = good;
    ModelFiles::PutWord(zeroIndex, indices, 0);
    cases.push_back({"index 0 (indices count from 1)", zeroIndex, Result::IndexOutOfRange});
    std::string positionTooLarge = good;
    ModelFiles::PutWord(positionTooLarge, indices + 16, 4);
    cases.push_back({"position index 4 of 3", positionTooLarge, Result::IndexOutOfRange});
    std::string texCoordTooLarge = good;
    ModelFiles::PutWord(texCoordTooLarge, indices + 20, 4);
    cases.push_back({"texture coordinate index 4 of 3", texCoordTooLarge, Result::IndexOutOfRange});

    for (const Case& c : cases) {
        // An exact-size copy, so any read past the end is a heap overflow
        // under AddressSanitizer.
        std::vector<uint8_t> exact(c.file.begin(), c.file.end());
        KvModelHeader header;
        KvMesh mesh;
        EXPECT_EQ(KvModelReader::Read(exact.data(), exact.size(), header, mesh), c.expected)
            << c.what;
        EXPECT_EQ(mesh.triangleCount, 0u) << c.what;
    }
}

TEST_F(KvModelReadTest, LoadThrowsFileNotFoundForMissingAndRefusedFiles) {
    std::string noTexCoords = ModelFiles::Bytes(ModelFiles::OneTriangle());
    ModelFiles::PutWord(noTexCoords, 20, 0);
    TestArchive archive;
    archive.Add("Data/Models/Bad.Kvm", noTexCoords);
    archive.Open();

    for (const char* name : {"Bad.Kvm", "Missing.Kvm"}) {
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

TEST_F(KvModelReadTest, WrongMagicIsReportedOnceAndASoundFileStillReads) {
    std::string file = ModelFiles::Bytes(ModelFiles::OneTriangle());
    file.replace(0, 6, "MODEL!");
    KvModelData data;
    ASSERT_TRUE(ReadData(data, file));
    EXPECT_EQ(data.mesh->triangleCount, 1u);
    ASSERT_EQ(guard.messages, (std::vector<std::string>{"Error: Wrong model format."}));

    // Read again (as a detail change does): no second box.
    ASSERT_TRUE(ReadData(data, file));
    EXPECT_EQ(guard.messages.size(), 1u);
}

TEST_F(KvModelReadTest, WrongMagicWithBrokenCountsIsReportedAndRefused) {
    std::string file = ModelFiles::Bytes(ModelFiles::OneTriangle());
    file.replace(0, 6, "ASVM2D");
    ModelFiles::PutWord(file, 28, 1000);
    KvModelData data;
    EXPECT_FALSE(ReadData(data, file));
    EXPECT_EQ(data.LastResult(), Result::CountsExceedFile);
    EXPECT_EQ(data.mesh->triangleCount, 0u);
    EXPECT_EQ(guard.messages.size(), 1u);
}

TEST_F(KvModelReadTest, FlatNormalsOfASharedPositionComeFromTheLaterTriangle) {
    // Two triangles share positions 0 and 1: the first lies in the x-y plane
    // (normal +z), the second in the x-z plane (normal -y).
    KvModelWriter writer;
    writer.AddPosition(0, 0, 0);
    writer.AddPosition(1, 0, 0);
    writer.AddPosition(0, 1, 0);
    writer.AddPosition(0, 0, 1);
    writer.AddTexCoord(0, 0);
    writer.AddTriangle({0, 0}, {1, 0}, {2, 0});
    writer.AddTriangle({0, 0}, {1, 0}, {3, 0});
    for (bool laterFirst : {false, true}) {
        KvModelWriter ordered;
        // The same two triangles in the other order swap the outcome.
        if (laterFirst) {
            ordered.AddPosition(0, 0, 0);
            ordered.AddPosition(1, 0, 0);
            ordered.AddPosition(0, 1, 0);
            ordered.AddPosition(0, 0, 1);
            ordered.AddTexCoord(0, 0);
            ordered.AddTriangle({0, 0}, {1, 0}, {3, 0});
            ordered.AddTriangle({0, 0}, {1, 0}, {2, 0});
        }
        KvModelData data;
        ASSERT_TRUE(ReadData(data, ModelFiles::Bytes(laterFirst ? ordered : writer)));
        const float* shared0 = &data.mesh->normals[0];
        const float* shared1 = &data.mesh->normals[3];
        if (laterFirst) {
            ExpectVector(shared0, 0, 0, 1, "position 0, +z triangle last");
            ExpectVector(shared1, 0, 0, 1, "position 1, +z triangle last");
        } else {
            ExpectVector(shared0, 0, -1, 0, "position 0, -y triangle last");
            ExpectVector(shared1, 0, -1, 0, "position 1, -y triangle last");
        }
        ExpectVector(&data.mesh->normals[6], 0, 0, 1, "position 2 only in the +z triangle");
        ExpectVector(&data.mesh->normals[9], 0, -1, 0, "position 3 only in the -y triangle");
    }
}

TEST_F(KvModelReadTest, SmoothNormalsAddTheNormalsOfEveryTriangleAtACorner) {
    // A cube whose diagonals all run through (1, 1, 1) on the three faces
    // that meet there, and through (-1, -1, -1) on the other three.
    KvModelWriter cube;
    for (int i = 0; i < 8; ++i) {
        cube.AddPosition((i & 4) ? 1.f : -1.f, (i & 2) ? 1.f : -1.f, (i & 1) ? 1.f : -1.f);
    }
    cube.AddTexCoord(0, 0);
    // Each quad split along its diagonal from its first corner.
    const uint32_t quads[6][4] = {{7, 3, 1, 5}, {7, 5, 4, 6}, {7, 6, 2, 3},
                                  {0, 1, 3, 2}, {0, 4, 5, 1}, {0, 2, 6, 4}};
    for (const auto& q : quads) {
        cube.AddTriangle({q[0], 0}, {q[1], 0}, {q[2], 0});
        cube.AddTriangle({q[0], 0}, {q[2], 0}, {q[3], 0});
    }
    KvModelData data;
    data.smoothHigh = true;
    ASSERT_TRUE(ReadData(data, ModelFiles::Bytes(cube)));
    const float third = 1.0f / std::sqrt(3.0f);
    const float sixth = 1.0f / std::sqrt(6.0f);
    // (1, 1, 1): both triangles of each of its three faces.
    ExpectVector(&data.mesh->normals[7 * 3], third, third, third, "corner 7");
    ExpectVector(&data.mesh->normals[0], -third, -third, -third, "corner 0");
    // (1, -1, 1) = corner 5: two triangles of -y (diagonal 0-5), one of +x
    // and one of +z, so -y counts twice.
    ExpectVector(&data.mesh->normals[5 * 3], sixth, -2 * sixth, sixth, "corner 5");

    // The low level uses its own flag: flat there, so corner 7 takes the
    // normal of the last triangle that has it (the +y face's).
    KvModelRegistry::Instance().SetDetail(0);
    KvModelData low;
    low.smoothHigh = true;
    ASSERT_TRUE(ReadData(low, ModelFiles::Bytes(cube)));
    ExpectVector(&low.mesh->normals[7 * 3], 0, 1, 0, "corner 7 flat");
}

TEST_F(KvModelReadTest, TextureNamesOfOneCharacterLoadNoBaseTexture) {
    TestArchive archive;
    const std::string white = ImageFiles::FilledTga(2, 24, 4, 4, {255, 255, 255});
    archive.AddTexture("A", white);
    archive.AddTexture("Wood.Tga", white);
    archive.AddTexture("Grain.Tga", white);
    KvModelWriter single = ModelFiles::OneTriangle();
    single.SetTextures("A");
    KvModelWriter both = ModelFiles::OneTriangle();
    both.SetTextures("Wood.Tga", "Grain.Tga");
    KvModelWriter detailOnly = ModelFiles::OneTriangle();
    detailOnly.SetTextures("", "Grain.Tga");
    archive.Add("Data/Models/Single.Kvm", ModelFiles::Bytes(single));
    archive.Add("Data/Models/Both.Kvm", ModelFiles::Bytes(both));
    archive.Add("Data/Models/DetailOnly.Kvm", ModelFiles::Bytes(detailOnly));
    archive.Open();

    KvModel singleModel;
    singleModel.Load("Single.Kvm");
    EXPECT_EQ(singleModel.GetData()->BaseTexture(), nullptr);
    EXPECT_FALSE(OTexture::IsCached("A"));

    KvModel bothModel;
    bothModel.Load("Both.Kvm");
    ASSERT_NE(bothModel.GetData()->BaseTexture(), nullptr);
    ASSERT_NE(bothModel.GetData()->DetailTexture(), nullptr);
    // A base texture with a detail texture beside it has no mipmaps.
    EXPECT_FALSE(bothModel.GetData()->BaseTexture()->GetImage()->mipmaps);
    EXPECT_TRUE(bothModel.GetData()->DetailTexture()->GetImage()->mipmaps);

    KvModel detailModel;
    detailModel.Load("DetailOnly.Kvm");
    EXPECT_EQ(detailModel.GetData()->BaseTexture(), nullptr);
    EXPECT_NE(detailModel.GetData()->DetailTexture(), nullptr);
}

TEST_F(KvModelReadTest, AMissingTextureMakesLoadThrow) {
    TestArchive archive;
    KvModelWriter writer = ModelFiles::OneTriangle();
    writer.SetTextures("Nowhere.Tga");
    archive.Add("Data/Models/Lost.Kvm", ModelFiles::Bytes(writer));
    archive.Open();
    KvModel model;
    EXPECT_THROW(model.Load("Lost.Kvm"), OFileNotFound);
}

TEST_F(KvModelReadTest, NamesFillingTheWholeFieldStopAtSixteenCharacters) {
    std::string file = ModelFiles::Bytes(ModelFiles::OneTriangle());
    file.replace(32, 16, "ABCDEFGHIJKLMNOP");
    file.replace(48, 16, "QRSTUVWXYZ012345");
    KvModelHeader header;
    ASSERT_TRUE(KvModelReader::ReadHeader(reinterpret_cast<const uint8_t*>(file.data()),
                                          file.size(), header));
    EXPECT_EQ(header.baseTexture, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(header.detailTexture, "QRSTUVWXYZ012345");
}
