#include "data/ScoreWordReader.h"

#include <cctype>
#include <climits>

#include "data/Scrambler.h"

namespace {

// A whole number of key periods, so each chunk starts again at the seed.
constexpr size_t kKeyPeriod = Scrambler::kConfigBound - Scrambler::kConfigSeed + 1;
constexpr size_t kChunkSize = kKeyPeriod * 64;

}  // namespace

ScoreWordReader::ScoreWordReader(FILE* file) : file(file) {}

bool ScoreWordReader::IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool ScoreWordReader::FillChunk() {
    chunk.resize(kChunkSize);
    const size_t got = std::fread(chunk.data(), 1, kChunkSize, file);
    chunk.resize(got);
    position = 0;
    Scrambler::Config(chunk.data(), chunk.size());
    return got > 0;
}

int ScoreWordReader::Peek() {
    if (position >= chunk.size() && !FillChunk()) {
        return EOF;
    }
    return chunk[position];
}

int ScoreWordReader::Next() {
    const int c = Peek();
    if (c != EOF) {
        ++position;
    }
    return c;
}

bool ScoreWordReader::ReadWord(std::string& word) {
    if (hasPending) {
        word = pending;
        hasPending = false;
        return true;
    }
    int c = Next();
    while (c != EOF && IsSpace(static_cast<char>(c))) {
        c = Next();
    }
    if (c == EOF) {
        return false;
    }
    word.clear();
    while (c != EOF && !IsSpace(static_cast<char>(c))) {
        if (word.size() < kMaxWordLength) {
            word += static_cast<char>(c);
        }
        c = Next();
    }
    return true;
}

bool ScoreWordReader::ReadInt(int& value) {
    std::string word;
    if (!ReadWord(word)) {
        return false;
    }
    size_t at = 0;
    const bool negative = word[0] == '-';
    if (word[0] == '-' || word[0] == '+') {
        at = 1;
    }
    const size_t digitsStart = at;
    long long magnitude = 0;
    while (at < word.size() && word[at] >= '0' && word[at] <= '9') {
        magnitude = magnitude * 10 + (word[at] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            return false;
        }
        ++at;
    }
    if (at == digitsStart) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) {
        return false;
    }
    value = static_cast<int>(signedValue);
    if (at < word.size()) {
        pending = word.substr(at);
        hasPending = true;
    }
    return true;
}
