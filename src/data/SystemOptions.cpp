#include "data/SystemOptions.h"

#include <algorithm>

#include "data/OConfigFile.h"

SystemOptionsRecord SystemOptions;
const char* SystemOptionsPath = "Data/System.Cfg";

namespace {

void StoreFields(const SystemOptionsRecord& options, OConfigFile& config) {
    config.SetInt("FullScreen", options.FullScreen);
    config.SetInt("ScreenRes", options.ScreenRes);
    config.SetInt("ColorDepth", options.ColorDepth);
    config.SetInt("ModelDetail", options.ModelDetail);
    config.SetInt("ShadowDetail", options.ShadowDetail);
    config.SetInt("WaterDetail", options.WaterDetail);
    config.SetInt("Effects", options.Effects);
    config.SetInt("Lighting", options.Lighting);
    config.SetInt("Hints", options.Hints);
    config.SetInt("MusicVolume", options.MusicVolume);
    config.SetInt("Music", options.Music);
    config.SetInt("SoundVolume", options.SoundVolume);
    config.SetInt("Sound", options.Sound);
    config.SetInt("BeginLevel", options.BeginLevel);
    config.SetInt("DifficultyLevel", options.DifficultyLevel);
    config.SetInt("SelectEffect", options.SelectEffect);
    config.SetInt("SkinIndex", options.SkinIndex);
    config.SetInt("Background", options.Background);
}

uint8_t ReadFlag(OConfigFile& config, const char* key) {
    return config.GetInt(key, 0) != 0 ? 1 : 0;
}

// A key missing from a file that parsed reads as 0, not as the default.
void ReadFields(OConfigFile& config, SystemOptionsRecord& options) {
    options.FullScreen = ReadFlag(config, "FullScreen");
    options.ScreenRes = config.GetInt("ScreenRes", 0);
    options.ColorDepth = config.GetInt("ColorDepth", 0);
    options.ModelDetail = config.GetInt("ModelDetail", 0);
    options.ShadowDetail = config.GetInt("ShadowDetail", 0);
    options.WaterDetail = config.GetInt("WaterDetail", 0);
    options.Effects = config.GetInt("Effects", 0);
    options.Lighting = config.GetInt("Lighting", 0);
    options.Hints = config.GetInt("Hints", 0);
    options.MusicVolume = config.GetInt("MusicVolume", 0);
    options.Music = ReadFlag(config, "Music");
    options.SoundVolume = config.GetInt("SoundVolume", 0);
    options.Sound = ReadFlag(config, "Sound");
    options.BeginLevel = config.GetInt("BeginLevel", 0);
    options.DifficultyLevel = config.GetInt("DifficultyLevel", 0);
    options.SelectEffect = config.GetInt("SelectEffect", 0);
    options.SkinIndex = config.GetInt("SkinIndex", 0);
    options.Background = config.GetInt("Background", 0);
}

}  // namespace

void ResetSystemOptions() {
    SystemOptions = SystemOptionsRecord();
}

bool LoadSystemOptions() {
    OConfigFile config;
    if (config.LoadScrambled(SystemOptionsPath) != 0) {
        // Missing, unreadable or damaged: the defaults take over, on disk too.
        ResetSystemOptions();
        SaveSystemOptions();
        return true;
    }
    ReadFields(config, SystemOptions);
    return true;
}

bool SaveSystemOptions() {
    OConfigFile config;
    StoreFields(SystemOptions, config);
    // An unwritable file is skipped: the old file stays and the record keeps
    // its values for this run.
    config.SaveScrambled(SystemOptionsPath);
    return true;
}

int DifficultyIndex() {
    return std::clamp(SystemOptions.DifficultyLevel, 0, 2);
}

int ClampVolume(int volume) {
    return std::clamp(volume, 0, 255);
}

int BeginLevelInUse() {
    return std::clamp(SystemOptions.BeginLevel, 1, kMaxBeginLevel);
}
