#include "audiogen/PluckedString.h"

#include <algorithm>
#include <cmath>

#include "audiogen/NoiseSource.h"
#include "audiogen/SynthConstants.h"

namespace {
constexpr double kDampSeconds = 0.12;  // fade after the note is let go
}

PluckedString::PluckedString(float brightness, double ringSeconds)
    : brightness_(brightness), ringSeconds_(ringSeconds) {}

std::vector<float> PluckedString::Render(const NoteRequest& note) const {
    // The averaging filter delays by half a sample; a first-order all-pass
    // supplies the fractional rest so the string is in tune.
    double period = kSampleRate / note.frequency - 0.5;
    size_t whole = static_cast<size_t>(std::floor(period));
    double fraction = period - static_cast<double>(whole);
    if (fraction < 0.1 && whole > 2) {
        --whole;
        fraction += 1.0;
    }
    double allPass = (1.0 - fraction) / (1.0 + fraction);

    std::vector<float> line(std::max<size_t>(whole, 2));
    NoiseSource noise(note.seed);
    float smooth = 0.0f;
    float pluck = 0.25f + 0.7f * brightness_ * note.velocity;
    for (float& s : line) {
        smooth += pluck * (noise.Next() - smooth);
        s = smooth;
    }

    // Loss per trip round the string for the requested ring time.
    double trips = ringSeconds_ * note.frequency;
    double loss = std::pow(0.001, 1.0 / std::max(trips, 1.0));
    size_t held = static_cast<size_t>(note.seconds * kSampleRate);
    size_t total = held + static_cast<size_t>(kDampSeconds * kSampleRate);
    std::vector<float> out(total);
    size_t index = 0;
    double previous = 0.0;
    double apIn = 0.0;
    double apOut = 0.0;
    for (size_t i = 0; i < total; ++i) {
        double current = line[index];
        double averaged = 0.5 * (current + previous) * loss;
        previous = current;
        double tuned = allPass * averaged + apIn - allPass * apOut;
        apIn = averaged;
        apOut = tuned;
        line[index] = static_cast<float>(tuned);
        index = (index + 1) % line.size();
        double gain = 1.0;
        if (i >= held) {
            double fall = 1.0 - static_cast<double>(i - held) / (total - held);
            gain = fall * fall;
        }
        out[i] = static_cast<float>(current * gain * note.velocity);
    }
    // A short fade-in keeps the first sample of the pluck from clicking.
    for (size_t i = 0; i < std::min<size_t>(32, total); ++i) {
        out[i] *= static_cast<float>(i) / 32.0f;
    }
    return out;
}
