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
    OScoreTable(std::string fileName, int capacity, const std::string& pictureName);
    ~OScoreTable();

    bool Load();
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
