#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// The keyed text store behind every data text of the game: loads a text,
// parses it into a map from dotted key ("Rail.Left") to the raw value text,
// answers typed queries with caller defaults, takes typed assignments and
// writes the map back in a fixed tab-indented layout.
//
// Every loader, getter and saver sets the error flag (0 success, 1 failure);
// setters leave it alone. Returned arrays and C strings are owned by the
// caller and released with delete[].
class OConfigFile {
public:
    // Longest full dotted path of a key or block. Every key and block path is
    // stored whole, so a text nesting deeper and deeper would otherwise need
    // memory growing with the square of its length; a longer path fails the
    // parse like a syntax error. The game's files use paths of a few bytes.
    static constexpr size_t kMaxPathLength = 256;

    OConfigFile() = default;

    // Loaders: each empties the map, the lists and the text first (except
    // LoadScrambled on a missing file) and returns the parse result (0/1).
    int LoadFile(const char* path);
    int LoadMemory(const char* data, size_t count);
    int LoadString(const char* text);
    int LoadScrambled(const char* path);

    int GetInt(const std::string& key, int defaultValue);
    float GetFloat(const std::string& key, float defaultValue);
    int* GetIntArray(const std::string& key, int& count, char separator);
    float* GetFloatArray(const std::string& key, int& count, char separator);
    std::string GetString(const std::string& key, const std::string& defaultValue);
    char* GetCString(const std::string& key, const char* defaultValue);
    char* GetCharGrid(const std::string& key, int& width, int& height, char pad,
                      const char* defaultValue);

    bool HasBlock(const std::string& path) const;
    // Like the block and key lists, these keep repeats: a block opened twice
    // or a key written twice is listed twice.
    std::vector<std::string> ListBlocks(const std::string& parent) const;
    std::vector<std::string> ListKeys(const std::string& parent) const;

    void SetInt(const std::string& key, int value);
    void SetFloat(const std::string& key, float value);
    void SetIntArray(const std::string& key, const int* values, int count, char separator);
    void SetFloatArray(const std::string& key, const float* values, int count, char separator);
    void SetString(const std::string& key, const std::string& value);
    void SetCharGrid(const std::string& key, const char* grid, int width, int height);

    // Savers: 0 and flag 0 on success, 1 and flag 1 when the file cannot be
    // written (the old file is then left as it was). The bytes go to a
    // temporary file beside the target that is then renamed over it.
    int SaveScrambled(const char* path);
    int SaveFile(const char* path);

    // The text both savers write.
    std::string Serialize() const;

    int GetError() const { return errorFlag; }
    const std::map<std::string, std::string>& Values() const { return values; }
    const std::vector<std::string>& Blocks() const { return blockList; }
    const std::vector<std::string>& Keys() const { return keyList; }
    const std::string& Text() const { return text; }

private:
    void Clear();
    int Parse();
    // Replaces the text by the given bytes cut into lines at the separator,
    // every line followed by one line feed.
    void FillText(const char* data, size_t count, char lineSeparator);
    int Finish(int result) { return errorFlag = result; }
    // The raw value of a key, or null (flag 1) when it is absent.
    const std::string* Find(const std::string& key);
    int WriteSerialized(const char* path, bool scrambled);

    int errorFlag = 0;
    std::map<std::string, std::string> values;
    std::vector<std::string> blockList;
    std::vector<std::string> keyList;
    std::string text;
};
