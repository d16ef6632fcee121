#include "sound/OSoundSystem.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <climits>

#include "data/OResourceArchive.h"
#include "sound/OMusicPlayer.h"
#include "sound/WaveHeaderCheck.h"

namespace {

struct SampleName {
    int id;
    const char* name;
    bool looping;
};

constexpr SampleName kInterfaceSounds[] = {
    {1, "Data/Sounds/Interface/MsOver.Wav", false},
    {2, "Data/Sounds/Interface/MsClik.Wav", false},
};

constexpr SampleName kGameSounds[] = {
    {100, "Data/Sounds/Engine.Wav", true},       {101, "Data/Sounds/TuTu.Ogg", false},
    {102, "Data/Sounds/EngineStop.Ogg", false},  {103, "Data/Sounds/EngineSlow.Ogg", false},
    {104, "Data/Sounds/SemaforNear.Ogg", false}, {110, "Data/Sounds/RotateRail.Wav", false},
    {111, "Data/Sounds/MoveRail.Wav", false},    {112, "Data/Sounds/NoMove.Wav", false},
};

// The events subsystem carries the music's end reports.
constexpr Uint32 kSubsystems = SDL_INIT_AUDIO | SDL_INIT_EVENTS;

constexpr const char* kMenuTrack = "Data/Music/Menu.Mp3";
constexpr const char* kGameTrack = "Data/Music/Game/A.Mp3";

}  // namespace

OSoundSystem& OSoundSystem::Instance() {
    static OSoundSystem system;
    return system;
}

OSoundSystem::~OSoundSystem() {
    Close();
    currentMusic = nullptr;
    musicPlayers.clear();
}

bool OSoundSystem::Init() {
    if (open) {
        return true;
    }
    if (streamEndEvent == 0) {
        const Uint32 type = SDL_RegisterEvents(1);
        if (type != static_cast<Uint32>(-1)) {
            streamEndEvent = type;
        }
    }
    soundEnabled = false;
    if (SDL_InitSubSystem(kSubsystems) != 0) {
        return false;
    }
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(kSubsystems);
        return false;
    }
    Mix_AllocateChannels(kMixChannels);
    Mix_HookMusicFinished(&OSoundSystem::MusicFinished);
    open = true;
    switching = false;
    soundEnabled = true;
    musicEnabled = true;
    return true;
}

void OSoundSystem::Close() {
    soundEnabled = false;
    if (!open) {
        return;
    }
    // Closing halts the music; that is no end of a track.
    Mix_HookMusicFinished(nullptr);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    tracked.clear();
    FreeSamples();
    ReleaseMusicStreams();
    activeStream = nullptr;
    gameAudioLoaded = false;
    Mix_CloseAudio();
    Mix_Quit();
    if (streamEndEvent != 0) {
        SDL_FlushEvent(streamEndEvent);
    }
    SDL_QuitSubSystem(kSubsystems);
    open = false;
}

bool OSoundSystem::StartUp(const SystemOptionsRecord& options) {
    const bool started = Init();
    CopyOptions(options);
    for (const SampleName& sound : kInterfaceSounds) {
        LoadSample(sound.id, sound.name, sound.looping);
    }
    return started;
}

void OSoundSystem::CopyOptions(const SystemOptionsRecord& options) {
    soundEnabled = options.Sound != 0;
    effectVolume = soundEnabled ? ClampVolume(options.SoundVolume) : 0;
    musicVolume = ClampVolume(options.MusicVolume);
    musicEnabled = options.Music != 0;
}

void OSoundSystem::LoadMusic() {
    LoadMenuMusic();
    auto game = std::make_unique<OMusicPlayer>();
    game->AddTrack(kGameTrack);
    RegisterMusic(1, std::move(game));
    SelectMusic(0);
}

void OSoundSystem::LoadMenuMusic() {
    auto menu = std::make_unique<OMusicPlayer>();
    menu->AddTrack(kMenuTrack);
    RegisterMusic(0, std::move(menu));
    SelectMusic(0);
}

void OSoundSystem::LoadGameSounds() {
    for (const SampleName& sound : kGameSounds) {
        LoadSample(sound.id, sound.name, sound.looping);
    }
}

void OSoundSystem::LoadGameAudio() {
    if (gameAudioLoaded) {
        return;
    }
    // Registering the game's player leaves the current one current.
    OMusicPlayer* current = currentMusic;
    const bool gameWasCurrent = current != nullptr && current == GetMusic(1);
    auto player = std::make_unique<OMusicPlayer>();
    player->AddTrack(kGameTrack);
    OMusicPlayer* game = RegisterMusic(1, std::move(player));
    currentMusic = gameWasCurrent ? game : current;
    LoadGameSounds();
    gameAudioLoaded = open;
}

bool OSoundSystem::LoadSample(int id, const std::string& archiveName, bool looping) {
    OResourceArchive& archive = OResourceArchive::Instance();
    // The sample is decoded into the mixer's own buffer; the entry goes at once.
    std::unique_ptr<uint8_t[]> bytes(archive.Open(archiveName));
    Mix_Chunk* chunk = nullptr;
    if (open && bytes != nullptr) {
        chunk = DecodeSample(bytes.get(), archive.lastSize);
    }
    Sample& sample = samples[id];
    if (sample.chunk != nullptr) {
        Mix_FreeChunk(sample.chunk);
    }
    sample.chunk = chunk;
    sample.looping = looping;
    return chunk != nullptr;
}

Mix_Chunk* OSoundSystem::DecodeSample(const uint8_t* bytes, size_t size) {
    if (size > INT_MAX || !WaveHeaderCheck::Acceptable(bytes, size)) {
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (source == nullptr) {
        return nullptr;
    }
    // Closed here, not by the mixer: for some unreadable files it forgets to.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 0);
    SDL_RWclose(source);
    // The mixer converts a WAVE in a buffer sized for its widest step (twice
    // the result for a mono file) and keeps all of it; the tail goes back.
    if (chunk != nullptr && chunk->allocated != 0 && chunk->alen > 0) {
        if (void* fitted = SDL_realloc(chunk->abuf, chunk->alen)) {
            chunk->abuf = static_cast<Uint8*>(fitted);
        }
    }
    return chunk;
}

int OSoundSystem::PlaySound(int id, int priority) {
    if (id == 0) {
        return 0;
    }
    RecordPlayed(id);
    return StartSample(id);
}

int OSoundSystem::PlaySound3D(int id, const O3D* object, bool track, int priority) {
    if (id == 0) {
        return 0;
    }
    RecordPlayed(id);
    const int channel = StartSample(id);
    if (channel > 0 && track && object != nullptr) {
        tracked[channel] = TrackedChannel{channel, object};
    }
    return channel;
}

void OSoundSystem::UpdateTracked() {
    for (auto it = tracked.begin(); it != tracked.end();) {
        if (open && Mix_Playing(it->first - 1) != 0) {
            ++it;
        } else {
            it = tracked.erase(it);
        }
    }
}

bool OSoundSystem::StopChannel(int channel) {
    if (!open || channel <= 0 || channel > kMixChannels) {
        return false;
    }
    Mix_HaltChannel(channel - 1);
    tracked.erase(channel);
    return true;
}

void OSoundSystem::StopAllSounds() {
    if (!open) {
        return;
    }
    Mix_HaltChannel(-1);
    HaltMusicQuietly();
    tracked.clear();
}

void OSoundSystem::PauseAllSounds(bool pause) {
    if (!open) {
        return;
    }
    if (pause) {
        Mix_Pause(-1);
        Mix_PauseMusic();
    } else {
        Mix_Resume(-1);
        Mix_ResumeMusic();
    }
}

void OSoundSystem::SetSoundVolume(int volume) {
    if (!soundEnabled) {
        return;
    }
    effectVolume = ClampVolume(volume);
    if (open) {
        Mix_Volume(-1, ToMixerVolume(effectVolume));
    }
}

void OSoundSystem::SetMusicVolume(int volume) {
    musicVolume = ClampVolume(volume);
    if (open && currentMusic != nullptr && currentMusic->GetChannel() != -1) {
        Mix_VolumeMusic(ToMixerVolume(musicVolume));
    }
}

OMusicPlayer* OSoundSystem::RegisterMusic(int index, std::unique_ptr<OMusicPlayer> player) {
    std::unique_ptr<OMusicPlayer>& slot = musicPlayers[index];
    if (slot != nullptr && currentMusic == slot.get()) {
        currentMusic = nullptr;
    }
    slot = std::move(player);
    return slot.get();
}

void OSoundSystem::SelectMusic(int index) {
    switching = true;
    for (auto& entry : musicPlayers) {
        if (entry.second != nullptr) {
            entry.second->Stop();
        }
    }
    switching = false;
    currentMusic = GetMusic(index);
}

OMusicPlayer* OSoundSystem::GetMusic(int index) const {
    auto found = musicPlayers.find(index);
    return found == musicPlayers.end() ? nullptr : found->second.get();
}

bool OSoundSystem::HandleEvent(const SDL_Event& event) {
    if (streamEndEvent == 0 || event.type != streamEndEvent) {
        return false;
    }
    // The report waited in the queue; when music has been started since, it
    // speaks of a stream that is gone.
    if (open && Mix_PlayingMusic() != 0) {
        return true;
    }
    OMusicPlayer::OnStreamEnd(event.user.code != 0);
    return true;
}

void OSoundSystem::HaltMusicQuietly() {
    activeStream = nullptr;
    if (!open) {
        return;
    }
    ++quietHalts;
    Mix_HaltMusic();
    --quietHalts;
}

int OSoundSystem::ClampVolume(int volume) {
    return std::clamp(volume, 0, kMaxVolume);
}

int OSoundSystem::ToMixerVolume(int volume) {
    return (ClampVolume(volume) * MIX_MAX_VOLUME + kMaxVolume / 2) / kMaxVolume;
}

int OSoundSystem::StartSample(int id) {
    if (!open) {
        return -1;
    }
    auto found = samples.find(id);
    if (found == samples.end() || found->second.chunk == nullptr) {
        return -1;
    }
    // The volume goes on before the sound starts, so not one buffer of it is
    // mixed at the channel's previous volume.
    const int mixChannel = Mix_GroupAvailable(-1);
    if (mixChannel < 0) {
        return -1;
    }
    Mix_Volume(mixChannel, ToMixerVolume(effectVolume));
    if (Mix_PlayChannel(mixChannel, found->second.chunk, found->second.looping ? -1 : 0) < 0) {
        return -1;
    }
    tracked.erase(mixChannel + 1);
    return mixChannel + 1;
}

void OSoundSystem::RecordPlayed(int id) {
    playedIds.push_back(id);
    if (playedIds.size() > kPlayedIdLimit) {
        playedIds.pop_front();
    }
}

void OSoundSystem::FreeSamples() {
    for (auto& entry : samples) {
        if (entry.second.chunk != nullptr) {
            Mix_FreeChunk(entry.second.chunk);
        }
    }
    samples.clear();
}

void OSoundSystem::ReleaseMusicStreams() {
    for (auto& entry : musicPlayers) {
        if (entry.second != nullptr) {
            entry.second->ReleaseStreams();
        }
    }
}

// Runs on the mixer's thread (or inside a halt on the caller's): SDL_mixer
// may not be called here, so the report only becomes an event, marked when
// the game itself was stopping the music at that moment.
void OSoundSystem::MusicFinished() {
    OSoundSystem& system = Instance();
    if (system.streamEndEvent == 0) {
        return;
    }
    SDL_Event event;
    SDL_zero(event);
    event.type = system.streamEndEvent;
    event.user.code = (system.switching || system.quietHalts > 0) ? 1 : 0;
    SDL_PushEvent(&event);
}
