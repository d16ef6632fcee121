#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _Mix_Music;

// A list of music tracks streamed from archive entries, one playing at a time on the mixer's music
// stream. Stop remembers where the track was, Resume continues from there. Every start is gated by
// the sound system's music switch and takes the MusicVolume option.
class OMusicPlayer {
public:
    // The value of the channel once the player has started its stream.
    static constexpr int kMusicStream = 0;
    // End reports after which a track gives way to the next one.
    static constexpr int kRepeatsBeforeNext = 16;

    OMusicPlayer() = default;
    ~OMusicPlayer();
    OMusicPlayer(const OMusicPlayer&) = delete;
    OMusicPlayer& operator=(const OMusicPlayer&) = delete;

    // Appends the track, read from the archive file as it plays (a WAVE
    // track is held in memory). False when the entry or the decoder gave
    // nothing (the track is kept and plays nothing).
    bool AddTrack(const std::string& archiveName);
    // A music stream over a file held in memory (WAV, OGG, MP3), which must
    // outlive the stream (free it with Mix_FreeMusic); null when the mixer
    // is not open or the bytes are no music it can read (WAV headers as for
    // OSoundSystem::DecodeSample).
    static _Mix_Music* OpenStream(const uint8_t* bytes, size_t size);

    // With a saved position, continues the current track there (and forgets
    // the position); without one, PlayNext.
    void Resume();
    // The current track from its beginning.
    void PlayCurrent();
    // The next track (after the last comes the first) from its beginning.
    void PlayNext();
    // Saves the current track's position and stops it. Works while music is
    // switched off too.
    void Stop();

    // Frees the decoders (the mixer is about to close); the player then plays
    // nothing.
    void ReleaseStreams();

    // The end handler, run on the main thread for each end report of the
    // music stream. `raisedWhileStopping` says the game itself was stopping
    // the music when the report was raised.
    static void OnStreamEnd(bool raisedWhileStopping);
    // End reports counted since the last move to a next track, shared by
    // every player.
    static int GetEndCount() { return endCount; }

    int GetChannel() const { return channel; }
    uint16_t GetCurrentIndex() const { return currentIndex; }
    // Milliseconds into the track where Stop left it; 0 when none is saved.
    uint32_t GetSavedPosition() const { return savedPosition; }
    const std::vector<std::string>& GetTrackNames() const { return trackNames; }
    // Whether this player's current track is the one on the music stream and
    // still sounding (paused counts).
    bool IsPlaying() const;

private:
    // The track's stream; `bytes` takes the entry when it has to be held in
    // memory.
    static _Mix_Music* OpenArchived(const std::string& archiveName,
                                    std::unique_ptr<uint8_t[]>& bytes);
    _Mix_Music* CurrentStream() const;
    // Starts the current stream at the position (ms) with the MusicVolume
    // option; false when there is nothing to start.
    bool StartCurrent(uint32_t positionMs);
    uint32_t CurrentPosition() const;

    int channel = -1;
    std::vector<std::string> trackNames;
    std::vector<_Mix_Music*> streams;
    std::vector<std::unique_ptr<uint8_t[]>> buffers;
    uint16_t currentIndex = 0;
    uint32_t savedPosition = 0;

    static int endCount;
};
