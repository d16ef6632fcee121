#include "audio/AudioWriter.h"

#include <lame/lame.h>
#include <ogg/ogg.h>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

bool ValidInput(const std::vector<int16_t>& samples, int sampleRate, int channels) {
    if (channels != 1 && channels != 2) {
        return false;
    }
    if (sampleRate < 8000 || sampleRate > 192000) {
        return false;
    }
    return !samples.empty() && samples.size() % static_cast<size_t>(channels) == 0;
}

void PutLe16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xff));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t value) {
    PutLe16(out, value & 0xffff);
    PutLe16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Owns the libvorbis/libogg encoder state for one stream.
struct VorbisEncoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool analysisReady = false;

    VorbisEncoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
        ogg_stream_init(&stream, AudioWriter::kOggSerial);
    }
    ~VorbisEncoder() {
        ogg_stream_clear(&stream);
        if (analysisReady) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool Start(int sampleRate, int channels, float quality) {
        if (vorbis_encode_init_vbr(&info, channels, sampleRate, quality) != 0) {
            return false;
        }
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        analysisReady = true;
        return true;
    }

    void WriteHeaders(std::vector<uint8_t>& out) {
        ogg_packet id;
        ogg_packet comments;
        ogg_packet codebooks;
        vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &codebooks);
        ogg_stream_packetin(&stream, &id);
        ogg_stream_packetin(&stream, &comments);
        ogg_stream_packetin(&stream, &codebooks);
        ogg_page page;
        // The headers end on a page of their own, as the format expects.
        while (ogg_stream_flush(&stream, &page) != 0) {
            AppendPage(out, page);
        }
    }

    void Feed(const int16_t* interleaved, int frames, int channels) {
        float** buffer = vorbis_analysis_buffer(&dsp, frames);
        for (int frame = 0; frame < frames; ++frame) {
            for (int c = 0; c < channels; ++c) {
                buffer[c][frame] = interleaved[frame * channels + c] / 32768.0f;
            }
        }
        vorbis_analysis_wrote(&dsp, frames);
    }

    void Drain(std::vector<uint8_t>& out) {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    AppendPage(out, page);
                }
            }
        }
    }

    void Finish(std::vector<uint8_t>& out) {
        vorbis_analysis_wrote(&dsp, 0);
        Drain(out);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0) {
            AppendPage(out, page);
        }
    }
};

// Owns one LAME encoder.
struct LameEncoder {
    lame_global_flags* flags = lame_init();
    ~LameEncoder() {
        if (flags != nullptr) {
            lame_close(flags);
        }
    }
    LameEncoder() = default;
    LameEncoder(const LameEncoder&) = delete;
    LameEncoder& operator=(const LameEncoder&) = delete;

    bool Start(int sampleRate, int channels, int bitrateKbps) {
        if (flags == nullptr) {
            return false;
        }
        lame_set_num_channels(flags, channels);
        lame_set_in_samplerate(flags, sampleRate);
        lame_set_out_samplerate(flags, sampleRate);
        lame_set_mode(flags, channels == 1 ? MONO : JOINT_STEREO);
        lame_set_VBR(flags, vbr_off);
        lame_set_brate(flags, bitrateKbps);
        lame_set_quality(flags, 2);
        // An Info tag in the first frame records the encoder delay and the
        // padding, so decoders drop them and the tunes loop without a gap.
        // ID3 tags are of no use inside the archive.
        lame_set_bWriteVbrTag(flags, 1);
        lame_set_write_id3tag_automatic(flags, 0);
        return lame_init_params(flags) >= 0;
    }
};

}  // namespace

std::vector<uint8_t> AudioWriter::EncodeWav(const std::vector<int16_t>& samples, int sampleRate,
                                            int channels) {
    std::vector<uint8_t> out;
    if (!ValidInput(samples, sampleRate, channels)) {
        return out;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    const uint32_t blockAlign = static_cast<uint32_t>(channels * 2);
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutLe32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe32(out, 16);
    PutLe16(out, 1);  // PCM
    PutLe16(out, static_cast<uint32_t>(channels));
    PutLe32(out, static_cast<uint32_t>(sampleRate));
    PutLe32(out, static_cast<uint32_t>(sampleRate) * blockAlign);
    PutLe16(out, blockAlign);
    PutLe16(out, 16);
    PutTag(out, "data");
    PutLe32(out, dataBytes);
    for (int16_t sample : samples) {
        PutLe16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

std::vector<uint8_t> AudioWriter::EncodeOgg(const std::vector<int16_t>& samples, int sampleRate,
                                            int channels, float quality) {
    std::vector<uint8_t> out;
    if (!ValidInput(samples, sampleRate, channels)) {
        return out;
    }
    VorbisEncoder encoder;
    if (!encoder.Start(sampleRate, channels, std::clamp(quality, -0.1f, 1.0f))) {
        return out;
    }
    encoder.WriteHeaders(out);
    const int totalFrames = static_cast<int>(samples.size() / static_cast<size_t>(channels));
    constexpr int kChunkFrames = 4096;
    for (int first = 0; first < totalFrames; first += kChunkFrames) {
        const int frames = std::min(kChunkFrames, totalFrames - first);
        encoder.Feed(samples.data() + static_cast<size_t>(first) * channels, frames, channels);
        encoder.Drain(out);
    }
    encoder.Finish(out);
    return out;
}

std::vector<uint8_t> AudioWriter::EncodeMp3(const std::vector<int16_t>& samples, int sampleRate,
                                            int channels, int bitrateKbps) {
    std::vector<uint8_t> out;
    if (!ValidInput(samples, sampleRate, channels) || bitrateKbps <= 0) {
        return out;
    }
    LameEncoder encoder;
    if (!encoder.Start(sampleRate, channels, bitrateKbps)) {
        return out;
    }
    const int totalFrames = static_cast<int>(samples.size() / static_cast<size_t>(channels));
    constexpr int kChunkFrames = 8192;
    // The size LAME asks for: 1.25 x samples + 7200 bytes.
    std::vector<unsigned char> chunk(kChunkFrames * 5 / 4 + 7200);
    for (int first = 0; first < totalFrames; first += kChunkFrames) {
        const int frames = std::min(kChunkFrames, totalFrames - first);
        const int16_t* pcm = samples.data() + static_cast<size_t>(first) * channels;
        int written;
        if (channels == 2) {
            written = lame_encode_buffer_interleaved(encoder.flags, const_cast<short*>(pcm), frames,
                                                     chunk.data(), static_cast<int>(chunk.size()));
        } else {
            written = lame_encode_buffer(encoder.flags, pcm, nullptr, frames, chunk.data(),
                                         static_cast<int>(chunk.size()));
        }
        if (written < 0) {
            return {};
        }
        out.insert(out.end(), chunk.begin(), chunk.begin() + written);
    }
    const int written =
        lame_encode_flush(encoder.flags, chunk.data(), static_cast<int>(chunk.size()));
    if (written < 0) {
        return {};
    }
    out.insert(out.end(), chunk.begin(), chunk.begin() + written);
    // The first frame was written as a placeholder; now that the stream's
    // length is known, put the real tag frame in its place.
    const size_t tagSize = lame_get_lametag_frame(encoder.flags, chunk.data(), chunk.size());
    if (tagSize > 0 && tagSize <= out.size()) {
        std::copy(chunk.begin(), chunk.begin() + static_cast<long>(tagSize), out.begin());
    }
    return out;
}

bool AudioWriter::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path target(path);
    std::error_code error;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), error);
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}
