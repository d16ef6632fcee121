#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

// One directory record of the archive, its name unscrambled.
struct ArchiveEntry {
    uint32_t recordLength = 0;
    uint32_t dataSize = 0;
    uint32_t dataOffset = 0;
    std::string name;
};

// The read-only game data in "Data/Resource.Kvr". The directory is read once;
// every Open reads one entry into a fresh buffer the caller owns.
class OResourceArchive {
public:
    static constexpr const char* kDefaultPath = "Data/Resource.Kvr";
    static constexpr size_t kHeaderSize = 32;

    static OResourceArchive& Instance();

    explicit OResourceArchive(std::string path = kDefaultPath);

    // Reads header and directory; false when the archive cannot be opened.
    // A damaged directory (a record length below 12, a name running past the
    // end of the file, more records than the file holds) stops being read at
    // the first bad record; the records before it stay usable. Every damage
    // found is described in GetDamage.
    bool ReadDirectory();

    // What the last ReadDirectory found wrong with the file, one line per
    // fault naming the record (counted from 1) and why: a directory that
    // breaks off, entries whose data runs past the end. Empty for an intact
    // archive (and for one that could not be opened at all).
    const std::vector<std::string>& GetDamage() const { return damage; }
    // Why Open(name) gives nothing, for error records: the archive cannot be
    // opened (and the system's reason), is damaged (and how), or holds no
    // such entry. Empty when nothing is wrong.
    std::string Explain(const std::string& name) const;

    // The entry's bytes followed by one NUL (release with delete[]), or null
    // for an unknown name, an archive that cannot be opened or an entry whose
    // data runs past the end of the file. Sets lastSize on success only.
    uint8_t* Open(const std::string& name);
    // The archive file opened and placed at the entry's first byte, for
    // readers that take the entry piece by piece (the music; close it with
    // fclose), with the entry's size; null for an unknown name, an archive
    // that cannot be opened or an entry whose data runs past the end of the
    // file.
    FILE* OpenAt(const std::string& name, uint32_t& size) const;
    // Recorded size of the entry, 0 for an unknown name.
    uint32_t GetSize(const std::string& name) const;
    bool Contains(const std::string& name) const;

    // Points the archive at another file and forgets the directory (tests and
    // tools).
    void SetPath(const std::string& newPath);
    const std::string& GetPath() const { return path; }
    const std::map<std::string, std::unique_ptr<ArchiveEntry>>& Directory() const {
        return directory;
    }

    // One of the header's eight words as read; word 2 is the record count.
    uint32_t GetHeaderWord(size_t index) const { return index < 8 ? header[index] : 0; }

    uint32_t lastSize = 0;

private:
    bool ReadRecord(FILE* file, uint64_t fileSize, uint64_t& position, int32_t index,
                    int32_t count);
    void NoteDamage(int32_t index, int32_t count, const std::string& what);
    const ArchiveEntry* Find(const std::string& name) const;

    std::string path;
    uint32_t header[8] = {};
    std::map<std::string, std::unique_ptr<ArchiveEntry>> directory;
    std::vector<std::string> damage;
};
