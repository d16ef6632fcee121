#include "data/OResourceArchive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "data/Scrambler.h"

namespace {

// The archive file, closed when it goes out of scope.
class ArchiveFile {
public:
    explicit ArchiveFile(const std::string& path) : file(std::fopen(path.c_str(), "rb")) {}
    ~ArchiveFile() {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    bool IsOpen() const { return file != nullptr; }
    FILE* Get() const { return file; }
    // Hands the open file to the caller, who closes it.
    FILE* Release() { return std::exchange(file, nullptr); }

    // The real size of the file, the bound for every read and allocation.
    uint64_t Size() const {
        struct stat info;
        if (fstat(fileno(file), &info) != 0 || info.st_size < 0) {
            return 0;
        }
        return static_cast<uint64_t>(info.st_size);
    }

private:
    FILE* file;
};

uint32_t LittleEndianWord(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

constexpr uint32_t kRecordFixedBytes = 12;

}  // namespace

OResourceArchive& OResourceArchive::Instance() {
    static OResourceArchive archive;
    return archive;
}

OResourceArchive::OResourceArchive(std::string path) : path(std::move(path)) {}

bool OResourceArchive::ReadDirectory() {
    directory.clear();
    damage.clear();
    std::fill(std::begin(header), std::end(header), 0u);

    ArchiveFile file(path);
    if (!file.IsOpen()) {
        std::fputs("File was not opened\n", stdout);
        return false;
    }
    const uint64_t fileSize = file.Size();

    uint8_t headerBytes[kHeaderSize] = {};
    if (std::fread(headerBytes, 1, kHeaderSize, file.Get()) != kHeaderSize) {
        // Too short to hold a directory: an empty archive.
        damage.push_back("the file is " + std::to_string(fileSize) +
                         " bytes long, too short for the 32-byte header");
        return true;
    }
    for (size_t i = 0; i < 8; ++i) {
        header[i] = LittleEndianWord(headerBytes + 4 * i);
    }

    // The count is signed; a negative one means no records. Every record takes
    // at least its fixed part, so the file itself bounds the loop as well.
    const int32_t count = static_cast<int32_t>(header[2]);
    if (count < 0) {
        damage.push_back("the record count in the header is negative (" + std::to_string(count) +
                         ")");
    }
    uint64_t position = kHeaderSize;
    for (int32_t i = 0; i < count; ++i) {
        if (!ReadRecord(file.Get(), fileSize, position, i, count)) {
            break;  // Damaged from here on; the records before stay usable.
        }
    }
    return true;
}

void OResourceArchive::NoteDamage(int32_t index, int32_t count, const std::string& what) {
    damage.push_back("record " + std::to_string(static_cast<int64_t>(index) + 1) + " of " +
                     std::to_string(count) + " " + what);
}

bool OResourceArchive::ReadRecord(FILE* file, uint64_t fileSize, uint64_t& position, int32_t index,
                                  int32_t count) {
    if (position > fileSize || fileSize - position < kRecordFixedBytes) {
        NoteDamage(index, count, "is cut off by the end of the file");
        return false;
    }
    uint8_t fixed[kRecordFixedBytes];
    if (std::fread(fixed, 1, kRecordFixedBytes, file) != kRecordFixedBytes) {
        NoteDamage(index, count, "cannot be read");
        return false;
    }
    auto entry = std::make_unique<ArchiveEntry>();
    entry->recordLength = LittleEndianWord(fixed);
    entry->dataSize = LittleEndianWord(fixed + 4);
    entry->dataOffset = LittleEndianWord(fixed + 8);
    position += kRecordFixedBytes;

    if (entry->recordLength < kRecordFixedBytes) {
        NoteDamage(index, count,
                   "has the length " + std::to_string(entry->recordLength) + ", below 12");
        return false;
    }
    const uint64_t nameLength = entry->recordLength - kRecordFixedBytes;
    if (nameLength > fileSize - position) {
        NoteDamage(index, count,
                   "has a name of " + std::to_string(nameLength) +
                       " bytes that runs past the end of the file");
        return false;
    }
    std::vector<uint8_t> name(nameLength + 1, 0);
    if (std::fread(name.data(), 1, nameLength, file) != nameLength) {
        NoteDamage(index, count, "has a name that cannot be read");
        return false;
    }
    position += nameLength;
    Scrambler::Archive(name.data(),
                       std::min<size_t>(Scrambler::kArchiveScrambledBytes, nameLength));

    entry->name = reinterpret_cast<const char*>(name.data());
    // Kept in the directory (Open refuses it), so the damage can be named.
    const uint64_t end = static_cast<uint64_t>(entry->dataOffset) + entry->dataSize;
    if (end > fileSize) {
        NoteDamage(index, count,
                   "(" + entry->name + ") has data up to byte " + std::to_string(end) +
                       ", past the end of the file at " + std::to_string(fileSize));
    }
    std::string key = LowerAscii(entry->name);
    directory[key] = std::move(entry);
    return true;
}

uint8_t* OResourceArchive::Open(const std::string& name) {
    const ArchiveEntry* entry = Find(name);
    if (entry == nullptr) {
        return nullptr;
    }
    ArchiveFile file(path);
    if (!file.IsOpen()) {
        return nullptr;
    }
    // An entry that claims bytes the file does not have is damage, not data:
    // refuse it rather than allocating its claimed size.
    const uint64_t end = static_cast<uint64_t>(entry->dataOffset) + entry->dataSize;
    if (end > file.Size()) {
        return nullptr;
    }
    if (std::fseek(file.Get(), static_cast<long>(entry->dataOffset), SEEK_SET) != 0) {
        return nullptr;
    }

    const size_t size = entry->dataSize;
    uint8_t* buffer = new uint8_t[size + 1];
    const size_t got = std::fread(buffer, 1, size, file.Get());
    // Whatever a short read leaves out reads as zeros, and the NUL follows.
    std::memset(buffer + got, 0, size + 1 - got);
    Scrambler::Archive(buffer, std::min(Scrambler::kArchiveScrambledBytes, size));
    lastSize = entry->dataSize;
    return buffer;
}

FILE* OResourceArchive::OpenAt(const std::string& name, uint32_t& size) const {
    const ArchiveEntry* entry = Find(name);
    if (entry == nullptr) {
        return nullptr;
    }
    ArchiveFile file(path);
    const uint64_t end = static_cast<uint64_t>(entry->dataOffset) + entry->dataSize;
    if (!file.IsOpen() || end > file.Size() ||
        std::fseek(file.Get(), static_cast<long>(entry->dataOffset), SEEK_SET) != 0) {
        return nullptr;
    }
    size = entry->dataSize;
    return file.Release();
}

uint32_t OResourceArchive::GetSize(const std::string& name) const {
    const ArchiveEntry* entry = Find(name);
    return entry == nullptr ? 0 : entry->dataSize;
}

bool OResourceArchive::Contains(const std::string& name) const {
    return Find(name) != nullptr;
}

std::string OResourceArchive::Explain(const std::string& name) const {
    const std::string archive = "the archive " + path;
    ArchiveFile file(path);
    if (!file.IsOpen()) {
        return archive + " cannot be opened (" + std::strerror(errno) + ")";
    }
    const ArchiveEntry* entry = Find(name);
    if (entry != nullptr) {
        const uint64_t end = static_cast<uint64_t>(entry->dataOffset) + entry->dataSize;
        if (end > file.Size()) {
            return archive + " is damaged: the data of " + entry->name + " runs past its end";
        }
        return "";
    }
    if (!damage.empty()) {
        return archive + " is damaged: " + damage.back();
    }
    return archive + " holds no entry of that name";
}

void OResourceArchive::SetPath(const std::string& newPath) {
    path = newPath;
    directory.clear();
    damage.clear();
    std::fill(std::begin(header), std::end(header), 0u);
}

const ArchiveEntry* OResourceArchive::Find(const std::string& name) const {
    auto found = directory.find(LowerAscii(name));
    return found == directory.end() ? nullptr : found->second.get();
}
