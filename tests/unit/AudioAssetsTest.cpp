#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "audiogen/AudioAssets.h"
#include "audiogen/GameTune.h"
#include "audiogen/MenuTune.h"
#include "audiogen/SynthConstants.h"

namespace {
using Pcm = std::vector<int16_t>;

const AudioAssets::Asset& Find(const std::string& name) {
    for (const AudioAssets::Asset& asset : AudioAssets::All())
        if (asset.name == name)
            return asset;
    throw std::runtime_error("no asset " + name);
}

// Assets rendered once per test process (the tunes take a moment).
const Pcm& Rendered(const std::string& name) {
    static std::map<std::string, Pcm> cache;
    auto found = cache.find(name);
    if (found == cache.end())
        found = cache.emplace(name, AudioAssets::RenderPcm(Find(name))).first;
    return found->second;
}

double Seconds(const Pcm& pcm) {
    return double(pcm.size()) / kSampleRate;
}

int Peak(const Pcm& pcm) {
    const auto [low, high] = std::minmax_element(pcm.begin(), pcm.end());
    return std::max(-static_cast<int>(*low), static_cast<int>(*high));
}

double Rms(const Pcm& pcm, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i)
        sum += double(pcm[i]) * pcm[i];
    return std::sqrt(sum / double(count));
}

// A loop must join without a click (the step across the seam is an
// ordinary step for this sound) and without a gap (sound runs right up to
// the seam on both sides).
void ExpectSeamless(const Pcm& pcm, const std::string& name) {
    // Sizes of the steps between neighbouring samples, the seam excluded.
    std::vector<int> steps;
    for (size_t i = 1; i < pcm.size(); ++i)
        steps.push_back(std::abs(pcm[i] - pcm[i - 1]));
    std::sort(steps.begin(), steps.end());
    int seam = std::abs(pcm.front() - pcm.back());
    EXPECT_LE(seam, steps[steps.size() * 999 / 1000]) << name;
    double whole = Rms(pcm, 0, pcm.size());
    size_t window = kSampleRate / 20;
    EXPECT_GT(Rms(pcm, 0, window), whole * 0.1) << name;
    EXPECT_GT(Rms(pcm, pcm.size() - window, window), whole * 0.1) << name;
}

void ExpectLevel(const Pcm& pcm, const AudioAssets::Asset& asset) {
    double target = 32767.0 * std::pow(10.0, asset.peakDbfs / 20.0);
    EXPECT_NEAR(Peak(pcm), target, 1.0) << asset.name;
    EXPECT_LT(Peak(pcm), 32767) << asset.name;
    // Not a lone spike: the sound has body.
    EXPECT_GT(Rms(pcm, 0, pcm.size()), target * 0.03) << asset.name;
}

void ExpectTune(const std::string& name, double beatsPerMinute, int beatsPerBar, int bars) {
    const AudioAssets::Asset& asset = Find(name);
    const Pcm& pcm = Rendered(name);
    double seconds = Seconds(pcm);
    EXPECT_TRUE(seconds >= 60.0 && seconds <= 90.0) << name << ": " << seconds;
    // Whole bars, so the beat carries on across the seam.
    EXPECT_NEAR(seconds, 60.0 / beatsPerMinute * beatsPerBar * bars, 1e-4) << name;
    EXPECT_DOUBLE_EQ(asset.peakDbfs, -1.0);
    ExpectLevel(pcm, asset);
    ExpectSeamless(pcm, name);
}
}  // namespace

// That every name the game loads is made is proven on the packed archive by
// the game_data end-to-end script; here each file's format, length and level.
TEST(AudioAssetsTest, EveryFileIsEncodedAsItsNameSaysAndEffectsSitAtTheirLengthAndLevel) {
    // Extension, format and the signature its files start with (MP3: a frame
    // sync, not a tag).
    const std::map<std::string, std::pair<AudioAssets::Format, std::string>> formats = {
        {".Wav", {AudioAssets::Format::Wav, "RIFF"}},
        {".Ogg", {AudioAssets::Format::Ogg, "OggS"}},
        {".Mp3", {AudioAssets::Format::Mp3, "\xFF\xFB"}}};
    EXPECT_EQ(AudioAssets::All().size(), 12u);
    for (const AudioAssets::Asset& asset : AudioAssets::All()) {
        SCOPED_TRACE(asset.name);
        const auto format = formats.find(asset.name.substr(asset.name.size() - 4));
        ASSERT_NE(format, formats.end());
        EXPECT_EQ(asset.format, format->second.first);
        const std::string& magic = format->second.second;
        const std::vector<uint8_t> bytes =
            AudioAssets::Encode(asset, Rendered("Data/Sounds/Engine.Wav"));
        ASSERT_GT(bytes.size(), 44u);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + magic.size()), magic);
        if (asset.format == AudioAssets::Format::Mp3) {
            continue;  // the tunes, below
        }
        const Pcm& pcm = Rendered(asset.name);
        EXPECT_TRUE(Seconds(pcm) >= (asset.loops ? 1.0 : 0.02) && Seconds(pcm) <= 4.0);
        ExpectLevel(pcm, asset);
        if (asset.loops) {
            ExpectSeamless(pcm, asset.name);
        } else {
            EXPECT_LT(std::max(std::abs(pcm.front()), std::abs(pcm.back())), 64);
        }
    }
    EXPECT_TRUE(Find("Data/Sounds/Engine.Wav").loops);
    EXPECT_LT(Seconds(Rendered("Data/Sounds/Interface/MsOver.Wav")), 0.1);
    EXPECT_LT(Seconds(Rendered("Data/Sounds/Interface/MsClik.Wav")), 0.15);
}

// Both tunes are whole bars at full level that loop without a seam, with
// enough notes to be music rather than a drone.
TEST(AudioAssetsTest, TunesAreWholeLevelledSeamlessLoops) {
    ExpectTune("Data/Music/Menu.Mp3", MenuTune::kBeatsPerMinute, MenuTune::kBeatsPerBar,
               MenuTune::kBars);
    EXPECT_GT(MenuTune::Compose().Events().size(), 300u);
    ExpectTune("Data/Music/Game/A.Mp3", GameTune::kBeatsPerMinute, GameTune::kBeatsPerBar,
               GameTune::kBars);
    EXPECT_GT(GameTune::Compose().Events().size(), 500u);
}
