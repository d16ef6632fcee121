#pragma once

#include <string>
#include <vector>

// A chord named the way musicians write it: "D", "Em", "A7", "Gmaj7", "Bm7",
// "F#m". Gives the root and the chord's pitches near a chosen register.
class Chord {
public:
    // Throws std::invalid_argument on a name it cannot read.
    static Chord Parse(const std::string& name);

    // Root pitch class, 0 = C .. 11 = B.
    int Root() const { return root_; }
    // Intervals above the root in semitones, root (0) first.
    const std::vector<int>& Intervals() const { return intervals_; }
    // The root's MIDI pitch in the octave starting at `lowest`.
    int RootAtOrAbove(int lowest) const;
    // The chord's pitches stacked upward from the root at or above `lowest`.
    std::vector<int> Voicing(int lowest) const;

private:
    Chord(int root, std::vector<int> intervals);

    int root_;
    std::vector<int> intervals_;
};
