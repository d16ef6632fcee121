#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory under /tmp, removed with everything in it at the end of
// the test. Optionally makes it the working directory for the test's life.
class TempDir {
public:
    explicit TempDir(bool enter = false) {
        char pattern[] = "/tmp/carrowmoor-test-XXXXXX";
        path_ = mkdtemp(pattern);
        if (enter) {
            previous_ = std::filesystem::current_path();
            std::filesystem::current_path(path_);
        }
    }
    ~TempDir() {
        if (!previous_.empty()) {
            std::filesystem::current_path(previous_);
        }
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const std::string& file, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};
