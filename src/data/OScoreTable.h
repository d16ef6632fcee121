#pragma once

#include <memory>
#include <string>
#include <vector>

class OTexture;

struct ScoreEntry {
    std::string name = "...";
    std::string difficulty = "...";
    int score = 0;
};

// The best scores with name and difficulty, persisted as a scrambled word
// list ("Data/TP.Kv" for the game's table).
class OScoreTable {
public:
    // A damaged file is read no further than this many records.
    static constexpr size_t kMaxRecords = 1000;

    OScoreTable(std::string fileName, int capacity, const std::string& pictureName);
    ~OScoreTable();

    // False only when the file cannot be opened; the table is then unchanged.
    bool Load();
    // Writes a temporary file and renames it over the table's file; false
    // when that fails (the old file is then left as it was).
    bool Save();
    void Reset();
    bool Qualifies(int score) const;
    void Insert(const std::string& name, int score, const std::string& difficulty);
    const ScoreEntry& GetEntry(size_t index) const;  // std::out_of_range past the end
    size_t GetCount() const { return entries.size(); }
    int GetCapacity() const { return capacity; }
    const std::string& GetFileName() const { return fileName; }

private:
    std::vector<std::unique_ptr<ScoreEntry>> entries;
    std::string fileName;
    int capacity;
};
