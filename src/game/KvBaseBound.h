#pragma once

#include <cstdint>
#include <string>

#include "render/OVector3.h"

// Base of particle emitters: where particles are born, the timer of timed
// births and whether timed births are held back.
class KvBaseBound {
public:
    KvBaseBound() = default;
    virtual KvBaseBound* Clone() const;
    virtual ~KvBaseBound();
    virtual void Start() {}
    // Hooks for emitters that need them; empty here.
    virtual void Reset() {}
    virtual void Update(const double& dt) {}
    virtual void Draw() {}
    virtual void Configure(int32_t first, int32_t second) {}
    virtual void Emit(int count) {}
    virtual void SetLabel(std::string label) {}

    bool stopped = false;
    double emissionTimer = 0.0;
    OVector3 position;
};
