#include "data/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Opens a temporary file that did not exist before beside the target; its
// name is returned through tempPath. The mode follows the umask like any
// newly created file.
int OpenTemporary(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + ".tmp." + std::to_string(getpid()) + "." +
                   std::to_string(counter.fetch_add(1));
        int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

bool AtomicFile::Write(const char* path, const void* data, size_t size) {
    if (path == nullptr || *path == '\0') {
        return false;
    }
    std::string tempPath;
    int fd = OpenTemporary(path, tempPath);
    if (fd < 0) {
        return false;
    }
    bool written = WriteAll(fd, static_cast<const char*>(data), size) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (written && std::rename(tempPath.c_str(), path) == 0) {
        return true;
    }
    unlink(tempPath.c_str());
    return false;
}
