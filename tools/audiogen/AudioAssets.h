#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The game's sounds and tunes: where each goes in the data folder, in which
// format, at what peak level, and how it is made.
class AudioAssets {
public:
    enum class Format { Wav, Ogg, Mp3 };

    struct Asset {
        std::string name;  // relative to the data root, e.g. "Data/Sounds/Engine.Wav"
        Format format;
        double peakDbfs;  // level of the loudest sample
        bool loops;       // played as a seamless loop
        std::function<std::vector<float>()> synthesise;
    };

    static const std::vector<Asset>& All();

    // Synthesises one asset as 16-bit PCM at its peak level.
    static std::vector<int16_t> RenderPcm(const Asset& asset);
    // Encodes PCM in the asset's format (empty on an encoder failure).
    static std::vector<uint8_t> Encode(const Asset& asset, const std::vector<int16_t>& pcm);
    // Writes every asset below `root`; returns the names that failed.
    static std::vector<std::string> WriteAll(const std::string& root, bool verbose);
};
