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
    // Added to the file name of a damaged file kept beside the new table.
    static constexpr const char* kDamagedSuffix = ".bad";

    OScoreTable(std::string fileName, int capacity, const std::string& pictureName);
    ~OScoreTable();

    // False only when the file cannot be opened; the table is then unchanged.
    bool Load();
    // Writes a temporary file and renames it over the table's file; false
    // when that fails (the old file is then left as it was and the log says
    // why).
    bool Save();
    void Reset();
    // Renames the table's file to its name plus kDamagedSuffix (replacing an
    // older one), so a fresh table can be written without throwing away what
    // the damaged file held. False when the rename fails.
    bool SetAsideDamagedFile();
    bool Qualifies(int score) const;
    void Insert(const std::string& name, int score, const std::string& difficulty);
    const ScoreEntry& GetEntry(size_t index) const;  // std::out_of_range past the end
    size_t GetCount() const { return entries.size(); }
    int GetCapacity() const { return capacity; }
    const std::string& GetFileName() const { return fileName; }
    // The table's picture, or null (the game's table has none).
    const OTexture* GetPicture() const { return picture; }

private:
    OTexture* picture = nullptr;
    std::vector<std::unique_ptr<ScoreEntry>> entries;
    std::string fileName;
    int capacity;
};
