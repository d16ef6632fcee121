#include "render/OVector3.h"

#include <cmath>

void OVector3::Set(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
}

OVector3 OVector3::operator+(const OVector3& other) const {
    return {x + other.x, y + other.y, z + other.z};
}

OVector3 OVector3::operator-(const OVector3& other) const {
    return {x - other.x, y - other.y, z - other.z};
}

OVector3 OVector3::operator*(float factor) const {
    return {x * factor, y * factor, z * factor};
}

OVector3 OVector3::operator-() const {
    return {-x, -y, -z};
}

OVector3& OVector3::operator+=(const OVector3& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

OVector3& OVector3::operator-=(const OVector3& other) {
    x -= other.x;
    y -= other.y;
    z -= other.z;
    return *this;
}

float OVector3::Dot(const OVector3& other) const {
    return x * other.x + y * other.y + z * other.z;
}

OVector3 OVector3::Cross(const OVector3& other) const {
    return {y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x};
}

float OVector3::Length() const {
    return std::sqrt(Dot(*this));
}

void OVector3::Normalize() {
    const float length = Length();
    if (length == 0.0f) {
        return;
    }
    x /= length;
    y /= length;
    z /= length;
}
