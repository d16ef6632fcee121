#include "render/OCamera.h"
#include "render/OMatrix4.h"
#include "render/OVector3.h"
#include "render/RCObject.h"

#include <gtest/gtest.h>

namespace {

void ExpectVector(const OVector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

class Counted : public RCObject {
public:
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() override { ++*destroyed; }

private:
    int* destroyed;
};

}  // namespace

TEST(OVector3, ArithmeticProductsAndNormalising) {
    const OVector3 a(1, 2, 3), b(4, -5, 6);
    ExpectVector(a + b, 5, -3, 9);
    ExpectVector(a - b * 2.0f + (-a), -8, 10, -12);
    OVector3 sum = a;
    (sum += b) -= a;
    ExpectVector(sum, 4, -5, 6);
    EXPECT_FLOAT_EQ(a.Dot(b), 4 - 10 + 18);
    // Right-handed: x cross y is z.
    ExpectVector(OVector3(1, 0, 0).Cross(OVector3(0, 1, 0)), 0, 0, 1);
    ExpectVector(a.Cross(b), 2 * 6 - 3 * -5, 3 * 4 - 1 * 6, 1 * -5 - 2 * 4);
    // Normalising leaves the zero vector alone and scales others to length one.
    OVector3 zero, v(3, 0, 4);
    zero.Normalize();
    ExpectVector(zero, 0, 0, 0);
    v.Normalize();
    ExpectVector(v, 0.6f, 0, 0.8f);
}

TEST(OCamera, ViewMatrixIsTheInverseOfTheCameraPlacement) {
    OCamera camera(800, 600, 45, 1, 256);
    EXPECT_FLOAT_EQ(camera.GetWidth(), 800);
    EXPECT_FLOAT_EQ(camera.GetHeight(), 600);
    const OMatrix4 still = camera.BuildViewMatrix();
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(still.m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
    }
    // A point at the camera's position lands at the eye (origin), whatever
    // the position; the matrix keeps w.
    for (const OVector3& at : {OVector3(0, 0, 22), OVector3(3, -4, 7)}) {
        camera.SetPosition(at);
        const OMatrix4 view = camera.BuildViewMatrix();
        const float p[4] = {at.x, at.y, at.z, 1};
        for (int row = 0; row < 4; ++row) {
            float value = 0;
            for (int column = 0; column < 4; ++column) {
                value += view.At(row, column) * p[column];
            }
            EXPECT_NEAR(value, row == 3 ? 1 : 0, 1e-5) << row;
        }
    }
    EXPECT_FLOAT_EQ(camera.BuildViewMatrix().m[10], 1) << "no turn";
}

TEST(RCObject, DeletesItselfWhenTheLastReferenceGoes) {
    int destroyed = 0;
    auto* object = new Counted(&destroyed);
    EXPECT_TRUE(object->IsShareable());
    object->AddReference();
    object->AddReference();
    EXPECT_TRUE(object->IsShared());
    EXPECT_FALSE(object->RemoveReference());
    EXPECT_FALSE(object->IsShared());
    EXPECT_EQ(destroyed, 0);
    EXPECT_TRUE(object->RemoveReference());
    EXPECT_EQ(destroyed, 1);
    Counted unshared(&destroyed);
    unshared.MarkUnshareable();
    EXPECT_FALSE(unshared.IsShareable());
}
