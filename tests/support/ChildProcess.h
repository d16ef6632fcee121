#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

// Runs this test program again with a changed environment. The child sees
// CARROWMOOR_CHILD_MODE (what to do) and CARROWMOOR_CHILD_RESULT (where to
// write what happened); a static initializer of the test file that knows the
// mode does the work and ends the child before any test runs. Returns the
// result file's text.
inline std::string RunSelfAsChild(const std::string& mode,
                                  const std::vector<std::pair<std::string, std::string>>& set,
                                  const std::vector<std::string>& unset = {}) {
    TempDir dir;
    std::string resultFile = dir.File("result.txt");
    pid_t pid = fork();
    if (pid == 0) {
        for (const std::string& name : unset)
            unsetenv(name.c_str());
        for (const auto& [name, value] : set)
            setenv(name.c_str(), value.c_str(), 1);
        setenv("CARROWMOOR_CHILD_MODE", mode.c_str(), 1);
        setenv("CARROWMOOR_CHILD_RESULT", resultFile.c_str(), 1);
        execl("/proc/self/exe", "child", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return TempDir::Read(resultFile);
}

// In the child: the result file when this process runs `mode`, else null.
inline const char* ChildResultFileFor(const char* mode) {
    const char* current = std::getenv("CARROWMOOR_CHILD_MODE");
    if (current == nullptr || std::string(current) != mode)
        return nullptr;
    return std::getenv("CARROWMOOR_CHILD_RESULT");
}
