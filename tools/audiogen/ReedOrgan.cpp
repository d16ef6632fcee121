#include "audiogen/ReedOrgan.h"

#include <cmath>
#include <utility>

#include "audiogen/SineOscillator.h"
#include "audiogen/SynthConstants.h"

ReedOrgan::ReedOrgan(std::vector<float> harmonics, double detuneCents, Envelope envelope)
    : harmonics_(std::move(harmonics)), detuneCents_(detuneCents), envelope_(envelope) {}

std::vector<float> ReedOrgan::Render(const NoteRequest& note) const {
    size_t total = static_cast<size_t>((note.seconds + envelope_.Release()) * kSampleRate);
    std::vector<float> out(total, 0.0f);
    double ratio = std::pow(2.0, detuneCents_ / 1200.0);
    double sets[2] = {note.frequency * ratio, note.frequency / ratio};
    int setCount = detuneCents_ > 0.0 ? 2 : 1;
    for (int set = 0; set < setCount; ++set) {
        for (size_t h = 0; h < harmonics_.size(); ++h) {
            double frequency = sets[set] * static_cast<double>(h + 1);
            if (frequency > kSampleRate * 0.4 || harmonics_[h] == 0.0f) {
                continue;
            }
            double level = harmonics_[h] / setCount;
            // Each reed starts at its own phase so the attack is not a spike.
            SineOscillator oscillator(frequency, 0.7 * static_cast<double>(h + 3 * set));
            for (size_t i = 0; i < total; ++i) {
                out[i] += static_cast<float>(level * oscillator.Next());
            }
        }
    }
    for (size_t i = 0; i < total; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        out[i] *= static_cast<float>(envelope_.Level(t, note.seconds) * note.velocity);
    }
    return out;
}
