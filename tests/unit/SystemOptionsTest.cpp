#include "data/SystemOptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/Scrambler.h"
#include "support/TempDir.h"

namespace {

const char* const kDefaultsText =
    "Background=0\n"
    "BeginLevel=5\n"
    "ColorDepth=32\n"
    "DifficultyLevel=1\n"
    "Effects=2\n"
    "FullScreen=0\n"
    "Hints=1\n"
    "Lighting=0\n"
    "ModelDetail=1\n"
    "Music=1\n"
    "MusicVolume=50\n"
    "ScreenRes=1\n"
    "SelectEffect=0\n"
    "ShadowDetail=1\n"
    "SkinIndex=0\n"
    "Sound=1\n"
    "SoundVolume=150\n"
    "WaterDetail=1\n";

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

TEST_F(SystemOptionsFile, FirstRunWritesTheDefaultsInKeyOrder) {
    std::filesystem::create_directories(dir.Path() / "Data");
    SystemOptions.DifficultyLevel = 2;
    SystemOptions.SoundVolume = 3;
    EXPECT_TRUE(LoadSystemOptions());
    EXPECT_EQ(FileText(), kDefaultsText);
    EXPECT_EQ(SystemOptions.DifficultyLevel, 1);
    EXPECT_EQ(SystemOptions.SoundVolume, 150);
    EXPECT_EQ(SystemOptions.ColorDepth, 32);
    EXPECT_EQ(SystemOptions.BeginLevel, 5);
    EXPECT_EQ(SystemOptions.Sound, 1);
    EXPECT_EQ(SystemOptions.FullScreen, 0);
}

TEST_F(SystemOptionsFile, SavedValuesLoadBackAndSaveToTheSameBytes) {
    std::filesystem::create_directories(dir.Path() / "Data");
    ResetSystemOptions();
    SystemOptions.FullScreen = 1;
    SystemOptions.ScreenRes = 2;
    SystemOptions.ColorDepth = 16;
    SystemOptions.MusicVolume = 0;
    SystemOptions.Music = 0;
    SystemOptions.DifficultyLevel = 7;  // out of range: kept as it is
    SystemOptions.SoundVolume = -20;
    SystemOptions.Background = 3;
    ASSERT_TRUE(SaveSystemOptions());
    const std::string firstBytes = TempDir::Read(path);

    ResetSystemOptions();
    ASSERT_TRUE(LoadSystemOptions());
    EXPECT_EQ(SystemOptions.FullScreen, 1);
    EXPECT_EQ(SystemOptions.ScreenRes, 2);
    EXPECT_EQ(SystemOptions.ColorDepth, 16);
    EXPECT_EQ(SystemOptions.MusicVolume, 0);
    EXPECT_EQ(SystemOptions.Music, 0);
    EXPECT_EQ(SystemOptions.DifficultyLevel, 7);
    EXPECT_EQ(SystemOptions.SoundVolume, -20);
    EXPECT_EQ(SystemOptions.Background, 3);
    EXPECT_EQ(SystemOptions.Hints, 1);

    ASSERT_TRUE(SaveSystemOptions());
    EXPECT_EQ(TempDir::Read(path), firstBytes);
}

TEST_F(SystemOptionsFile, KeysMissingFromAValidFileReadAsZero) {
    WriteText("Sound=1\n");
    ASSERT_TRUE(LoadSystemOptions());
    EXPECT_EQ(SystemOptions.Sound, 1);
    EXPECT_EQ(SystemOptions.Music, 0);
    EXPECT_EQ(SystemOptions.ColorDepth, 0);
    EXPECT_EQ(SystemOptions.SoundVolume, 0);
    EXPECT_EQ(SystemOptions.MusicVolume, 0);
    EXPECT_EQ(SystemOptions.BeginLevel, 0);
    EXPECT_EQ(SystemOptions.ScreenRes, 0);
    EXPECT_EQ(SystemOptions.Hints, 0);
    // A valid file is not rewritten on load.
    EXPECT_EQ(FileText(), "Sound=1\n");
}

TEST_F(SystemOptionsFile, FlagsAreZeroOrOneWhateverTheFileHolds) {
    WriteText("Sound=5\nMusic=-1\nFullScreen=0x10\n");
    ASSERT_TRUE(LoadSystemOptions());
    EXPECT_EQ(SystemOptions.Sound, 1);
    EXPECT_EQ(SystemOptions.Music, 1);
    EXPECT_EQ(SystemOptions.FullScreen, 1);
}

TEST_F(SystemOptionsFile, AFileThatDoesNotParseIsReplacedByDefaults) {
    for (const char* damaged : {"Sound=0\n}\n", "Sound 0\n", "Name=\"unclosed\n"}) {
        WriteText(damaged);
        SystemOptions.Sound = 0;
        ASSERT_TRUE(LoadSystemOptions());
        EXPECT_EQ(SystemOptions.Sound, 1) << damaged;
        EXPECT_EQ(SystemOptions.SoundVolume, 150) << damaged;
        EXPECT_EQ(FileText(), kDefaultsText) << damaged;
    }
}

TEST_F(SystemOptionsFile, AnUnwritableLocationIsSkippedSilently) {
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

    EXPECT_EQ(ClampVolume(-1), 0);
    EXPECT_EQ(ClampVolume(0), 0);
    EXPECT_EQ(ClampVolume(150), 150);
    EXPECT_EQ(ClampVolume(255), 255);
    EXPECT_EQ(ClampVolume(256), 255);
    EXPECT_EQ(ClampVolume(INT32_MIN), 0);
}

}  // namespace
