#pragma once

#include <SDL_rwops.h>

#include <cstdint>
#include <cstdio>
#include <string>

class OResourceArchive;

// An SDL read stream over one archive entry that reads the archive file as
// it goes instead of holding the entry in memory: music tracks are the
// largest entries and are played a little at a time. Each stream has its
// own file handle, so the mixer's thread can read it while the game reads
// other entries.
class ArchiveStream {
public:
    // A stream over the entry, unscrambled (free it with SDL_RWclose), or
    // null when the archive or the entry cannot be opened.
    static SDL_RWops* Open(const OResourceArchive& archive, const std::string& name);

private:
    ArchiveStream(FILE* file, uint64_t offset, uint32_t size)
        : file(file), offset(offset), size(size) {}

    static ArchiveStream* Of(SDL_RWops* context);
    static Sint64 SDLCALL Size(SDL_RWops* context);
    static Sint64 SDLCALL Seek(SDL_RWops* context, Sint64 to, int whence);
    static size_t SDLCALL Read(SDL_RWops* context, void* out, size_t objectSize,
                               size_t objectCount);
    static size_t SDLCALL Write(SDL_RWops* context, const void* in, size_t objectSize,
                                size_t objectCount);
    static int SDLCALL Close(SDL_RWops* context);

    FILE* file;
    uint64_t offset;
    uint32_t size;
    // Read position within the entry.
    uint64_t position = 0;
};
