#pragma once

#include <functional>

// The game's random numbers: the C library generator, reseeded from the
// system tick count at every level load. Values are cut to 0..32767 so the
// formulas behave the same whatever the library's RAND_MAX is. Tests replace
// the seed source to make levels, items and smoke reproducible.
class GameRandom {
public:
    static constexpr int kMax = 32767;
    using SeedSource = std::function<unsigned()>;

    // Seeds the generator from the seed source (the tick count by default).
    static void SeedForLevel();
    // An empty source restores the tick count.
    static void SetSeedSource(SeedSource source);

    // Next value, 0..32767.
    static int Next();
    // a + (r mod (b - a + 1)).
    static int Between(int a, int b);
    // a + (b - a) * r / 32767.
    static double Uniform(double a, double b);

    // Milliseconds since the system started.
    static unsigned TickCount();
};
