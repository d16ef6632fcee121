#pragma once

#include "render/OVector3.h"

// One puff of smoke.
struct SmokeParticle {
    OVector3 position;
    // Units per millisecond.
    OVector3 velocity;
    float colour[4] = {};
    // Change of the colour per millisecond.
    float colourRate[4] = {};
    double life = 0.0;
    double halfSize = 0.0;
    // Half-size units per millisecond.
    double growth = 0.0;
};
