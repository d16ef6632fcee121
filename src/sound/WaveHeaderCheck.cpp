#include "sound/WaveHeaderCheck.h"

#include <cstring>

namespace {

constexpr size_t kRiffHeader = 12;  // "RIFF", the RIFF size, "WAVE"
constexpr size_t kChunkHeader = 8;  // the chunk's name and its size
// The format chunk: format tag (2 bytes), channels (2), sample rate (4), ...
constexpr size_t kFormatBytesRead = 8;

uint32_t LittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

bool FormatIsPlayable(const uint8_t* format, uint64_t length) {
    if (length < kFormatBytesRead) {
        return true;  // too short to be read at all: the reader refuses it
    }
    const uint32_t channels = LittleEndian(format + 2, 2);
    const uint32_t rate = LittleEndian(format + 4, 4);
    return channels >= 1 && channels <= static_cast<uint32_t>(WaveHeaderCheck::kMaxChannels) &&
           rate >= 1 && rate <= WaveHeaderCheck::kMaxSampleRate;
}

}  // namespace

bool WaveHeaderCheck::Acceptable(const uint8_t* bytes, size_t size) {
    if (size < kRiffHeader || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return true;
    }
    size_t at = kRiffHeader;
    // Bytes after the last whole chunk header (padding, a cut tail) are left
    // to the reader.
    while (size - at >= kChunkHeader) {
        const uint64_t length = LittleEndian(bytes + at + 4, 4);
        const uint64_t end = at + kChunkHeader + length;
        if (end > size) {
            return false;
        }
        if (std::memcmp(bytes + at, "fmt ", 4) == 0 &&
            !FormatIsPlayable(bytes + at + kChunkHeader, length)) {
            return false;
        }
        // Chunks start on even offsets.
        at = static_cast<size_t>(end + (length & 1));
        if (at >= size) {
            break;
        }
    }
    return true;
}
