#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Turns signed 16-bit PCM (mono, or stereo interleaved left/right) into the
// bytes of a WAV, OGG Vorbis or MP3 file. Every encoder is deterministic: the
// same samples and settings always give the same bytes, so generated game
// data is reproducible. An empty result means the input or settings were
// refused (no samples, a channel count other than 1 or 2, a bad rate).
class AudioWriter {
public:
    // RIFF/WAVE, PCM, 16 bits per sample.
    static std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate,
                                          int channels);

    // Vorbis in an Ogg stream with a fixed serial number; quality is the
    // encoder's VBR quality, -0.1 (smallest) to 1.0 (best).
    static std::vector<uint8_t> EncodeOgg(const std::vector<int16_t>& samples, int sampleRate,
                                          int channels, float quality);

    // MPEG audio layer III at a constant bit rate (LAME takes the nearest rate
    // the format has), without ID3 or VBR tags.
    static std::vector<uint8_t> EncodeMp3(const std::vector<int16_t>& samples, int sampleRate,
                                          int channels, int bitrateKbps);

    // Writes the bytes to the file, creating missing parent directories.
    static bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

    // The serial number of every Ogg stream written.
    static constexpr int kOggSerial = 0x4b765231;
};
