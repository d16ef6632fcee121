// Feeds arbitrary bytes to the archive reader as a whole archive file: the
// directory is read and every entry it lists is opened.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "data/OResourceArchive.h"

namespace {

const std::string& ArchivePath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/carrowmoor-fuzz-archive-XXXXXX";
        const char* dir = mkdtemp(pattern);
        if (dir == nullptr) {
            std::abort();
        }
        return std::string(dir) + "/Resource.Kvr";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = ArchivePath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    OResourceArchive archive(path);
    archive.ReadDirectory();
    std::vector<std::string> keys;
    for (const auto& entry : archive.Directory()) {
        keys.push_back(entry.first);
    }
    for (const std::string& key : keys) {
        std::unique_ptr<uint8_t[]> bytes(archive.Open(key));
        if (bytes && bytes[archive.lastSize] != 0) {
            std::abort();  // every buffer ends in a NUL
        }
        archive.GetSize(key);
    }
    return 0;
}
