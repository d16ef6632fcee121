#pragma once

// A point or direction in space: three floats. In the 2D projection a
// position is (x, y, 0) in virtual pixels with y upward.
struct OVector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    OVector3() = default;
    OVector3(float x, float y, float z) : x(x), y(y), z(z) {}

    void Set(float newX, float newY, float newZ);

    OVector3 operator+(const OVector3& other) const;
    OVector3 operator-(const OVector3& other) const;
    OVector3 operator*(float factor) const;
    OVector3 operator-() const;
    OVector3& operator+=(const OVector3& other);
    OVector3& operator-=(const OVector3& other);

    float Dot(const OVector3& other) const;
    OVector3 Cross(const OVector3& other) const;
    float Length() const;
    // Scales to length 1; a zero vector stays zero.
    void Normalize();
};
