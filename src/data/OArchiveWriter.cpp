#include "data/OArchiveWriter.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

#include "data/OResourceArchive.h"
#include "data/Scrambler.h"

namespace {

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void AppendWord(std::vector<uint8_t>& out, uint32_t value) {
    out.resize(out.size() + 4);
    PutWord(out, out.size() - 4, value);
}

bool ReadWholeFile(const std::filesystem::path& file, std::vector<uint8_t>& data) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

constexpr uint64_t kFormatLimit = std::numeric_limits<uint32_t>::max();

}  // namespace

void OArchiveWriter::Add(const std::string& name, std::vector<uint8_t> data) {
    entries.push_back(Entry{name, std::move(data)});
}

bool OArchiveWriter::AddFolder(const std::filesystem::path& folder, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code code;
    if (!fs::is_directory(folder, code)) {
        error = "not a folder: " + folder.string();
        return false;
    }
    const fs::path base = fs::absolute(folder, code).lexically_normal();
    const fs::path parent = (base.has_filename() ? base : base.parent_path()).parent_path();

    std::vector<std::pair<std::string, fs::path>> files;
    for (fs::recursive_directory_iterator it(base, code), end; it != end; it.increment(code)) {
        if (code) {
            break;
        }
        if (it->is_regular_file(code)) {
            files.emplace_back(it->path().lexically_relative(parent).generic_string(), it->path());
        }
    }
    if (code) {
        error = "cannot walk " + folder.string() + ": " + code.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const auto& [name, file] : files) {
        std::vector<uint8_t> data;
        if (!ReadWholeFile(file, data)) {
            error = "cannot read " + file.string();
            return false;
        }
        Add(name, std::move(data));
    }
    return true;
}

bool OArchiveWriter::Build(std::vector<uint8_t>& archive, std::string& error) const {
    uint64_t directorySize = 0;
    uint64_t dataSize = 0;
    for (const Entry& entry : entries) {
        directorySize += 12 + entry.name.size();
        dataSize += entry.data.size();
    }
    const uint64_t total = OResourceArchive::kHeaderSize + directorySize + dataSize;
    if (total > kFormatLimit || entries.size() > static_cast<size_t>(INT32_MAX)) {
        error = "archive would exceed 4 GiB";
        return false;
    }

    archive.assign(OResourceArchive::kHeaderSize, 0);
    std::copy(kTag, kTag + 4, archive.begin());
    PutWord(archive, 8, static_cast<uint32_t>(entries.size()));
    archive.reserve(total);

    uint32_t offset = static_cast<uint32_t>(OResourceArchive::kHeaderSize + directorySize);
    for (const Entry& entry : entries) {
        AppendWord(archive, static_cast<uint32_t>(12 + entry.name.size()));
        AppendWord(archive, static_cast<uint32_t>(entry.data.size()));
        AppendWord(archive, offset);
        const size_t nameStart = archive.size();
        archive.insert(archive.end(), entry.name.begin(), entry.name.end());
        Scrambler::Archive(archive.data() + nameStart,
                           std::min(Scrambler::kArchiveScrambledBytes, entry.name.size()));
        offset += static_cast<uint32_t>(entry.data.size());
    }
    for (const Entry& entry : entries) {
        const size_t dataStart = archive.size();
        archive.insert(archive.end(), entry.data.begin(), entry.data.end());
        Scrambler::Archive(archive.data() + dataStart,
                           std::min(Scrambler::kArchiveScrambledBytes, entry.data.size()));
    }
    return true;
}

bool OArchiveWriter::Write(const std::string& path, std::string& error) const {
    std::vector<uint8_t> archive;
    if (!Build(archive, error)) {
        return false;
    }
    const std::string temporary = path + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        error = "cannot write " + temporary;
        return false;
    }
    const bool written = std::fwrite(archive.data(), 1, archive.size(), out) == archive.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}
