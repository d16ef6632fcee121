#include "audiogen/SineOscillator.h"

#include <cmath>

#include "audiogen/SynthConstants.h"

SineOscillator::SineOscillator(double frequency, double startPhase)
    : sine_(std::sin(startPhase)),
      cosine_(std::cos(startPhase)),
      stepSin_(std::sin(kTwoPi * frequency / kSampleRate)),
      stepCos_(std::cos(kTwoPi * frequency / kSampleRate)) {}
