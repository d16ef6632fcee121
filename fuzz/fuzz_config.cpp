// Feeds arbitrary bytes to the config parser, then runs every query over
// everything it found and checks that the serialised map reads back the same
// wherever the format can carry it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/OConfigFile.h"

namespace {

void QueryKey(OConfigFile& config, const std::string& key) {
    config.GetInt(key, 7);
    config.GetFloat(key, 1.5f);
    for (char separator : {' ', ',', '\n'}) {
        int count = -1;
        delete[] config.GetIntArray(key, count, separator);
        delete[] config.GetFloatArray(key, count, separator);
    }
    config.GetString(key, "default");
    delete[] config.GetCString(key, "default");
    int width = 0;
    int height = 0;
    delete[] config.GetCharGrid(key, width, height, ' ', "default");
    delete[] config.GetCharGrid(key, width, height, '.', nullptr);
    if (width < 0 || height < 0) {
        std::abort();
    }
}

void QueryBlocks(const OConfigFile& config) {
    config.ListBlocks("");
    config.ListKeys("");
    for (const std::string& block : config.Blocks()) {
        config.HasBlock(block);
        config.ListBlocks(block);
        config.ListKeys(block);
    }
}

// A key the layout can write back: dotted, no empty components, and no
// byte that would end a name early.
bool Writable(const std::string& key) {
    if (key.empty() || key.front() == '.' || key.back() == '.' ||
        key.find("..") != std::string::npos || key.find("//") != std::string::npos) {
        return false;
    }
    for (char c : key) {
        if (c == '\0' || c == '\t' || c == '\n' || c == ' ' || c == '=' || c == '}' || c == '[') {
            return false;
        }
    }
    return true;
}

// An empty value would swallow the next line when read back.
bool Writable(const std::string& key, const std::string& raw) {
    return Writable(key) && !raw.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OConfigFile config;
    config.LoadMemory(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> keys = config.Keys();
    for (const std::string& key : keys) {
        QueryKey(config, key);
    }
    QueryKey(config, "missing.key");
    QueryBlocks(config);

    bool allWritable = true;
    for (const auto& entry : config.Values()) {
        allWritable = allWritable && Writable(entry.first, entry.second);
    }
    const std::string text = config.Serialize();
    OConfigFile reloaded;
    const int result = reloaded.LoadString(text.c_str());
    if (allWritable && text.find('\0') == std::string::npos &&
        (result != 0 || reloaded.Values() != config.Values())) {
        std::abort();
    }
    return 0;
}
