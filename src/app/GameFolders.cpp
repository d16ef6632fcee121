#include "app/GameFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/OErrorLog.h"

#ifndef CARROWMOOR_SHARE_FROM_BINARY
#define CARROWMOOR_SHARE_FROM_BINARY "../share/carrowmoor"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kDataPrefix = "Data/";
constexpr const char* kGameFolderName = "carrowmoor";

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool Exists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

// "Data/Levels/1/1.Txt" -> "Levels/1/1.Txt": the installed folders hold what
// the working-directory layout keeps below Data/.
std::string WithoutDataPrefix(const std::string& name) {
    const size_t length = std::strlen(kDataPrefix);
    return name.compare(0, length, kDataPrefix) == 0 ? name.substr(length) : name;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? std::string() : folder + "/" + WithoutDataPrefix(name);
}

std::string HomeFolder(const GameFolders::Inputs& inputs) {
    const char* home = inputs.variable("HOME");
    if (IsAbsolute(home)) {
        return home;
    }
    return IsAbsolute(inputs.accountHome.c_str()) ? inputs.accountHome : std::string();
}

// $variable/carrowmoor when the variable holds an absolute path, otherwise
// ~/fallback/carrowmoor; empty when there is no home folder either.
std::string BaseFolder(const GameFolders::Inputs& inputs, const char* variable,
                       const char* fallback) {
    const char* value = inputs.variable(variable);
    std::string base;
    if (IsAbsolute(value)) {
        base = value;
    } else {
        const std::string home = HomeFolder(inputs);
        if (home.empty()) {
            return std::string();
        }
        base = home + "/" + fallback;
    }
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return base + "/" + kGameFolderName;
}

// Makes every missing folder of the path; empty on success, else the reason
// the folder cannot be used.
std::string MakeFolder(const std::string& folder) {
    size_t end = 0;
    while (end != std::string::npos) {
        end = folder.find('/', end + 1);
        const std::string part = folder.substr(0, end);
        if (mkdir(part.c_str(), 0700) != 0 && !IsDirectory(part)) {
            return errno == EEXIST ? std::strerror(ENOTDIR) : std::strerror(errno);
        }
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return std::strerror(errno);
    }
    return std::string();
}

std::string FolderProblem(const std::string& folder, const char* what) {
    if (folder.empty()) {
        return std::string("No folder for ") + what +
               ": HOME is not an absolute path and the account has no home folder";
    }
    const std::string reason = MakeFolder(folder);
    if (reason.empty()) {
        return reason;
    }
    return "Cannot use the folder \"" + folder + "\" for " + what + ": " + reason;
}

std::string ExecutableDir() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return std::string();
    }
    return fs::path(std::string(buffer.data(), static_cast<size_t>(length))).parent_path().string();
}

std::string AccountHome() {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return std::string();
    }
    return found->pw_dir;
}

}  // namespace

GameFolders GameFolders::Decide(const Inputs& inputs) {
    GameFolders folders;
    const std::string& binary = inputs.executableDir;
    const std::string share = binary + "/" + inputs.shareFromBinary;
    if (binary.empty() || Exists(binary + "/" + kDataPrefix + "Resource.Kvr") ||
        !IsDirectory(share)) {
        return folders;
    }
    folders.layout = Layout::Installed;
    folders.shareFolder = fs::path(share).lexically_normal().string();
    folders.dataFolder = BaseFolder(inputs, "XDG_DATA_HOME", ".local/share");
    folders.stateFolder = BaseFolder(inputs, "XDG_STATE_HOME", ".local/state");
    return folders;
}

GameFolders& GameFolders::Instance() {
    static GameFolders folders = [] {
        Inputs inputs;
        inputs.executableDir = ExecutableDir();
        inputs.variable = [](const char* name) -> const char* { return std::getenv(name); };
        if (!IsAbsolute(std::getenv("HOME"))) {
            inputs.accountHome = AccountHome();
        }
        inputs.shareFromBinary = CARROWMOOR_SHARE_FROM_BINARY;
        GameFolders decided = Decide(inputs);
        decided.MakeFolders();
        return decided;
    }();
    return folders;
}

std::string GameFolders::GameData(const std::string& name) const {
    return layout == Layout::Installed ? InFolder(shareFolder, name) : name;
}

std::string GameFolders::PlayerData(const std::string& name) const {
    return layout == Layout::Installed ? InFolder(dataFolder, name) : name;
}

std::string GameFolders::Log(const std::string& name) const {
    if (layout != Layout::Installed) {
        return name;
    }
    // The log keeps a name of limited length; a longer one would be cut and
    // the log written to some other file.
    const std::string path = InFolder(stateFolder, name);
    return path.size() <= OErrorLog::kMaxFileNameLength ? path : std::string();
}

void GameFolders::MakeFolders() {
    if (layout != Layout::Installed) {
        return;
    }
    dataProblem = FolderProblem(dataFolder, "options and high scores");
    stateProblem = FolderProblem(stateFolder, "the log");
    if (stateProblem.empty() && Log("Report.html").empty()) {
        stateProblem = "Cannot use the folder \"" + stateFolder +
                       "\" for the log: the path of Report.html there is longer than " +
                       std::to_string(OErrorLog::kMaxFileNameLength) + " characters";
    }
}

void GameFolders::ReportProblems(OErrorLog& log, FILE* console) const {
    if (!stateProblem.empty()) {
        std::fprintf(console, "carrowmoor: %s\n", stateProblem.c_str());
    }
    if (dataProblem.empty()) {
        return;
    }
    if (stateProblem.empty()) {
        log.Error("%s; they are not saved", dataProblem.c_str());
    } else {
        std::fprintf(console, "carrowmoor: %s; they are not saved\n", dataProblem.c_str());
    }
}
