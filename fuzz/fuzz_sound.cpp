// Feeds arbitrary bytes to the sound loaders as a file held in memory, the
// way the game hands over archive entries: decoded whole as a sample (WAV,
// OGG, MP3) and opened as a music stream, on a mixer opened on SDL's dummy
// audio driver.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"

// An allocation the libraries cannot make (SDL's resampler asks calloc for a
// negative count when a file claims a sample rate of megahertz) returns null
// to them, as it does in the game, instead of ending the run: what is tested
// is that they cope with it.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool open = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return OSoundSystem::Instance().Init();
    }();
    if (!open) {
        __builtin_trap();  // the dummy driver is always there
    }
    if (Mix_Chunk* chunk = OSoundSystem::DecodeSample(data, size)) {
        // A file whose header does not match its data (six channels in two-byte
        // frames) may decode to a part frame at the end; the mixer only ever
        // reads within alen.
        if (chunk->alen > 0 && chunk->abuf == nullptr) {
            __builtin_trap();
        }
        Mix_FreeChunk(chunk);
    }
    if (Mix_Music* stream = OMusicPlayer::OpenStream(data, size)) {
        Mix_GetMusicType(stream);
        Mix_MusicDuration(stream);
        Mix_GetMusicTitle(stream);
        Mix_FreeMusic(stream);
    }
    return 0;
}
