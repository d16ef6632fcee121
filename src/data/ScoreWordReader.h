#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Reads the high-score file's words one by one, unscrambling it in fixed
// chunks on the way, so neither a huge file nor an enormous word makes memory
// grow: words longer than kMaxWordLength keep only their first bytes.
class ScoreWordReader {
public:
    static constexpr size_t kMaxWordLength = 256;

    explicit ScoreWordReader(FILE* file);

    // The next whitespace-delimited word; false at the end of the file.
    bool ReadWord(std::string& word);
    // An optionally signed decimal integer at the start of the next word, as a
    // formatted stream read takes it: what follows its digits in the same word
    // is left for the next read. False when there is no number or it does not
    // fit 32 bits.
    bool ReadInt(int& value);

    static bool IsSpace(char c);

private:
    int Peek();
    int Next();
    bool FillChunk();

    FILE* file;
    std::vector<uint8_t> chunk;
    size_t position = 0;
    std::string pending;
    bool hasPending = false;
};
