#include "data/SystemOptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

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

// Every value, out-of-range ones too, loads as it is and saves back to the
// same text.
TEST_F(SystemOptionsFile, SavedValuesLoadBackAndSaveToTheSameText) {
    const std::string saved =
        "Background=3\nBeginLevel=-2\nColorDepth=16\nDifficultyLevel=7\nEffects=0\nFullScreen=1\n"
        "Hints=0\nLighting=1\nModelDetail=2\nMusic=0\nMusicVolume=0\nScreenRes=2\nSelectEffect=3\n"
        "ShadowDetail=0\nSkinIndex=4\nSound=0\nSoundVolume=-20\nWaterDetail=0\n";
    WriteText(saved);
    ResetSystemOptions();
    ASSERT_TRUE(LoadSystemOptions());
    std::filesystem::remove(path);
    ASSERT_TRUE(SaveSystemOptions());
    EXPECT_EQ(FileText(), saved);
}

// A valid file is read as it is (and not rewritten): missing keys read 0,
// flags are 0 or 1 whatever it holds. A missing file, or one that does not
// parse, is replaced by the defaults, written in key order where it can be.
TEST_F(SystemOptionsFile, ValidFilesAreReadAsTheyAreAndOthersReplacedByDefaults) {
    // The file (null: none); Sound, Music, FullScreen, SoundVolume,
    // BeginLevel and Hints as read; whether the defaults were written.
    const std::tuple<const char*, int, int, int, int, int, int, bool> cases[] = {
        {"Sound=1\n", 1, 0, 0, 0, 0, 0, false},
        {"Sound=5\nMusic=-1\nFullScreen=0x10\n", 1, 1, 1, 0, 0, 0, false},
        {nullptr, 1, 1, 0, 150, 5, 1, true},
        {"Sound=0\n}\n", 1, 1, 0, 150, 5, 1, true},
        {"Sound 0\n", 1, 1, 0, 150, 5, 1, true},
        {"Name=\"unclosed\n", 1, 1, 0, 150, 5, 1, true},
    };
    std::filesystem::create_directories(dir.Path() / "Data");
    for (const auto& [text, sound, music, fullScreen, volume, beginLevel, hints, defaults] :
         cases) {
        const std::string name = text ? text : "no file";
        std::filesystem::remove(path);
        if (text) {
            WriteText(text);
        }
        SystemOptions.Sound = 0;
        SystemOptions.SoundVolume = 3;
        ASSERT_TRUE(LoadSystemOptions()) << name;
        EXPECT_EQ(SystemOptions.Sound, sound) << name;
        EXPECT_EQ(SystemOptions.Music, music) << name;
        EXPECT_EQ(SystemOptions.FullScreen, fullScreen) << name;
        EXPECT_EQ(SystemOptions.SoundVolume, volume) << name;
        EXPECT_EQ(SystemOptions.BeginLevel, beginLevel) << name;
        EXPECT_EQ(SystemOptions.Hints, hints) << name;
        EXPECT_EQ(FileText(), defaults ? kDefaultsText : text) << name;
    }

    // Where nothing can be written the defaults still load, and saving
    // keeps the values and writes nothing.
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

// The difficulty index holds to 0..2 and volumes to 0..255.
TEST(SystemOptionsRanges, DifficultyIndexAndVolumesAreClamped) {
    const SystemOptionsRecord saved = SystemOptions;
    const int cases[][3] = {{-5, 0, 0},    {0, 0, 0},           {1, 1, 1},
                            {2, 2, 2},     {3, 2, 3},           {255, 2, 255},
                            {256, 2, 255}, {INT32_MAX, 2, 255}, {INT32_MIN, 0, 0}};
    for (const auto& [value, index, volume] : cases) {
        SystemOptions.DifficultyLevel = value;
        EXPECT_EQ(DifficultyIndex(), index) << value;
        EXPECT_EQ(ClampVolume(value), volume) << value;
    }
    SystemOptions = saved;
}

}  // namespace
