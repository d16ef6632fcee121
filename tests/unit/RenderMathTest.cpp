#include "render/OCamera.h"
#include "render/OMatrix4.h"
#include "render/OVector3.h"
#include "render/RCObject.h"

#include <gtest/gtest.h>

TEST(OVector3, ArithmeticAndProducts) {
    const OVector3 a(1, 2, 3);
    const OVector3 b(4, -5, 6);
    const OVector3 sum = a + b;
    EXPECT_FLOAT_EQ(sum.x, 5);
    EXPECT_FLOAT_EQ(sum.y, -3);
    EXPECT_FLOAT_EQ(sum.z, 9);
    const OVector3 difference = a - b;
    EXPECT_FLOAT_EQ(difference.y, 7);
    EXPECT_FLOAT_EQ((a * 2.0f).z, 6);
    EXPECT_FLOAT_EQ((-a).x, -1);
    EXPECT_FLOAT_EQ(a.Dot(b), 4 - 10 + 18);

    // Right-handed: x cross y is z, and a cross b is perpendicular to both.
    const OVector3 z = OVector3(1, 0, 0).Cross(OVector3(0, 1, 0));
    EXPECT_FLOAT_EQ(z.x, 0);
    EXPECT_FLOAT_EQ(z.y, 0);
    EXPECT_FLOAT_EQ(z.z, 1);
    const OVector3 c = a.Cross(b);
    EXPECT_FLOAT_EQ(c.x, 2 * 6 - 3 * -5);
    EXPECT_FLOAT_EQ(c.y, 3 * 4 - 1 * 6);
    EXPECT_FLOAT_EQ(c.z, 1 * -5 - 2 * 4);
    EXPECT_NEAR(c.Dot(a), 0, 1e-4);
    EXPECT_NEAR(c.Dot(b), 0, 1e-4);

    OVector3 v(1, 1, 1);
    v += a;
    v -= OVector3(2, 3, 4);
    EXPECT_FLOAT_EQ(v.x, 0);
    EXPECT_FLOAT_EQ(v.y, 0);
    EXPECT_FLOAT_EQ(v.z, 0);
}

TEST(OVector3, NormaliseLeavesZeroAloneAndScalesOthersToLengthOne) {
    OVector3 zero;
    zero.Normalize();
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);
    EXPECT_EQ(zero.z, 0);
    OVector3 v(3, 0, 4);
    v.Normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.0f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
}

TEST(OCamera, ViewMatrixIsTheInverseOfTheCameraPlacement) {
    OCamera camera(800, 600, 45, 1, 256);
    EXPECT_FLOAT_EQ(camera.GetWidth(), 800);
    EXPECT_FLOAT_EQ(camera.GetHeight(), 600);
    const OMatrix4 still = camera.BuildViewMatrix();
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(still.m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;

    camera.SetPosition(OVector3(0, 0, 22));
    const OMatrix4 moved = camera.BuildViewMatrix();
    EXPECT_FLOAT_EQ(moved.m[12], 0);
    EXPECT_FLOAT_EQ(moved.m[13], 0);
    EXPECT_FLOAT_EQ(moved.m[14], -22);
    EXPECT_FLOAT_EQ(moved.m[15], 1);
    EXPECT_FLOAT_EQ(moved.m[3], 0);
    EXPECT_FLOAT_EQ(moved.m[10], 1);

    // A point at the camera's position lands at the eye (origin).
    camera.SetPosition(OVector3(3, -4, 7));
    const OMatrix4 view = camera.BuildViewMatrix();
    const float p[4] = {3, -4, 7, 1};
    for (int row = 0; row < 3; ++row) {
        float value = 0;
        for (int column = 0; column < 4; ++column)
            value += view.At(row, column) * p[column];
        EXPECT_NEAR(value, 0, 1e-5) << row;
    }
}

namespace {
class Counted : public RCObject {
public:
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() override { ++*destroyed; }

private:
    int* destroyed;
};
}  // namespace

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
