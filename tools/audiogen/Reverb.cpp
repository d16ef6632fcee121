#include "audiogen/Reverb.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {
constexpr std::array<size_t, 6> kCombLengths = {1116, 1277, 1356, 1491, 1557, 1617};
constexpr std::array<size_t, 3> kAllPassLengths = {556, 441, 341};
constexpr size_t kWarmUpSamples = 6 * 44100;

struct Comb {
    std::vector<float> line;
    size_t index = 0;
    float store = 0.0f;

    float Process(float x, float feedback, float damping) {
        float out = line[index];
        store = out * (1.0f - damping) + store * damping;
        line[index] = x + store * feedback;
        if (++index == line.size()) {
            index = 0;
        }
        return out;
    }
};

struct AllPass {
    std::vector<float> line;
    size_t index = 0;

    float Process(float x) {
        float delayed = line[index];
        float out = delayed - x;
        line[index] = x + delayed * 0.5f;
        if (++index == line.size()) {
            index = 0;
        }
        return out;
    }
};
}  // namespace

Reverb::Reverb(float roomSize, float damping) : roomSize_(roomSize), damping_(damping) {}

std::vector<float> Reverb::ProcessLoop(const std::vector<float>& loop) const {
    std::vector<Comb> combs;
    for (size_t length : kCombLengths) {
        combs.push_back(Comb{std::vector<float>(length, 0.0f)});
    }
    std::vector<AllPass> allPasses;
    for (size_t length : kAllPassLengths) {
        allPasses.push_back(AllPass{std::vector<float>(length, 0.0f)});
    }
    // Warming up on the loop's last seconds is enough: older echoes have
    // died away by then.
    size_t warmUp = std::min(loop.size(), kWarmUpSamples);
    std::vector<float> wet(loop.size(), 0.0f);
    auto step = [&](float x) {
        float input = x * 0.1f;
        float sum = 0.0f;
        for (Comb& comb : combs) {
            sum += comb.Process(input, roomSize_, damping_);
        }
        for (AllPass& allPass : allPasses) {
            sum = allPass.Process(sum);
        }
        return sum;
    };
    for (size_t i = loop.size() - warmUp; i < loop.size(); ++i) {
        step(loop[i]);
    }
    for (size_t i = 0; i < loop.size(); ++i) {
        wet[i] = step(loop[i]);
    }
    return wet;
}
