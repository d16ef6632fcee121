#pragma once

#include <cstdint>
#include <vector>

// The short one-shot sounds other than the engine's: the whistle, the
// signal bell, the block sounds and the interface ticks.
class SoundEffects {
public:
    // "Too-too": two blasts of a two-chime steam whistle.
    static std::vector<float> Whistle();
    // A small signal bell struck twice.
    static std::vector<float> SignalBell();
    // A block turned: a ratchet's quick run of clicks.
    static std::vector<float> Ratchet();
    // A block moved: wood sliding on wood, settling with a soft thud.
    static std::vector<float> WoodSlide();
    // A move refused: a dull knock.
    static std::vector<float> Knock();
    // Pointer over a control: a soft, short tick.
    static std::vector<float> Tick();
    // A control clicked.
    static std::vector<float> Click();

private:
    static std::vector<float> WhistleBlast(double seconds, uint64_t seed);
    static std::vector<float> BellStrike(double seconds);
    static std::vector<float> WoodTap(double frequency, double decaySeconds, uint64_t seed);
};
