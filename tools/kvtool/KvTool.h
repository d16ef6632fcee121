#pragma once

#include <ostream>
#include <string>
#include <vector>

// The command-line tool for the game's data files. Run takes the arguments
// after the program name and returns the exit status.
class KvTool {
public:
    static int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

private:
    static int Pack(const std::string& folder, const std::string& archive, std::ostream& err);
    static int List(const std::string& archive, std::ostream& out, std::ostream& err);
    static int Extract(const std::string& archive, const std::string& folder, std::ostream& err);
    static int Scramble(const std::string& in, const std::string& out, std::ostream& err);
    static int Scores(const std::string& file, std::ostream& out, std::ostream& err);
    static int Usage(std::ostream& err);
    // A name that stays below the output folder when extracted.
    static bool IsSafeEntryName(const std::string& name);
};
