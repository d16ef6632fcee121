#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "audio/AudioWriter.h"
#include "support/TestTone.h"

namespace {

uint16_t Le16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// Decoding OGG and MP3 needs an open mixer; the dummy driver needs no device.
class AudioWriterDecodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
};

TEST(AudioWriterTest, WavHeaderAndSamplesAreExact) {
    const std::vector<int16_t> stereo = {0, 1, -1, 32767, -32768, 1234};
    const auto wav = AudioWriter::EncodeWav(stereo, 22050, 2);
    ASSERT_EQ(wav.size(), 44u + stereo.size() * 2);
    // RIFF and its length, the 16-byte PCM format chunk (format 1, 2
    // channels, 22050 Hz, 88200 bytes a second, 4-byte frames, 16 bits), the
    // data chunk and its length.
    const std::string header(
        "RIFF\x30\0\0\0WAVEfmt \x10\0\0\0\x01\0\x02\0\x22\x56\0\0\x88\x58\x01\0\x04\0\x10\0"
        "data\x0c\0\0\0",
        44);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 44), header);
    for (size_t i = 0; i < stereo.size(); ++i) {
        EXPECT_EQ(static_cast<int16_t>(Le16(wav, 44 + i * 2)), stereo[i]) << "sample " << i;
    }
}

TEST(AudioWriterTest, RefusesInputItCannotDescribe) {
    const auto tone = TestTone::Sine(440.0, 10);
    EXPECT_TRUE(AudioWriter::EncodeWav({}, 44100, 1).empty());
    EXPECT_TRUE(AudioWriter::EncodeWav(tone, 44100, 3).empty());
    EXPECT_TRUE(AudioWriter::EncodeWav(tone, 0, 1).empty());
    EXPECT_TRUE(AudioWriter::EncodeWav({1, 2, 3}, 44100, 2).empty());  // half a frame
    EXPECT_TRUE(AudioWriter::EncodeOgg({}, 44100, 1, 0.5f).empty());
    EXPECT_TRUE(AudioWriter::EncodeOgg(tone, 44100, 0, 0.5f).empty());
    EXPECT_TRUE(AudioWriter::EncodeMp3({}, 44100, 1, 128).empty());
    EXPECT_TRUE(AudioWriter::EncodeMp3(tone, 44100, 1, 0).empty());
}

TEST_F(AudioWriterDecodeTest, OggAndMp3DecodeToTheToneAtItsLevelAndMp3Gapless) {
    // A whole number of periods, so the tone is loud from the first sample.
    // MP3 must decode to exactly its frames: without the encoder delay and
    // padding recorded in the stream, about 2,000 frames of silence would be
    // added and the tunes would not loop seamlessly.
    for (const auto& [mp3, channels, slack] :
         {std::tuple{false, 2, 64}, std::tuple{true, 1, 0}, std::tuple{true, 2, 0}}) {
        SCOPED_TRACE(std::string(mp3 ? "mp3 " : "ogg ") + std::to_string(channels));
        const auto tone = TestTone::Sine(441.0, 1000, 44100, channels);
        const auto bytes = mp3 ? AudioWriter::EncodeMp3(tone, 44100, channels, 128)
                               : AudioWriter::EncodeOgg(tone, 44100, channels, 0.5f);
        // Decoded into the mixer's format: 44100 Hz, 16-bit stereo.
        Mix_Chunk* chunk =
            Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        // Four bytes a frame.
        EXPECT_NEAR(chunk->alen / 4.0, static_cast<double>(tone.size() / channels), slack);
        const auto* decoded = reinterpret_cast<const int16_t*>(chunk->abuf);
        const double level = TestTone::Rms(tone.data(), tone.size());
        EXPECT_NEAR(TestTone::Rms(decoded, chunk->alen / 2), level, level * 0.1);
        EXPECT_GT(TestTone::Rms(decoded, 2 * 441), 0.3 * level) << "the first 10 ms are silent";
        Mix_FreeChunk(chunk);
    }
}

}  // namespace
