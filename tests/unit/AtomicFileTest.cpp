#include "data/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "data/OScoreTable.h"
#include "data/Scrambler.h"
#include "data/SystemOptions.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Lets writes past a few bytes fail with EFBIG, as they fail with ENOSPC on
// a full disk: the same write error reaches the same code.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit saved{};
    void (*previousHandler)(int) = SIG_DFL;
};

struct Fault {
    const char* what;
    // Prepares the folder (and the file's name) for the failure.
    std::function<void(const fs::path& folder, const fs::path& file)> prepare;
    // The system's reason as the log must give it.
    int error;
};

// One of the game's two writers of the player's files: what the old file
// holds, and the save of a new one over it (several hundred bytes, more than
// the size limit below lets through).
struct Writer {
    const char* what;
    std::string oldBytes;
    std::function<bool(const std::string& file)> save;
};

std::string ScoreFile(int records) {
    std::string text;
    for (int i = 0; i < records; ++i)
        text += "Player" + std::to_string(i) + "\n" + std::to_string(1000 - i) + "\nEasy\n";
    Scrambler::Config(reinterpret_cast<uint8_t*>(text.data()), text.size());
    return text;
}

bool SaveScores(const std::string& file) {
    OScoreTable table(file, 40, "");
    table.Load();
    return table.Save();
}

bool SaveOptions(const std::string& file) {
    const std::string before = fs::is_regular_file(file) ? TempDir::Read(file) : "";
    const char* previousPath = SystemOptionsPath;
    SystemOptionsPath = file.c_str();
    SaveSystemOptions();
    SystemOptionsPath = previousPath;
    // The options' saver reports nothing: the file tells whether it was written.
    return fs::is_regular_file(file) && TempDir::Read(file) != before;
}

}  // namespace

// A save that fails leaves the old file (or whatever holds its name) as it
// was, leaves no temporary file behind and writes one message record naming
// the file and the system's reason; the game goes on.
TEST(FailedSave, KeepsTheOldFileAndTellsTheLogWhy) {
    const Fault faults[] = {
        {"a folder holds the file's name",
         [](const fs::path&, const fs::path& file) {
             fs::remove(file);
             fs::create_directory(file);
         },
         EISDIR},
        {"the disk is full", [](const fs::path&, const fs::path&) {}, EFBIG},
        {"the folder is read-only",
         [](const fs::path& folder, const fs::path&) { chmod(folder.c_str(), 0555); }, EACCES},
    };
    const Writer writers[] = {{"scores", ScoreFile(40), &SaveScores},
                              {"options", "the old bytes", &SaveOptions}};
    const SystemOptionsRecord savedOptions = SystemOptions;
    for (const Fault& fault : faults) {
        if (fault.error == EACCES && geteuid() == 0)
            continue;  // permissions do not stop root
        for (const Writer& writer : writers) {
            SCOPED_TRACE(std::string(writer.what) + ": " + fault.what);
            TempDir dir(true);
            const fs::path folder = dir.Path() / "Data";
            const fs::path file = folder / "Player.Kv";
            TempDir::Write(file.string(), writer.oldBytes);
            // First a save that works: it replaces the file and tells nothing.
            ASSERT_TRUE(writer.save(file.string()));
            EXPECT_FALSE(fs::exists("Report.html"));
            const std::string oldBytes = TempDir::Read(file.string());
            fault.prepare(folder, file);
            const bool isFolder = fs::is_directory(file);
            // A full disk lets through the log's message, not the new file.
            std::optional<FileSizeLimit> limit;
            if (fault.error == EFBIG)
                limit.emplace(200);
            const bool saved = writer.save(file.string());
            limit.reset();
            chmod(folder.c_str(), 0755);

            EXPECT_FALSE(saved);
            if (isFolder)
                EXPECT_TRUE(fs::is_directory(file));
            else
                EXPECT_EQ(TempDir::Read(file.string()), oldBytes);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
                << "no temporary file stays";
            const std::string log = TempDir::Read("Report.html");
            EXPECT_NE(log.find(file.string()), std::string::npos) << log;
            EXPECT_NE(log.find(std::strerror(fault.error)), std::string::npos) << log;
            EXPECT_EQ(log.find("Error:"), std::string::npos) << "a message, not an error: " << log;
        }
    }
    SystemOptions = savedOptions;
}
