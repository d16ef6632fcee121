#include "data/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/OErrorLog.h"

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;  // no progress: give up rather than spin
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

// Flushes the directory entry of a renamed file. The new file is already in
// place; a directory that cannot be flushed changes nothing about that.
void FlushDirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string directory =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool Fail(const char* path, const char* step, int error) {
    OErrorLog::Instance().Message("The file %s was not saved (%s: %s); the old file is kept", path,
                                  step, std::strerror(error));
    return false;
}

}  // namespace

bool AtomicFile::Write(const char* path, const void* data, size_t size) {
    if (path == nullptr || *path == '\0') {
        return false;
    }
    std::string tempPath;
    int fd = OpenTemporary(path, tempPath);
    if (fd < 0) {
        return Fail(path, "creating a temporary file", errno);
    }
    const char* step = nullptr;
    if (!WriteAll(fd, static_cast<const char*>(data), size)) {
        step = "writing";
    } else if (fsync(fd) != 0) {
        step = "flushing to disk";
    }
    int error = errno;
    if (close(fd) != 0 && step == nullptr) {
        step = "closing";
        error = errno;
    }
    if (step == nullptr && std::rename(tempPath.c_str(), path) != 0) {
        step = "replacing the old file";
        error = errno;
    }
    if (step != nullptr) {
        unlink(tempPath.c_str());
        return Fail(path, step, error);
    }
    FlushDirectoryOf(path);
    return true;
}
