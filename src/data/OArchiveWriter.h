#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Builds a resource archive: the header tagged "KVR1" with the record count in
// word 2, the directory of scrambled names, then every entry's data with its
// first bytes scrambled. Entries are written in the order they were added, so
// the same entries in the same order give the same bytes.
class OArchiveWriter {
public:
    static constexpr const char kTag[5] = "KVR1";

    void Add(const std::string& name, std::vector<uint8_t> data);
    // Adds every regular file below folder, named by its path relative to the
    // folder's parent with "/" separators ("staging/Data/Rails.Txt" becomes
    // "Data/Rails.Txt"), sorted by name. False (with a message) on a read error.
    bool AddFolder(const std::filesystem::path& folder, std::string& error);

    size_t GetCount() const { return entries.size(); }

    // The whole archive; false (with a message) when it outgrows the 32-bit
    // offsets and sizes of the format.
    bool Build(std::vector<uint8_t>& archive, std::string& error) const;
    // Writes the archive through a temporary file renamed over the target, so
    // a failed write leaves any old archive intact.
    bool Write(const std::string& path, std::string& error) const;

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> data;
    };
    std::vector<Entry> entries;
};
