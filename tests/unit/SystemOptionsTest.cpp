#include "data/SystemOptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/Scrambler.h"
#include "support/TempDir.h"

namespace {

const char* const kDefaultsText =
    "Background=0\nBeginLevel=5\nColorDepth=32\nDifficultyLevel=1\nEffects=2\nFullScreen=0\n"
    "Hints=1\nLighting=0\nModelDetail=1\nMusic=1\nMusicVolume=50\nScreenRes=1\nSelectEffect=0\n"
    "ShadowDetail=1\nSkinIndex=0\nSound=1\nSoundVolume=150\nWaterDetail=1\n";

std::string Scramble(std::string bytes) {
    Scrambler::Config(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size());
    return bytes;
}

class SystemOptionsFile : public ::testing::Test {
protected:
    SystemOptionsFile() : previousPath(SystemOptionsPath), previous(SystemOptions) {
        SystemOptionsPath = path.c_str();
    }
    ~SystemOptionsFile() override {
        SystemOptionsPath = previousPath;
        SystemOptions = previous;
    }
    std::string FileText() const { return Scramble(TempDir::Read(path)); }
    void WriteText(const std::string& text) const { TempDir::Write(path, Scramble(text)); }

    TempDir dir;
    std::string path = dir.File("Data/System.Cfg");
    const char* previousPath;
    SystemOptionsRecord previous;
};

// Out-of-range values are kept as they are.
TEST_F(SystemOptionsFile, SavedValuesLoadBackAndSaveToTheSameBytes) {
    std::filesystem::create_directories(dir.Path() / "Data");
    using Field = int SystemOptionsRecord::*;
    const std::pair<Field, int> saved[] = {
        {&SystemOptionsRecord::ScreenRes, 2},     {&SystemOptionsRecord::ColorDepth, 16},
        {&SystemOptionsRecord::MusicVolume, 0},   {&SystemOptionsRecord::DifficultyLevel, 7},
        {&SystemOptionsRecord::SoundVolume, -20}, {&SystemOptionsRecord::Background, 3}};
    ResetSystemOptions();
    for (const auto& [field, value] : saved)
        SystemOptions.*field = value;
    SystemOptions.FullScreen = 1;
    SystemOptions.Music = 0;
    ASSERT_TRUE(SaveSystemOptions());
    const std::string firstBytes = TempDir::Read(path);

    ResetSystemOptions();
    ASSERT_TRUE(LoadSystemOptions());
    for (const auto& [field, value] : saved)
        EXPECT_EQ(SystemOptions.*field, value) << value;
    EXPECT_EQ(
        (std::vector<int>{SystemOptions.FullScreen, SystemOptions.Music, SystemOptions.Hints}),
        (std::vector<int>{1, 0, 1}));
    ASSERT_TRUE(SaveSystemOptions());
    EXPECT_EQ(TempDir::Read(path), firstBytes);
}

// A valid file is read as it is (and not rewritten): missing keys read 0,
// flags are 0 or 1 whatever it holds. A missing file, or one that does not
// parse, is replaced by the defaults, written in key order.
TEST_F(SystemOptionsFile, ValidFilesAreReadAsTheyAreAndOthersReplacedByDefaults) {
    struct Case {
        const char* text;  // null: no file
        int sound, music, fullScreen, volume, beginLevel, hints;
        bool defaultsWritten;
    };
    const Case cases[] = {
        {"Sound=1\n", 1, 0, 0, 0, 0, 0, false},
        {"Sound=5\nMusic=-1\nFullScreen=0x10\n", 1, 1, 1, 0, 0, 0, false},
        {nullptr, 1, 1, 0, 150, 5, 1, true},
        {"Sound=0\n}\n", 1, 1, 0, 150, 5, 1, true},
        {"Sound 0\n", 1, 1, 0, 150, 5, 1, true},
        {"Name=\"unclosed\n", 1, 1, 0, 150, 5, 1, true},
    };
    std::filesystem::create_directories(dir.Path() / "Data");
    for (const Case& c : cases) {
        const std::string name = c.text ? c.text : "no file";
        std::filesystem::remove(path);
        if (c.text) {
            WriteText(c.text);
        }
        SystemOptions.Sound = 0;
        SystemOptions.SoundVolume = 3;
        ASSERT_TRUE(LoadSystemOptions()) << name;
        EXPECT_EQ(SystemOptions.Sound, c.sound) << name;
        EXPECT_EQ(SystemOptions.Music, c.music) << name;
        EXPECT_EQ(SystemOptions.FullScreen, c.fullScreen) << name;
        EXPECT_EQ(SystemOptions.SoundVolume, c.volume) << name;
        EXPECT_EQ(SystemOptions.BeginLevel, c.beginLevel) << name;
        EXPECT_EQ(SystemOptions.Hints, c.hints) << name;
        EXPECT_EQ(FileText(), c.defaultsWritten ? kDefaultsText : c.text) << name;
    }
}

TEST_F(SystemOptionsFile, AnUnwritableLocationStillLoadsDefaultsAndSavesNothing) {
    path = dir.File("missing/dir/System.Cfg");
    SystemOptionsPath = path.c_str();
    SystemOptions.Hints = 0;
    EXPECT_TRUE(LoadSystemOptions());
    EXPECT_EQ(SystemOptions.Hints, 1);
    SystemOptions.Hints = 0;
    EXPECT_TRUE(SaveSystemOptions());
    EXPECT_EQ(SystemOptions.Hints, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SystemOptionsRanges, DifficultyIndexAndVolumesAreClamped) {
    const SystemOptionsRecord saved = SystemOptions;
    const int levels[][2] = {{-5, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 2}, {INT32_MAX, 2}};
    for (const auto& level : levels) {
        SystemOptions.DifficultyLevel = level[0];
        EXPECT_EQ(DifficultyIndex(), level[1]) << level[0];
    }
    SystemOptions = saved;

    const int volumes[][2] = {{-1, 0}, {0, 0}, {150, 150}, {255, 255}, {256, 255}, {INT32_MIN, 0}};
    for (const auto& volume : volumes) {
        EXPECT_EQ(ClampVolume(volume[0]), volume[1]) << volume[0];
    }
}

}  // namespace
