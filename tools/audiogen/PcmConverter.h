#pragma once

#include <cstdint>
#include <vector>

// Turns a synthesised signal into 16-bit samples with its loudest sample at
// a chosen level below full scale, so nothing clips.
class PcmConverter {
public:
    // peakDbfs is negative (for example -1.0); a silent signal stays silent.
    static std::vector<int16_t> Normalise(const std::vector<float>& signal, double peakDbfs);
    static double Peak(const std::vector<float>& signal);
    // Short raised-cosine fades at both ends of a one-shot sound.
    static void FadeEdges(std::vector<float>& signal, double fadeInSeconds, double fadeOutSeconds);
};
