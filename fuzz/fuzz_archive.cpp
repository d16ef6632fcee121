// Feeds arbitrary bytes to the archive reader as a whole archive file: the
// directory is read and every entry it lists is opened; an entry that cannot
// be had must come with the reason why.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "data/OResourceArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzScratchFile("Resource.Kvr", data, size);

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
        if ((bytes == nullptr) == archive.Explain(key).empty()) {
            std::abort();
        }
        archive.GetSize(key);
    }
    return 0;
}
