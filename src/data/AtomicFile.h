#pragma once

#include <cstddef>

// Writes a whole file so that it is either completely replaced or left as it
// was: the bytes go to a fresh temporary file in the target's directory, are
// flushed to disk, and the temporary file is then renamed over the target.
// A failed write (full disk, unwritable directory, crash) never leaves a
// truncated or missing target, and no temporary file stays behind.
class AtomicFile {
public:
    static bool Write(const char* path, const void* data, size_t size);
};
