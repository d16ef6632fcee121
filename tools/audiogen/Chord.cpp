#include "audiogen/Chord.h"

#include <cctype>
#include <stdexcept>
#include <utility>

#include "audiogen/Notation.h"

Chord::Chord(int root, std::vector<int> intervals)
    : root_(root), intervals_(std::move(intervals)) {}

Chord Chord::Parse(const std::string& name) {
    if (name.empty()) {
        throw std::invalid_argument("empty chord name");
    }
    size_t rootLength = name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1;
    std::string rootName = name.substr(0, rootLength);
    rootName[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(rootName[0])));
    int root = ((Notation::Pitch(rootName + "4") % 12) + 12) % 12;
    std::string quality = name.substr(rootLength);
    if (quality.empty()) {
        return Chord(root, {0, 4, 7});
    }
    if (quality == "m") {
        return Chord(root, {0, 3, 7});
    }
    if (quality == "7") {
        return Chord(root, {0, 4, 7, 10});
    }
    if (quality == "m7") {
        return Chord(root, {0, 3, 7, 10});
    }
    if (quality == "maj7") {
        return Chord(root, {0, 4, 7, 11});
    }
    throw std::invalid_argument("unknown chord quality: " + name);
}

int Chord::RootAtOrAbove(int lowest) const {
    int pitch = lowest;
    while (((pitch % 12) + 12) % 12 != root_) {
        ++pitch;
    }
    return pitch;
}

std::vector<int> Chord::Voicing(int lowest) const {
    int root = RootAtOrAbove(lowest);
    std::vector<int> pitches;
    for (int interval : intervals_) {
        pitches.push_back(root + interval);
    }
    return pitches;
}
