#include "KvTool.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <memory>

#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/OScoreTable.h"
#include "data/Scrambler.h"

namespace fs = std::filesystem;

namespace {

bool WriteFile(const fs::path& file, const uint8_t* data, size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return static_cast<bool>(out);
}

bool OpenArchive(OResourceArchive& archive, const std::string& file, std::ostream& err) {
    std::error_code code;
    if (!fs::is_regular_file(file, code)) {
        err << "kvtool: cannot open archive " << file << "\n";
        return false;
    }
    archive.SetPath(file);
    if (!archive.ReadDirectory()) {
        err << "kvtool: cannot open archive " << file << "\n";
        return false;
    }
    return true;
}

// Tells every fault the directory reading found; true when there was any.
bool TellDamage(const OResourceArchive& archive, std::ostream& err) {
    for (const std::string& fault : archive.GetDamage()) {
        err << "kvtool: " << archive.GetPath() << " is damaged: " << fault << "\n";
    }
    return !archive.GetDamage().empty();
}

}  // namespace

namespace {

// Each command with the names of the operands it takes, as the usage names
// them.
struct Command {
    const char* name;
    std::vector<const char*> operands;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"pack", {"DIR", "OUT.Kvr"}},       {"list", {"ARCHIVE"}},
        {"extract", {"ARCHIVE", "OUTDIR"}}, {"scramble", {"IN", "OUT"}},
        {"unscramble", {"IN", "OUT"}},      {"scores", {"FILE"}},
    };
    return commands;
}

// Says what is wrong with the arguments of a known command: which operands
// are missing, or how many are too many.
void TellOperandCount(const Command& command, size_t given, std::ostream& err) {
    const size_t wanted = command.operands.size();
    err << "kvtool: " << command.name << " ";
    if (given < wanted) {
        err << "is missing";
        for (size_t i = given; i < wanted; ++i) {
            err << " " << command.operands[i];
        }
    } else {
        err << "takes " << wanted << " argument" << (wanted == 1 ? "" : "s") << ", " << given
            << " given";
    }
    err << "\n";
}

}  // namespace

int KvTool::Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << "kvtool: no command given\n";
        return Usage(err);
    }
    const std::string& command = arguments[0];
    const size_t operands = arguments.size() - 1;
    const auto known = std::find_if(Commands().begin(), Commands().end(),
                                    [&](const Command& c) { return command == c.name; });
    if (known == Commands().end()) {
        err << "kvtool: unknown command " << std::quoted(command) << "\n";
        return Usage(err);
    }
    if (operands != known->operands.size()) {
        TellOperandCount(*known, operands, err);
        return Usage(err);
    }
    if (command == "pack") {
        return Pack(arguments[1], arguments[2], err);
    }
    if (command == "list") {
        return List(arguments[1], out, err);
    }
    if (command == "extract") {
        return Extract(arguments[1], arguments[2], err);
    }
    if (command == "scores") {
        return Scores(arguments[1], out, err);
    }
    return Scramble(arguments[1], arguments[2], err);
}

int KvTool::Usage(std::ostream& err) {
    err << "usage:\n"
           "  kvtool pack DIR OUT.Kvr      pack every file below DIR (names start with DIR's "
           "own name)\n"
           "  kvtool list ARCHIVE          print each entry's name and size\n"
           "  kvtool extract ARCHIVE OUTDIR  write every entry below OUTDIR\n"
           "  kvtool scramble IN OUT       scramble an options or high-score file\n"
           "  kvtool unscramble IN OUT     unscramble an options or high-score file\n"
           "  kvtool scores FILE           print a high-score file\n";
    return 2;
}

int KvTool::Pack(const std::string& folder, const std::string& archive, std::ostream& err) {
    OArchiveWriter writer;
    std::string error;
    if (!writer.AddFolder(folder, error) || !writer.Write(archive, error)) {
        err << "kvtool: " << error << "\n";
        return 1;
    }
    return 0;
}

int KvTool::List(const std::string& file, std::ostream& out, std::ostream& err) {
    OResourceArchive archive(file);
    if (!OpenArchive(archive, file, err)) {
        return 1;
    }
    for (const auto& [key, entry] : archive.Directory()) {
        out << entry->name << "\t" << entry->dataSize << "\n";
    }
    return TellDamage(archive, err) ? 1 : 0;
}

bool KvTool::IsSafeEntryName(const std::string& name) {
    const fs::path path(name);
    if (name.empty() || path.is_absolute() || path.has_root_name() || path.has_root_directory()) {
        return false;
    }
    for (const fs::path& part : path) {
        if (part == "..") {
            return false;
        }
    }
    return path.has_filename();
}

int KvTool::Extract(const std::string& file, const std::string& folder, std::ostream& err) {
    OResourceArchive archive(file);
    if (!OpenArchive(archive, file, err)) {
        return 1;
    }
    int status = TellDamage(archive, err) ? 1 : 0;
    for (const auto& [key, entry] : archive.Directory()) {
        if (!IsSafeEntryName(entry->name)) {
            err << "kvtool: skipping unsafe name " << std::quoted(entry->name) << "\n";
            status = 1;
            continue;
        }
        std::unique_ptr<uint8_t[]> data(archive.Open(key));
        if (!data) {
            err << "kvtool: cannot read entry " << entry->name << "\n";
            status = 1;
            continue;
        }
        const fs::path target = fs::path(folder) / entry->name;
        std::error_code code;
        fs::create_directories(target.parent_path(), code);
        if (!WriteFile(target, data.get(), archive.lastSize)) {
            err << "kvtool: cannot write " << target.string() << "\n";
            status = 1;
        }
    }
    return status;
}

int KvTool::Scramble(const std::string& in, const std::string& out, std::ostream& err) {
    std::ifstream input(in, std::ios::binary);
    if (!input) {
        err << "kvtool: cannot read " << in << "\n";
        return 1;
    }
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(input)),
                              std::istreambuf_iterator<char>());
    Scrambler::Config(data.data(), data.size());
    if (!WriteFile(out, data.data(), data.size())) {
        err << "kvtool: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}

int KvTool::Scores(const std::string& file, std::ostream& out, std::ostream& err) {
    OScoreTable table(file, static_cast<int>(OScoreTable::kMaxRecords), "");
    if (!table.Load()) {
        err << "kvtool: cannot read " << file << "\n";
        return 1;
    }
    if (table.GetCount() == 0) {
        err << "kvtool: " << file << " is no high-score file: it holds no score record\n";
        return 1;
    }
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const ScoreEntry& entry = table.GetEntry(i);
        out << std::setw(2) << (i + 1) << ". " << std::left << std::setw(20) << entry.name
            << std::right << std::setw(10) << entry.score << "  " << entry.difficulty << "\n";
    }
    return 0;
}
