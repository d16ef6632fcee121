#pragma once

#include <string>
#include <vector>

// A note written in a tune: when it starts and how long it lasts (in beats)
// and its MIDI pitch (60 = middle C).
struct WrittenNote {
    double beat = 0.0;
    double beats = 1.0;
    int pitch = 60;
};

// Reads tunes written as text, one token per note or rest:
//   "d5:1 f#5:0.5 a5:0.5 r:1 bb4:2"
// A token is a note name (a..g), an optional sharp '#' or flat 'b', an
// octave digit, ':' and the length in beats; "r:" is a rest. Tokens are
// separated by spaces; '|' may mark bar lines and is ignored.
class Notation {
public:
    // Throws std::invalid_argument on a malformed token.
    static std::vector<WrittenNote> Parse(const std::string& text, double startBeat = 0.0);
    // Total length in beats of the written notes and rests.
    static double Length(const std::string& text);
    // MIDI pitch of a name such as "c#4"; throws std::invalid_argument.
    static int Pitch(const std::string& name);
};
