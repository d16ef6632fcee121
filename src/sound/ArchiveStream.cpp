#include "sound/ArchiveStream.h"

#include <SDL_error.h>

#include <algorithm>

#include "data/OResourceArchive.h"
#include "data/Scrambler.h"

SDL_RWops* ArchiveStream::Open(const OResourceArchive& archive, const std::string& name) {
    uint32_t size = 0;
    FILE* file = archive.OpenAt(name, size);
    if (file == nullptr) {
        return nullptr;
    }
    const uint64_t offset = static_cast<uint64_t>(ftello(file));
    SDL_RWops* context = SDL_AllocRW();
    if (context == nullptr) {
        std::fclose(file);
        return nullptr;
    }
    context->type = SDL_RWOPS_UNKNOWN;
    context->size = Size;
    context->seek = Seek;
    context->read = Read;
    context->write = Write;
    context->close = Close;
    context->hidden.unknown.data1 = new ArchiveStream(file, offset, size);
    return context;
}

ArchiveStream* ArchiveStream::Of(SDL_RWops* context) {
    return static_cast<ArchiveStream*>(context->hidden.unknown.data1);
}

Sint64 ArchiveStream::Size(SDL_RWops* context) {
    return Of(context)->size;
}

Sint64 ArchiveStream::Seek(SDL_RWops* context, Sint64 to, int whence) {
    ArchiveStream& stream = *Of(context);
    Sint64 base = 0;
    if (whence == RW_SEEK_CUR) {
        base = static_cast<Sint64>(stream.position);
    } else if (whence == RW_SEEK_END) {
        base = stream.size;
    } else if (whence != RW_SEEK_SET) {
        return SDL_SetError("unknown seek origin");
    }
    const Sint64 target = base + to;
    if (target < 0 || target > stream.size) {
        return SDL_SetError("seek outside the archive entry");
    }
    stream.position = static_cast<uint64_t>(target);
    return target;
}

size_t ArchiveStream::Read(SDL_RWops* context, void* out, size_t objectSize, size_t objectCount) {
    ArchiveStream& stream = *Of(context);
    if (objectSize == 0 || objectCount == 0) {
        return 0;
    }
    // Whole objects only, as SDL's own streams read.
    const uint64_t objects =
        std::min<uint64_t>(objectCount, (stream.size - stream.position) / objectSize);
    const uint64_t wanted = objects * objectSize;
    const uint64_t at = stream.offset + stream.position;
    if (wanted == 0 || fseeko(stream.file, static_cast<off_t>(at), SEEK_SET) != 0) {
        return 0;
    }
    auto* bytes = static_cast<uint8_t*>(out);
    const size_t got = std::fread(bytes, 1, static_cast<size_t>(wanted), stream.file);
    // The scrambling is one constant per byte, so any piece of the scrambled
    // head unscrambles on its own.
    if (stream.position < Scrambler::kArchiveScrambledBytes) {
        const size_t head = Scrambler::kArchiveScrambledBytes - stream.position;
        Scrambler::Archive(bytes, std::min(got, head));
    }
    stream.position += got;
    return got / objectSize;
}

size_t ArchiveStream::Write(SDL_RWops*, const void*, size_t, size_t) {
    SDL_SetError("archive entries are read-only");
    return 0;
}

int ArchiveStream::Close(SDL_RWops* context) {
    ArchiveStream* stream = Of(context);
    std::fclose(stream->file);
    delete stream;
    SDL_FreeRW(context);
    return 0;
}
