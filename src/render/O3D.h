#pragma once

#include "render/OVector3.h"

// An object placed in space. Its transform is four rows of four floats: the
// right, up and back axes (x, y, z, 0) and the position (x, y, z, 1). Read as a
// column-major matrix it is the object-to-world transform.
class O3D {
public:
    O3D();
    virtual ~O3D() = default;

    // Hook for derived objects, called once per frame by whoever owns them.
    virtual void Tick() {}
    // Debugging aid: red, green and blue lines along the right, up and back
    // axes from the position.
    virtual void DrawAxes();
    // Query hook for derived classes; plain objects answer false.
    virtual bool IsVisible() const { return false; }

    OVector3 GetRight() const { return Row(0); }
    OVector3 GetUp() const { return Row(1); }
    OVector3 GetBack() const { return Row(2); }
    OVector3 GetPosition() const { return Row(3); }
    void SetPosition(const OVector3& position);
    const float* GetTransform() const { return &transform[0][0]; }

protected:
    OVector3 Row(int row) const;

    float transform[4][4];
};
