#pragma once

// Every generated sound and tune is mono 16-bit PCM at this rate.
constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
