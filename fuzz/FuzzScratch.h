#pragma once

// A scratch folder for fuzz targets that must hand their input over as a
// file: made once per process in /dev/shm (memory, so the many writes and
// flushes cost nothing) or /tmp, and removed when the process ends normally.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline const std::string& FuzzScratch() {
    static const std::string folder = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/carrowmoor-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        static std::string made;
        made = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return pattern;
    }();
    return folder;
}

// Writes the bytes to a file of the scratch folder and returns its path.
inline std::string FuzzScratchFile(const std::string& name, const void* data, size_t size) {
    const std::string path = FuzzScratch() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}
