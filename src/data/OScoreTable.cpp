#include "data/OScoreTable.h"

#include "render/OTexture.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "data/AtomicFile.h"
#include "data/ScoreWordReader.h"
#include "data/Scrambler.h"

namespace {

// A word of the file is whitespace-free; a name or difficulty that would
// break the word list is written so that it still reads back as one word.
std::string AsWord(const std::string& text, const char* whenEmpty) {
    if (text.empty()) {
        return whenEmpty;
    }
    std::string word = text;
    for (char& c : word) {
        if (ScoreWordReader::IsSpace(c)) {
            c = '_';
        }
    }
    return word;
}

}  // namespace

OScoreTable::OScoreTable(std::string fileName, int capacity, const std::string& pictureName)
    : fileName(std::move(fileName)), capacity(capacity) {
    // Shorter names (the game passes an empty one) mean no picture.
    if (pictureName.size() > 4) {
        // Held by a smart pointer until loaded: a missing picture throws
        // before the destructor could release it.
        auto loaded = std::make_unique<OTexture>();
        loaded->Load(pictureName, true);
        picture = loaded.release();
    }
}

OScoreTable::~OScoreTable() {
    delete picture;
}

bool OScoreTable::Load() {
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    ScoreWordReader reader(file);
    std::vector<std::unique_ptr<ScoreEntry>> loaded;
    while (loaded.size() < kMaxRecords) {
        auto entry = std::make_unique<ScoreEntry>();
        if (!reader.ReadWord(entry->name) || !reader.ReadInt(entry->score) ||
            !reader.ReadWord(entry->difficulty)) {
            break;
        }
        std::replace(entry->name.begin(), entry->name.end(), '_', ' ');
        loaded.push_back(std::move(entry));
    }
    std::fclose(file);
    entries = std::move(loaded);
    return true;
}

bool OScoreTable::Save() {
    std::string text;
    for (const auto& entry : entries) {
        text += AsWord(entry->name, "_");
        text += '\n';
        text += std::to_string(entry->score);
        text += '\n';
        text += AsWord(entry->difficulty, "...");
        text += '\n';
    }
    Scrambler::Config(reinterpret_cast<uint8_t*>(text.data()), text.size());

    // Written beside the old file and renamed over it, so a failed write never
    // leaves a truncated table behind.
    return AtomicFile::Write(fileName.c_str(), text.data(), text.size());
}

void OScoreTable::Reset() {
    entries.clear();
    for (int i = 0; i < capacity; ++i) {
        entries.push_back(std::make_unique<ScoreEntry>());
    }
    Save();
}

bool OScoreTable::SetAsideDamagedFile() {
    const std::string kept = fileName + kDamagedSuffix;
    return std::rename(fileName.c_str(), kept.c_str()) == 0;
}

bool OScoreTable::Qualifies(int score) const {
    const auto greater = std::count_if(entries.begin(), entries.end(),
                                       [score](const auto& entry) { return entry->score > score; });
    return greater < capacity;
}

void OScoreTable::Insert(const std::string& name, int score, const std::string& difficulty) {
    auto entry = std::make_unique<ScoreEntry>();
    entry->name = name;
    entry->score = score;
    entry->difficulty = difficulty;
    entries.push_back(std::move(entry));
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a->score > b->score; });
    entries.pop_back();
    Save();
}

const ScoreEntry& OScoreTable::GetEntry(size_t index) const {
    return *entries.at(index);
}
