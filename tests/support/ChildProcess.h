#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
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

// An X server of the test's own, so that nothing else on the shared test
// display can take the pointer or the keyboard focus. Stopped (by its
// process id) when the object goes.
class PrivateXvfb {
public:
    PrivateXvfb() {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp",
                   "-screen", "0", "1024x768x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // The number comes in one write and its newline in another; the
        // server dies if the pipe is closed in between.
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty() && WaitUntilListening(std::atoi(number.c_str()))) {
            display = ":" + number;
        }
    }
    ~PrivateXvfb() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    PrivateXvfb(const PrivateXvfb&) = delete;
    PrivateXvfb& operator=(const PrivateXvfb&) = delete;

    // ":N", or empty when the server could not be started.
    const std::string& Display() const { return display; }

private:
    // The server names its display before it takes connections.
    static bool WaitUntilListening(int number) {
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof(address.sun_path), "/tmp/.X11-unix/X%d", number);
        for (int attempt = 0; attempt < 500; ++attempt) {
            int fd = socket(AF_UNIX, SOCK_STREAM, 0);
            bool connected =
                connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
            close(fd);
            if (connected)
                return true;
            usleep(10000);
        }
        return false;
    }

    pid_t pid = -1;
    std::string display;
};
