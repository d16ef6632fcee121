#pragma once

#include <cstdio>
#include <functional>
#include <string>

class OErrorLog;

// Decides where the game's files live. The code names them as it always has
// ("Data/Resource.Kvr", "Data/Levels/1/1.Txt", "Data/System.Cfg",
// "Data/TP.Kv", "Report.html"); this maps such a name to the file to open.
//
// Working-directory layout: "Data/Resource.Kvr" lies beside the binary (the
// build folder, an unpacked portable folder), or no installed game lies
// around the binary either (the tools of the build tree). Names are used as
// they are, relative to the working directory.
//
// Installed layout: the binary sits in a prefix that holds the game's data
// (normally P/bin/carrowmoor beside P/share/carrowmoor, wherever P was moved
// to). The read-only data comes from there; options and scores go to
// $XDG_DATA_HOME/carrowmoor, the log to $XDG_STATE_HOME/carrowmoor. As the
// XDG base-directory rules say, a variable that is empty or not an absolute
// path is ignored and ~/.local/share or ~/.local/state is used instead.
class GameFolders {
public:
    enum class Layout { WorkingDirectory, Installed };

    // What the decision looks at. The game fills it from /proc/self/exe,
    // the environment and the account database.
    struct Inputs {
        std::string executableDir;
        // Like getenv: null when the variable is unset.
        std::function<const char*(const char*)> variable;
        // The account's home folder, used when HOME is unset or relative.
        std::string accountHome;
        // Where the data folder lies, seen from the binary's folder.
        std::string shareFromBinary = "../share/carrowmoor";
    };

    static GameFolders Decide(const Inputs& inputs);

    // The game's own folders: decided once, on first use, and the player's
    // folders created then (before the log opens).
    static GameFolders& Instance();

    Layout GetLayout() const { return layout; }

    // A read-only data file, e.g. "Data/Resource.Kvr".
    std::string GameData(const std::string& name) const;
    // A file the game writes for the player, e.g. "Data/System.Cfg". Empty
    // when there is no folder for it at all (no home folder): opening an
    // empty name fails, so nothing is read or written.
    std::string PlayerData(const std::string& name) const;
    // The log, "Report.html". Empty when there is no usable folder for it.
    std::string Log(const std::string& name) const;

    // Creates the player's folders where missing (mode 0700, as the XDG
    // rules ask) and notes for each one that cannot be used why not.
    void MakeFolders();

    // Writes what MakeFolders found: a data-folder problem as an error record
    // of the log, a log-folder problem (and then everything) to the console,
    // since the log itself cannot be written then.
    void ReportProblems(OErrorLog& log, FILE* console) const;

    const std::string& DataProblem() const { return dataProblem; }
    const std::string& StateProblem() const { return stateProblem; }

private:
    Layout layout = Layout::WorkingDirectory;
    std::string shareFolder;
    std::string dataFolder;
    std::string stateFolder;
    std::string dataProblem;
    std::string stateProblem;
};
