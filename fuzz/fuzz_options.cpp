// Feeds arbitrary bytes to the options loader as the text of an options
// file, scrambled into the file as the game writes it (scrambling is a
// one-to-one map, so every possible file is reached, and text mutates far
// better than its scrambled bytes): every value must come out safe where the
// game uses it (first level, difficulty, volumes, colour depth, screen size),
// and what the loader took must save and load back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "app/DisplayModeTable.h"
#include "app/PixelFormatRequest.h"
#include "data/Scrambler.h"
#include "data/SystemOptions.h"

namespace {

bool Same(const SystemOptionsRecord& a, const SystemOptionsRecord& b) {
    return a.FullScreen == b.FullScreen && a.ShadowDetail == b.ShadowDetail &&
           a.WaterDetail == b.WaterDetail && a.ModelDetail == b.ModelDetail &&
           a.Effects == b.Effects && a.ScreenRes == b.ScreenRes && a.ColorDepth == b.ColorDepth &&
           a.SoundVolume == b.SoundVolume && a.MusicVolume == b.MusicVolume &&
           a.Lighting == b.Lighting && a.Sound == b.Sound && a.Music == b.Music &&
           a.Hints == b.Hints && a.DifficultyLevel == b.DifficultyLevel &&
           a.BeginLevel == b.BeginLevel && a.SelectEffect == b.SelectEffect &&
           a.SkinIndex == b.SkinIndex && a.Background == b.Background;
}

void CheckValuesInUse() {
    const int level = BeginLevelInUse();
    const int depth = PixelFormatRequest::NearestColorDepth(SystemOptions.ColorDepth);
    const PixelFormatRequest format(SystemOptions.ColorDepth);
    const int screen = DisplayModeTable::CheckScreenRes(SystemOptions.ScreenRes);
    if (level < 1 || level > kMaxBeginLevel || DifficultyIndex() < 0 || DifficultyIndex() > 2 ||
        ClampVolume(SystemOptions.SoundVolume) < 0 ||
        ClampVolume(SystemOptions.MusicVolume) > 255 || (depth != 16 && depth != 32) ||
        format.depthBits.empty() || format.depthBits[0] < 16 || screen < 0 || screen > 2 ||
        SystemOptions.Sound > 1 || SystemOptions.Music > 1 || SystemOptions.FullScreen > 1) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = FuzzScratch() + "/System.Cfg";
    SystemOptionsPath = path.c_str();
    std::vector<uint8_t> file(data, data + size);
    Scrambler::Config(file.data(), file.size());
    FuzzScratchFile("System.Cfg", file.data(), file.size());

    LoadSystemOptions();
    CheckValuesInUse();

    // A damaged file has been replaced by the defaults by now; either way the
    // record must survive a save and a load.
    const SystemOptionsRecord loaded = SystemOptions;
    SaveSystemOptions();
    ResetSystemOptions();
    SystemOptions.BeginLevel = -1;
    LoadSystemOptions();
    if (!Same(loaded, SystemOptions)) {
        __builtin_trap();
    }
    return 0;
}
