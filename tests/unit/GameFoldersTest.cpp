#include "app/GameFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace {

using Layout = GameFolders::Layout;

// Paths are written with "$T" for the test's temporary root. The variables
// are "NAME=value" words; a variable not named is unset. Installed games
// read their data from $T/usr/share/carrowmoor.
struct FolderCase {
    const char* name;
    const char* binaryDir;
    std::string variables;
    const char* accountHome;
    Layout layout;
    const char* options;  // PlayerData("Data/System.Cfg")
    const char* log;      // Log("Report.html")
    const char* dataProblem;
    const char* stateProblem;
};

const char* const kOptions = "$T/home/.local/share/carrowmoor/System.Cfg";
const char* const kLog = "$T/home/.local/state/carrowmoor/Report.html";

const FolderCase kCases[] = {
    {"data beside the binary wins over an installed layout", "$T/portable/bin", "HOME=$T/home", "",
     Layout::WorkingDirectory, "Data/System.Cfg", "Report.html", "", ""},
    {"no game data around the binary (a tool of the build tree)", "$T/build/tools/kvtool",
     "HOME=$T/home", "", Layout::WorkingDirectory, "Data/System.Cfg", "Report.html", "", ""},
    {"installed in games, XDG variables unset", "$T/usr/games", "HOME=$T/home", "",
     Layout::Installed, kOptions, kLog, "", ""},
    {"installed in bin, XDG variables set", "$T/usr/bin",
     "HOME=$T/home XDG_DATA_HOME=$T/xdg/data XDG_STATE_HOME=$T/xdg/state/", "", Layout::Installed,
     "$T/xdg/data/carrowmoor/System.Cfg", "$T/xdg/state/carrowmoor/Report.html", "", ""},
    {"relative XDG variables are ignored", "$T/usr/games",
     "HOME=$T/home XDG_DATA_HOME=xdg/data XDG_STATE_HOME=./state", "", Layout::Installed, kOptions,
     kLog, "", ""},
    {"empty XDG variables are ignored", "$T/usr/games",
     "HOME=$T/home XDG_DATA_HOME= XDG_STATE_HOME=", "", Layout::Installed, kOptions, kLog, "", ""},
    {"HOME unset: the account's home folder", "$T/usr/games", "", "$T/account", Layout::Installed,
     "$T/account/.local/share/carrowmoor/System.Cfg",
     "$T/account/.local/state/carrowmoor/Report.html", "", ""},
    {"no home at all: only what XDG names is used", "$T/usr/games",
     "HOME=home XDG_DATA_HOME=$T/xdg/data", "", Layout::Installed,
     "$T/xdg/data/carrowmoor/System.Cfg", "", "",
     "No folder for the log: HOME is not an absolute path"},
    {"a file where the data folder should be", "$T/usr/games",
     "HOME=$T/home XDG_DATA_HOME=$T/blocker", "", Layout::Installed,
     "$T/blocker/carrowmoor/System.Cfg", kLog,
     "Cannot use the folder \"$T/blocker/carrowmoor\" for options and high scores: Not a "
     "directory",
     ""},
    {"a log path too long for the log is not cut short", "$T/usr/games",
     "HOME=$T/home XDG_STATE_HOME=$T/" + std::string(100, 'x'), "", Layout::Installed, kOptions, "",
     "", "longer than 128 characters"},
};

std::string Expand(const std::string& text, const std::string& root) {
    std::string out = text;
    for (size_t at = out.find("$T"); at != std::string::npos; at = out.find("$T", at)) {
        out.replace(at, 2, root);
        at += root.size();
    }
    return out;
}

int Mode(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? static_cast<int>(status.st_mode & 0777) : -1;
}

// A portable folder (data beside its binary, with an installed layout
// around it too), an installed prefix, a tool folder of a build tree, and a
// plain file in the way of one data folder.
void MakeTree(const std::filesystem::path& root) {
    TempDir::Write((root / "portable/bin/Data/Resource.Kvr").string(), "archive");
    for (const char* folder : {"portable/share/carrowmoor", "usr/games", "usr/bin",
                               "usr/share/carrowmoor", "build/tools/kvtool"})
        std::filesystem::create_directories(root / folder);
    TempDir::Write((root / "blocker").string(), "not a folder");
}

}  // namespace

TEST(GameFolders, DecideWhereEachKindOfFileLives) {
    for (const FolderCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string root = dir.Path().string();
        MakeTree(dir.Path());
        std::map<std::string, std::string> variables;
        std::istringstream words(c.variables);
        for (std::string word; words >> word;) {
            const size_t equals = word.find('=');
            variables[word.substr(0, equals)] = Expand(word.substr(equals + 1), root);
        }
        GameFolders::Inputs inputs;
        inputs.executableDir = Expand(c.binaryDir, root);
        inputs.variable = [&variables](const char* key) -> const char* {
            auto found = variables.find(key);
            return found == variables.end() ? nullptr : found->second.c_str();
        };
        inputs.accountHome = Expand(c.accountHome, root);

        GameFolders folders = GameFolders::Decide(inputs);
        EXPECT_EQ(folders.GetLayout(), c.layout);
        EXPECT_EQ(folders.GameData("Data/Levels/1/1.Txt"),
                  c.layout == Layout::Installed ? root + "/usr/share/carrowmoor/Levels/1/1.Txt"
                                                : "Data/Levels/1/1.Txt");
        EXPECT_EQ(folders.PlayerData("Data/System.Cfg"), Expand(c.options, root));
        EXPECT_EQ(folders.Log("Report.html"), Expand(c.log, root));

        folders.MakeFolders();
        for (const auto& [problem, expected] : {std::pair{folders.DataProblem(), c.dataProblem},
                                                {folders.StateProblem(), c.stateProblem}}) {
            EXPECT_NE(problem.find(Expand(expected, root)), std::string::npos) << problem;
            EXPECT_EQ(problem.empty(), *expected == '\0') << problem;
        }
        // Folders the game made are the player's alone.
        if (c.layout == Layout::Installed && folders.DataProblem().empty()) {
            const std::string options = folders.PlayerData("Data/System.Cfg");
            EXPECT_EQ(Mode(std::filesystem::path(options).parent_path().string()), 0700);
        }
        if (c.layout == Layout::WorkingDirectory) {
            EXPECT_FALSE(std::filesystem::exists(dir.Path() / "home"));
        }
    }
}
