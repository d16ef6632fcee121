#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/GameFolders.h"
#include "app/HeapPolicy.h"
#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"
#include "app/OMessageBox.h"
#include "app/OQuarvel.h"
#include "app/OSoftwareGL.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"

namespace {

constexpr const char* kCaption = "Error";
constexpr const char* kNoHardwareGL = "We are handle exception! No hardware OpenGL device!";
constexpr const char* kFilesMissing =
    "We are handle exception! Game files are missing or corrupted!";
// No window could be opened at all (no display): nothing to play on.
constexpr int kNoDisplayStatus = 2;

[[noreturn]] void Fail(const char* text, int status) {
    OMessageBox::Show(kCaption, text);
    std::exit(status);
}

// Points the options file and the archive at the folders the game uses
// (the high scores, levels and log ask GameFolders themselves).
void PlaceFiles() {
    GameFolders& folders = GameFolders::Instance();
    folders.ReportProblems(OErrorLog::Instance(), stderr);
    static const std::string optionsPath = folders.PlayerData(SystemOptionsPath);
    SystemOptionsPath = optionsPath.c_str();
    OResourceArchive::Instance().SetPath(folders.GameData(OResourceArchive::kDefaultPath));
}

}  // namespace

int main() {
    HeapPolicy::Apply();
    OErrorLog::Instance();
    PlaceFiles();
    LoadSystemOptions();
    int result = 0;
    {
        OQuarvel application;
        try {
            if (!application.Create("3D", "Carrowmoor version 1.1", 640, 480)) {
                std::exit(kNoDisplayStatus);
            }
        } catch (const OSoftwareGL& error) {
            Fail(kNoHardwareGL, error.GetCode());
        }
        try {
            application.Init();
        } catch (const OFileNotFound& error) {
            Fail(kFilesMissing, error.GetCode());
        }
        try {
            result = application.Run();
        } catch (const OFileNotFound& error) {
            Fail(kFilesMissing, error.GetCode());
        }
    }
    return result;
}
