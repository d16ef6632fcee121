#pragma once

#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TempDir.h"

// A resource archive in a temporary folder that the game's archive object
// reads for the life of the test; the old archive path comes back afterwards.
class TestArchive {
public:
    TestArchive() : previousPath(OResourceArchive::Instance().GetPath()) {}
    ~TestArchive() {
        OResourceArchive::Instance().SetPath(previousPath);
        OResourceArchive::Instance().ReadDirectory();
    }
    TestArchive(const TestArchive&) = delete;
    TestArchive& operator=(const TestArchive&) = delete;

    void Add(const std::string& name, const std::vector<uint8_t>& bytes) {
        writer.Add(name, bytes);
    }
    void Add(const std::string& name, const std::string& bytes) {
        writer.Add(name, {bytes.begin(), bytes.end()});
    }
    // Adds a picture under "Data/Textures/".
    template <typename Bytes>
    void AddTexture(const std::string& name, const Bytes& bytes) {
        Add("Data/Textures/" + name, bytes);
    }

    // Writes the archive and points the game's archive object at it.
    void Open() {
        std::string error;
        if (!writer.Write(File(), error)) {
            throw std::runtime_error("archive not written: " + error);
        }
        OResourceArchive::Instance().SetPath(File());
        OResourceArchive::Instance().ReadDirectory();
    }
    // Removes the archive file: from now on every read fails.
    void Remove() { std::filesystem::remove(File()); }

    std::string File() const { return folder.File("Resource.Kvr"); }

private:
    TempDir folder;
    OArchiveWriter writer;
    std::string previousPath;
};
