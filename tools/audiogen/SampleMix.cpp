#include "audiogen/SampleMix.h"

#include <cmath>

#include "audiogen/SynthConstants.h"

size_t SampleMix::Samples(double seconds) {
    return static_cast<size_t>(std::llround(seconds * kSampleRate));
}

void SampleMix::AddAt(std::vector<float>& target, const std::vector<float>& sound, double atSeconds,
                      float gain) {
    const size_t start = Samples(atSeconds);
    for (size_t i = 0; i < sound.size() && start + i < target.size(); ++i) {
        target[start + i] += sound[i] * gain;
    }
}
