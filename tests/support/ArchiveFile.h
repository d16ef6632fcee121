#pragma once

#include "data/Scrambler.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Writes a game archive for tests: a 32-byte header whose word at offset 8 is
// the record count, the directory records, then the entries' data. Names and
// the first bytes of every entry are scrambled as the game expects.
class ArchiveFile {
public:
    void Add(const std::string& name, const std::string& data) { entries.emplace_back(name, data); }

    std::string Bytes() const {
        std::string directory;
        size_t directorySize = 0;
        for (const auto& entry : entries)
            directorySize += 12 + entry.first.size();
        size_t offset = 32 + directorySize;
        std::string data;
        for (const auto& entry : entries) {
            std::string name = Scrambled(entry.first);
            AppendWord(directory, static_cast<uint32_t>(12 + name.size()));
            AppendWord(directory, static_cast<uint32_t>(entry.second.size()));
            AppendWord(directory, static_cast<uint32_t>(offset));
            directory += name;
            data += Scrambled(entry.second);
            offset += entry.second.size();
        }
        std::string header(32, '\0');
        header[8] = static_cast<char>(entries.size() & 0xFF);
        header[9] = static_cast<char>((entries.size() >> 8) & 0xFF);
        return header + directory + data;
    }

private:
    static void AppendWord(std::string& out, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    static std::string Scrambled(std::string bytes) {
        Scrambler::Archive(reinterpret_cast<uint8_t*>(&bytes[0]),
                           std::min(bytes.size(), Scrambler::kArchiveScrambledBytes));
        return bytes;
    }

    std::vector<std::pair<std::string, std::string>> entries;
};
