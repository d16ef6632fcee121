#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Listens to what SDL's disk audio driver writes: the mixed output as raw
// 16-bit stereo at 44100 Hz, appended in real time.
class DiskAudio {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    explicit DiskAudio(std::string file) : file_(std::move(file)) {}

    const std::string& File() const { return file_; }

    // Waits `settleMs` (so that sound started or stopped just before has
    // reached the output), then returns the next `ms` milliseconds written.
    std::vector<int16_t> Listen(int ms, int settleMs = 60) const {
        SDL_Delay(static_cast<Uint32>(settleMs));
        const uint64_t start = Size();
        const uint64_t wanted = static_cast<uint64_t>(ms) * kRate / 1000 * kChannels * 2;
        // The driver writes about every 23 ms; give it some slack.
        const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(ms) * 3 + 500;
        while (Size() < start + wanted && SDL_GetTicks() < deadline) {
            SDL_Delay(5);
        }
        return Read(start, wanted);
    }

private:
    uint64_t Size() const {
        std::error_code error;
        const uint64_t size = std::filesystem::file_size(file_, error);
        return error ? 0 : size / 4 * 4;  // whole stereo frames only
    }

    std::vector<int16_t> Read(uint64_t offset, uint64_t bytes) const {
        std::ifstream in(file_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(offset));
        std::vector<int16_t> samples(bytes / 2);
        in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(bytes));
        samples.resize(static_cast<size_t>(in.gcount()) / 2);
        return samples;
    }

    std::string file_;
};
