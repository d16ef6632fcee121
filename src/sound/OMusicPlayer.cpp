#include "sound/OMusicPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "sound/ArchiveStream.h"
#include "sound/OSoundSystem.h"
#include "sound/WaveHeaderCheck.h"

// Stop and Resume rely on reading and setting a stream's position.
#if !SDL_MIXER_VERSION_ATLEAST(2, 6, 0)
#error "SDL2_mixer 2.6 or newer is needed (Mix_GetMusicPosition)"
#endif

int OMusicPlayer::endCount = 0;

OMusicPlayer::~OMusicPlayer() {
    ReleaseStreams();
}

bool OMusicPlayer::AddTrack(const std::string& archiveName) {
    trackNames.push_back(archiveName);
    std::unique_ptr<uint8_t[]> bytes;
    Mix_Music* stream = nullptr;
    if (OSoundSystem::Instance().IsOpen()) {
        stream = OpenArchived(archiveName, bytes);
    }
    streams.push_back(stream);
    buffers.push_back(std::move(bytes));
    return stream != nullptr;
}

_Mix_Music* OMusicPlayer::OpenArchived(const std::string& archiveName,
                                       std::unique_ptr<uint8_t[]>& bytes) {
    OResourceArchive& archive = OResourceArchive::Instance();
    SDL_RWops* source = ArchiveStream::Open(archive, archiveName);
    if (source == nullptr) {
        return nullptr;
    }
    // WAVE headers are checked whole before the mixer sees them, so a WAVE
    // track is read into memory; every other track is read from the file as
    // it plays.
    char magic[4] = {};
    const bool wave = SDL_RWread(source, magic, 1, 4) == 4 && std::memcmp(magic, "RIFF", 4) == 0;
    if (!wave && SDL_RWseek(source, 0, RW_SEEK_SET) == 0) {
        return Mix_LoadMUS_RW(source, 1);
    }
    SDL_RWclose(source);
    bytes.reset(archive.Open(archiveName));
    Mix_Music* stream = bytes != nullptr ? OpenStream(bytes.get(), archive.lastSize) : nullptr;
    if (stream == nullptr) {
        bytes.reset();
    }
    return stream;
}

_Mix_Music* OMusicPlayer::OpenStream(const uint8_t* bytes, size_t size) {
    if (size > INT_MAX || !WaveHeaderCheck::Acceptable(bytes, size)) {
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    return source != nullptr ? Mix_LoadMUS_RW(source, 1) : nullptr;
}

void OMusicPlayer::Resume() {
    if (!OSoundSystem::Instance().IsMusicEnabled()) {
        return;
    }
    if (savedPosition == 0) {
        PlayNext();
        return;
    }
    StartCurrent(savedPosition);
    savedPosition = 0;
}

void OMusicPlayer::PlayCurrent() {
    if (!OSoundSystem::Instance().IsMusicEnabled()) {
        return;
    }
    StartCurrent(0);
    savedPosition = 0;
}

void OMusicPlayer::PlayNext() {
    if (!OSoundSystem::Instance().IsMusicEnabled()) {
        return;
    }
    ++currentIndex;
    if (currentIndex >= trackNames.size()) {
        currentIndex = 0;
    }
    PlayCurrent();
}

void OMusicPlayer::Stop() {
    savedPosition = CurrentPosition();
    Mix_Music* stream = CurrentStream();
    OSoundSystem& system = OSoundSystem::Instance();
    // Only the stream this player put on the mixer is stopped: the mixer has
    // one music stream, and it may belong to another player now.
    if (stream != nullptr && system.GetActiveStream() == stream) {
        system.HaltMusicQuietly();
    }
}

void OMusicPlayer::ReleaseStreams() {
    for (size_t i = 0; i < streams.size(); ++i) {
        if (streams[i] == nullptr) {
            continue;
        }
        OSoundSystem& system = OSoundSystem::Instance();
        if (system.GetActiveStream() == streams[i]) {
            system.HaltMusicQuietly();
        }
        Mix_FreeMusic(streams[i]);
        streams[i] = nullptr;
        buffers[i].reset();
    }
}

void OMusicPlayer::OnStreamEnd(bool raisedWhileStopping) {
    OSoundSystem& system = OSoundSystem::Instance();
    if (raisedWhileStopping || system.IsSwitching()) {
        return;
    }
    if (!system.IsMusicEnabled()) {
        return;
    }
    ++endCount;
    OMusicPlayer* current = system.GetCurrentMusic();
    if (endCount > kRepeatsBeforeNext) {
        endCount = 0;
        system.HaltMusicQuietly();
        if (system.IsMusicEnabled() && current != nullptr) {
            current->PlayNext();
        }
    } else if (system.IsMusicEnabled() && current != nullptr) {
        current->PlayCurrent();
    }
}

bool OMusicPlayer::IsPlaying() const {
    Mix_Music* stream = CurrentStream();
    return stream != nullptr && OSoundSystem::Instance().GetActiveStream() == stream &&
           Mix_PlayingMusic() != 0;
}

Mix_Music* OMusicPlayer::CurrentStream() const {
    return currentIndex < streams.size() ? streams[currentIndex] : nullptr;
}

bool OMusicPlayer::StartCurrent(uint32_t positionMs) {
    OSoundSystem& system = OSoundSystem::Instance();
    Mix_Music* stream = CurrentStream();
    if (!system.IsOpen() || stream == nullptr) {
        return false;
    }
    // A fresh start takes the option's volume, set before the first buffer.
    Mix_VolumeMusic(OSoundSystem::ToMixerVolume(SystemOptions.MusicVolume));
    if (Mix_FadeInMusicPos(stream, 0, 0, positionMs / 1000.0) != 0) {
        return false;
    }
    system.SetActiveStream(stream);
    channel = kMusicStream;
    return true;
}

uint32_t OMusicPlayer::CurrentPosition() const {
    Mix_Music* stream = CurrentStream();
    if (stream == nullptr || !OSoundSystem::Instance().IsOpen()) {
        return 0;
    }
    const double seconds = Mix_GetMusicPosition(stream);
    if (!(seconds > 0.0)) {
        return 0;
    }
    return static_cast<uint32_t>(std::lround(std::min(seconds * 1000.0, 4.0e9)));
}
