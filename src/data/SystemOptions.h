#pragma once

#include <cstdint>

// The player's persisted settings, loaded once at start from
// "Data/System.Cfg" (scrambled config text) and saved when they change.
struct SystemOptionsRecord {
    uint8_t FullScreen = 0;
    int ShadowDetail = 1;
    int WaterDetail = 1;
    int ModelDetail = 1;
    int Effects = 2;
    int ScreenRes = 1;
    int ColorDepth = 32;
    int SoundVolume = 150;
    int MusicVolume = 50;
    int Lighting = 0;
    uint8_t Sound = 1;
    uint8_t Music = 1;
    int Hints = 1;
    int DifficultyLevel = 1;
    int BeginLevel = 5;
    int SelectEffect = 0;
    int SkinIndex = 0;
    int Background = 0;
};

extern SystemOptionsRecord SystemOptions;

// Path of the options file; tests may point it elsewhere.
extern const char* SystemOptionsPath;

void ResetSystemOptions();
bool LoadSystemOptions();
bool SaveSystemOptions();

// The difficulty as an index into three-entry tables (clamped to 0..2). The
// file may hold any number; every per-difficulty table lookup goes through
// this, never through DifficultyLevel directly.
int DifficultyIndex();

// A volume held to 0..255. The record keeps what the file says (so it is
// written back unchanged); the sound system clamps SoundVolume and
// MusicVolume with this before scaling them to the mixer's range, and the
// options screen clamps them before setting its sliders.
int ClampVolume(int volume);

// The level a new game starts at: BeginLevel held to 1..kMaxBeginLevel. The
// record keeps what the file says; a damaged file may hold 0 or less (there
// is no such level, so every new game would fail) or a number so large that
// the level counter could not count on while the game is played.
constexpr int kMaxBeginLevel = 1000000;
int BeginLevelInUse();
