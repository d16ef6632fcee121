#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "data/SystemOptions.h"

class O3D;
class OMusicPlayer;
struct Mix_Chunk;
union SDL_Event;

// Sound effects by number and the music players, over SDL2_mixer.
//
// Volumes are on the game's 0..255 scale (clamped) and scaled to the mixer's
// 0..128. Channel numbers handed out are the mixer channel plus one, so 0
// stays "no sound"; -1 means nothing could be started. Without an audio
// device every operation fails quietly and the game runs silent.
//
// The mixer reports the end of a music stream on its own thread; that report
// only becomes an SDL event. The message loop hands every event to
// HandleEvent, which runs the end handler on the main thread.
class OSoundSystem {
public:
    static constexpr int kMixChannels = 32;
    static constexpr int kMaxVolume = 255;

    static OSoundSystem& Instance();

    ~OSoundSystem();
    OSoundSystem(const OSoundSystem&) = delete;
    OSoundSystem& operator=(const OSoundSystem&) = delete;

    // Opens the mixer (44100 Hz, 16-bit stereo, 32 channels). On success both
    // switches are on and the switching flag is clear; false (and sound
    // disabled) when there is no usable device.
    bool Init();
    // Frees every sample and stream and closes the mixer; sound is disabled.
    void Close();
    bool IsOpen() const { return open; }

    // Start-up: Init, then the options copied in, then the two interface
    // sounds. Returns what Init returned.
    bool StartUp(const SystemOptionsRecord& options);
    // Sound and Music into the switches, the volumes from SoundVolume and
    // MusicVolume; the effect volume is 0 while Sound is off.
    void CopyOptions(const SystemOptionsRecord& options);
    // The two music players with their tracks, registered as 0 (menu) and 1
    // (game); the menu's becomes current without starting.
    void LoadMusic();
    // Only the menu's player (0), made current without starting: what the
    // program needs before the first menu frame.
    void LoadMenuMusic();
    // The train's and the block moves' sounds (100 to 104, 110 to 112).
    void LoadGameSounds();
    // The game's player (1) and the game sounds, when the first game starts;
    // later calls do nothing while the mixer stays open.
    void LoadGameAudio();

    // Decodes the archive entry into a sample stored under the id, replacing
    // any earlier one. False when the entry or the mixer gave nothing; the id
    // then plays nothing.
    bool LoadSample(int id, const std::string& archiveName, bool looping);
    // Decodes a whole WAV, OGG or MP3 file held in memory into a mixer sample
    // (the caller frees it with Mix_FreeChunk); null when the mixer is not
    // open or the bytes are no sound it can read (WaveHeaderCheck keeps the
    // WAV headers that would make the mixer misbehave away from it).
    static Mix_Chunk* DecodeSample(const uint8_t* bytes, size_t size);

    // Starts the sample at the effect volume. Id 0 plays nothing and returns
    // 0; an id without a sample, no device or no free channel return -1.
    // The priority is accepted for the callers' sake: the mixer never takes
    // a busy channel away, so it decides nothing.
    int PlaySound(int id, int priority);
    // As PlaySound; with track set the channel follows the object's position.
    int PlaySound3D(int id, const O3D* object, bool track, int priority);
    // Per-frame hook of the game screen. The game sets no listener, so
    // positions have no audible effect; channels that fell silent stop
    // being tracked.
    void UpdateTracked();

    // Channel 0 (and any number that is no channel) returns false.
    bool StopChannel(int channel);
    // Stops every effect and the music.
    void StopAllSounds();
    // Pauses or resumes every effect and the music.
    void PauseAllSounds(bool pause);

    // Only while sound is enabled: sets every channel's volume and the effect
    // volume. The music keeps its own.
    void SetSoundVolume(int volume);
    // Stores the music volume and applies it to the current player's stream
    // once that player has played.
    void SetMusicVolume(int volume);
    int GetEffectVolume() const { return effectVolume; }
    int GetMusicVolume() const { return musicVolume; }

    void SetSoundEnabled(bool enabled) { soundEnabled = enabled; }
    bool IsSoundEnabled() const { return soundEnabled; }
    void SetMusicEnabled(bool enabled) { musicEnabled = enabled; }
    bool IsMusicEnabled() const { return musicEnabled; }
    // Set while SelectMusic stops the players.
    bool IsSwitching() const { return switching; }

    // Takes ownership of the player and stores it under the index (deleting
    // any other player stored there). Returns the player.
    OMusicPlayer* RegisterMusic(int index, std::unique_ptr<OMusicPlayer> player);
    // Stops every player, ignoring the end reports that raises, and makes the
    // player of the index current (null for an unknown index). Starts nothing.
    void SelectMusic(int index);
    OMusicPlayer* GetMusic(int index) const;
    OMusicPlayer* GetCurrentMusic() const { return currentMusic; }

    // True when the event was a music stream's end report; the end handler
    // has then run. Reports queued behind a new start of the music are stale
    // and only consumed.
    bool HandleEvent(const SDL_Event& event);
    // The SDL event type of end reports (0 before the first Init).
    uint32_t GetStreamEndEventType() const { return streamEndEvent; }

    // Stops the music stream in a way the end handler ignores; the players
    // and StopAllSounds stop through here.
    void HaltMusicQuietly();
    // The mixer's music stream as last started by a player (null after a
    // halt through HaltMusicQuietly).
    void SetActiveStream(const void* stream) { activeStream = stream; }
    const void* GetActiveStream() const { return activeStream; }

    // Mixer volume (0..128) for a game volume, clamped to 0..255 first.
    static int ToMixerVolume(int volume);
    static int ClampVolume(int volume);

    // Every id that PlaySound or PlaySound3D was asked for (0 excepted),
    // whether or not anything could be heard, oldest first; only the most
    // recent kPlayedIdLimit are kept. For tests of the game's sound cues.
    static constexpr size_t kPlayedIdLimit = 1024;
    const std::deque<int>& PlayedIds() const { return playedIds; }
    void ClearPlayedIds() { playedIds.clear(); }

    // Channels currently tracked by PlaySound3D.
    size_t GetTrackedCount() const { return tracked.size(); }

private:
    struct Sample {
        Mix_Chunk* chunk = nullptr;
        bool looping = false;
    };
    struct TrackedChannel {
        int channel = 0;
        const O3D* object = nullptr;
    };

    OSoundSystem() = default;

    int StartSample(int id);
    void RecordPlayed(int id);
    void FreeSamples();
    void ReleaseMusicStreams();
    static void MusicFinished();

    std::map<int, Sample> samples;
    std::map<int, TrackedChannel> tracked;
    OMusicPlayer* currentMusic = nullptr;
    std::map<int, std::unique_ptr<OMusicPlayer>> musicPlayers;
    // Read by the mixer's thread when it reports a stream end.
    std::atomic<bool> switching{false};
    std::atomic<int> quietHalts{0};
    int effectVolume = kMaxVolume;
    int musicVolume = kMaxVolume;
    bool soundEnabled = false;
    bool musicEnabled = false;
    bool open = false;
    // The game's music and sounds are in (LoadGameAudio) on the open mixer.
    bool gameAudioLoaded = false;
    uint32_t streamEndEvent = 0;
    const void* activeStream = nullptr;
    std::deque<int> playedIds;
};
