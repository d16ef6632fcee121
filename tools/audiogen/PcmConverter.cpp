#include "audiogen/PcmConverter.h"

#include <algorithm>
#include <cmath>

#include "audiogen/SynthConstants.h"

double PcmConverter::Peak(const std::vector<float>& signal) {
    double peak = 0.0;
    for (float s : signal) {
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
    }
    return peak;
}

std::vector<int16_t> PcmConverter::Normalise(const std::vector<float>& signal, double peakDbfs) {
    std::vector<int16_t> pcm(signal.size(), 0);
    double peak = Peak(signal);
    if (peak <= 0.0 || !std::isfinite(peak)) {
        return pcm;
    }
    double target = 32767.0 * std::pow(10.0, std::min(peakDbfs, 0.0) / 20.0);
    double scale = target / peak;
    for (size_t i = 0; i < signal.size(); ++i) {
        double value = std::round(signal[i] * scale);
        pcm[i] = static_cast<int16_t>(std::clamp(value, -32767.0, 32767.0));
    }
    return pcm;
}

void PcmConverter::FadeEdges(std::vector<float>& signal, double fadeInSeconds,
                             double fadeOutSeconds) {
    size_t fadeIn = std::min(signal.size(), static_cast<size_t>(fadeInSeconds * kSampleRate));
    size_t fadeOut = std::min(signal.size(), static_cast<size_t>(fadeOutSeconds * kSampleRate));
    for (size_t i = 0; i < fadeIn; ++i) {
        signal[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / fadeIn));
    }
    for (size_t i = 0; i < fadeOut; ++i) {
        size_t index = signal.size() - 1 - i;
        signal[index] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / fadeOut));
    }
}
