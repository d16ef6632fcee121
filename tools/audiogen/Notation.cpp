#include "audiogen/Notation.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

namespace {
int LetterSemitone(char letter) {
    switch (letter) {
        case 'c':
            return 0;
        case 'd':
            return 2;
        case 'e':
            return 4;
        case 'f':
            return 5;
        case 'g':
            return 7;
        case 'a':
            return 9;
        case 'b':
            return 11;
        default:
            throw std::invalid_argument(std::string("not a note letter: ") + letter);
    }
}

double ParseLength(const std::string& text, const std::string& token) {
    size_t used = 0;
    double beats = 0.0;
    try {
        beats = std::stod(text, &used);
    } catch (const std::exception&) {
        throw std::invalid_argument("bad length in " + token);
    }
    if (used != text.size() || !(beats > 0.0) || beats > 64.0) {
        throw std::invalid_argument("bad length in " + token);
    }
    return beats;
}
// Bar lines only help the reader; they count as spaces.
std::string WithoutBarLines(std::string text) {
    std::replace(text.begin(), text.end(), '|', ' ');
    return text;
}
}  // namespace

int Notation::Pitch(const std::string& name) {
    if (name.size() < 2 || name.size() > 3) {
        throw std::invalid_argument("bad note name: " + name);
    }
    int semitone =
        LetterSemitone(static_cast<char>(std::tolower(static_cast<unsigned char>(name[0]))));
    size_t index = 1;
    if (name.size() == 3) {
        if (name[1] == '#') {
            ++semitone;
        } else if (name[1] == 'b') {
            --semitone;
        } else {
            throw std::invalid_argument("bad accidental in " + name);
        }
        index = 2;
    }
    if (!std::isdigit(static_cast<unsigned char>(name[index]))) {
        throw std::invalid_argument("bad octave in " + name);
    }
    int octave = name[index] - '0';
    return 12 * (octave + 1) + semitone;
}

std::vector<WrittenNote> Notation::Parse(const std::string& text, double startBeat) {
    std::vector<WrittenNote> notes;
    std::istringstream tokens(WithoutBarLines(text));
    std::string token;
    double beat = startBeat;
    while (tokens >> token) {
        size_t colon = token.find(':');
        if (colon == std::string::npos) {
            throw std::invalid_argument("missing length in " + token);
        }
        std::string name = token.substr(0, colon);
        double beats = ParseLength(token.substr(colon + 1), token);
        if (name != "r") {
            notes.push_back(WrittenNote{beat, beats, Pitch(name)});
        }
        beat += beats;
    }
    return notes;
}

double Notation::Length(const std::string& text) {
    std::istringstream tokens(WithoutBarLines(text));
    std::string token;
    double total = 0.0;
    while (tokens >> token) {
        size_t colon = token.find(':');
        if (colon != std::string::npos) {
            total += ParseLength(token.substr(colon + 1), token);
        }
    }
    return total;
}
