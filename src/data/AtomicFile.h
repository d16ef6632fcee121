#pragma once

#include <cstddef>

// Writes a whole file so that it is either completely replaced or left as it
// was: the bytes go to a fresh temporary file in the target's directory, are
// flushed to disk, the temporary file is renamed over the target and the
// directory is flushed too, so neither a crash nor a power cut leaves a
// truncated, empty or missing target, and no temporary file stays behind.
// A write that fails is told in the log: the file and the system's reason.
class AtomicFile {
public:
    static bool Write(const char* path, const void* data, size_t size);
};
