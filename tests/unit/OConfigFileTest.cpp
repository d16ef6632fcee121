#include "data/OConfigFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/Scrambler.h"
#include "support/TempDir.h"

namespace {

using Map = std::map<std::string, std::string>;
using Strings = std::vector<std::string>;

std::string Unscrambled(std::string bytes) {
    Scrambler::Config(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size());
    return bytes;
}

Strings IntsOf(OConfigFile& config, const std::string& key, char separator) {
    int count = -1;
    std::unique_ptr<int[]> values(config.GetIntArray(key, count, separator));
    Strings out;
    for (int i = 0; i < count; ++i)
        out.push_back(std::to_string(values[i]));
    return out;
}

// ---------------------------------------------------------------- parsing

// What a text stores and whether it parses: a failure keeps what was stored
// before it and sets the error flag.
TEST(OConfigFileParse, TextsStoreTheirEntriesAndFailuresKeepWhatCameBefore) {
    // The text, what parsing it returns, what it stores.
    const std::tuple<const char*, int, Map> cases[] = {
        {"", 0, {}},
        {"// a comment\n\n   // another\n\t\n", 0, {}},
        {"//", 0, {}},
        // A bare value stops at the closing brace of its block.
        {"A = { x = 3}\ny=4\nB={w=a}}", 1, {{"A.x", "3"}, {"y", "4"}, {"B.w", "a"}}},
        // Keys set again and blocks opened again merge.
        {"k=1\nA = { x=1 }\nk=2\nA = {\n y=2\n x=3\n}\n",
         0,
         {{"k", "2"}, {"A.x", "3"}, {"A.y", "2"}}},
        // A text cut off after "=" or "{" still reads.
        {"a=1\nb=", 0, {{"a", "1"}, {"b", ""}}},
        {"a=1\nb=\n// trailing comment\n", 0, {{"a", "1"}, {"b", ""}}},
        {"A = {", 0, {}},
        // An empty name ends the text successfully.
        {"a=1\n= 5\nb=2\n", 0, {{"a", "1"}}},
        {"a=1\n}\nb=2\n", 1, {{"a", "1"}}},                    // "}" with no open block
        {"a=1\nname without equals\nb=2\n", 1, {{"a", "1"}}},  // name not followed by "="
        {"a=1\ns=\"never closed\nb=2\n", 1, {{"a", "1"}}},     // unclosed quote
        {"a=1\nl=[1 2 3\nb=2\n", 1, {{"a", "1"}}},             // unclosed bracket
        {"a=1\ng={ [ab] [cd]\n", 1, {{"a", "1"}}},             // unclosed array block
        {"A={ a=1 } } b=2", 1, {{"A.a", "1"}}},                // one brace too many
        {"a=1\nlast", 1, {{"a", "1"}}},                        // name at the very end
        // Nested blocks; an unclosed one is closed silently.
        {"A = {\n  B = {\n    x = 1\n  }\n  y = 2\n}\nC = 3\nD = {\n z = 4",
         0,
         {{"A.B.x", "1"}, {"A.y", "2"}, {"C", "3"}, {"D.z", "4"}}},
        // Raw values keep their delimiters, and "//" inside them is no comment.
        {"list = [1 2 // not a comment\n 3]\nquoted = \"a \\\"b\\\" // c\"\n"
         "grid = {\n  [ab c] // row one\n  [de}f], junk\n  [g]\n}\nbare = x//y\n",
         0,
         {{"list", "[1 2 // not a comment\n 3]"},
          {"quoted", "\"a \\\"b\\\" // c\""},
          {"grid", "{[ab c][de}f][g]}"},
          {"bare", "x//y"}}},
        // A quoted value ending in an escaped backslash closes at its quote.
        {"s=\"a\\\\\"\nu=1\n", 0, {{"s", "\"a\\\\\""}, {"u", "1"}}},
    };
    for (const auto& [text, result, values] : cases) {
        OConfigFile config;
        EXPECT_EQ(config.LoadString(text), result) << text;
        EXPECT_EQ(config.GetError(), result) << text;
        EXPECT_EQ(config.Values(), values) << text;
    }
}

TEST(OConfigFileParse, OverlongPathsFailInsteadOfGrowingWithoutBound) {
    OConfigFile config;
    std::string deep = "kept=1\n";
    for (int i = 0; i < 200000; ++i)
        deep += "a={";
    deep += "x=1\n";
    EXPECT_EQ(config.LoadString(deep.c_str()), 1);
    EXPECT_EQ(config.Values(), (Map{{"kept", "1"}}));
    EXPECT_EQ(config.Blocks().size(), OConfigFile::kMaxPathLength / 2);

    const std::string longest(OConfigFile::kMaxPathLength - 2, 'n');
    EXPECT_EQ(config.LoadString(("A={" + longest + "=1}").c_str()), 0);
    EXPECT_EQ(config.Values().begin()->first.size(), OConfigFile::kMaxPathLength);
    EXPECT_EQ(config.LoadString(("A={" + longest + "n=1}").c_str()), 1);
    EXPECT_TRUE(config.Values().empty());
}

// ---------------------------------------------------------------- loaders

TEST(OConfigFileLoaders, LinesEndInOneLineFeedAndLoadMemoryStopsAtNul) {
    OConfigFile config;
    const char data[] = "a=1\r\nb=\"x\"\r\nc=[1\r\n2]\0d=4\r\n";
    ASSERT_EQ(config.LoadMemory(data, sizeof data - 1), 0);
    EXPECT_EQ(config.Text(), "a=1\n\nb=\"x\"\n\nc=[1\n\n2]\n");
    EXPECT_EQ(config.Values(), (Map{{"a", "1"}, {"b", "\"x\""}, {"c", "[1\n\n2]"}}));

    // Only the count given is read, even without a terminating NUL.
    const char unterminated[] = {'e', '=', '5', '6'};
    ASSERT_EQ(config.LoadMemory(unterminated, 3), 0);
    EXPECT_EQ(config.Values(), (Map{{"e", "5"}}));

    // LoadString and LoadFile end every line with one line feed.
    TempDir dir;
    ASSERT_EQ(config.LoadString("a=1\nb=2"), 0);
    EXPECT_EQ(config.Text(), "a=1\nb=2\n");
    ASSERT_EQ(config.LoadString("a=1\n"), 0);
    EXPECT_EQ(config.Text(), "a=1\n\n");

    TempDir::Write(dir.File("dos.txt"), "a = 1\r\nB = {\r\n s = \"x\"\r\n}\r\n");
    ASSERT_EQ(config.LoadFile(dir.File("dos.txt").c_str()), 0);
    EXPECT_EQ(config.Text(), "a = 1\nB = {\n s = \"x\"\n}\n\n");
    EXPECT_EQ(config.Values(), (Map{{"a", "1"}, {"B.s", "\"x\""}}));
}

// ---------------------------------------------------------------- getters

// Integers read decimal or hex, floats overflow to infinity; a key found
// clears the error flag, a missing one gives the default and sets it.
// Arrays split at runs of their separator.
TEST(OConfigFileGetters, NumbersAndArraysConvertAndMissingKeysGiveTheirDefaults) {
    OConfigFile config;
    ASSERT_EQ(config.LoadString("hex=0x1F\nlead=1F\nword=abc\nneg=-42\nlist=[5]\n"
                                "huge=99999999999\nfull=0xFFFFFFFF\nf=2.5\ng=-1e3x\nh=1e300\n"
                                "commas=[1, 2,,3 ,]\nspaced = [ 4  5\n 6 ]\nempty=[ ]\n"
                                "bare=12345\nfloats=[0.5 -2 1e2]\n"),
              0);
    const std::tuple<const char*, int, int> ints[] = {
        {"hex", 0, 31}, {"lead", 0, 1},         {"word", 5, 0},  {"neg", 0, -42},
        {"list", 3, 0}, {"huge", 0, INT32_MAX}, {"full", 0, -1}, {"missing", 12, 12}};
    for (const auto& [key, fallback, value] : ints) {
        EXPECT_EQ(config.GetInt(key, fallback), value) << key;
        EXPECT_EQ(config.GetError(), std::string(key) == "missing") << key;
    }
    const std::tuple<const char*, float, float> floats[] = {{"f", 0, 2.5f},
                                                            {"g", 0, -1000.0f},
                                                            {"h", 0, HUGE_VALF},
                                                            {"word", 9, 0.0f},
                                                            {"missing", 1.25f, 1.25f}};
    for (const auto& [key, fallback, value] : floats) {
        EXPECT_EQ(config.GetFloat(key, fallback), value) << key;
        EXPECT_EQ(config.GetError(), std::string(key) == "missing") << key;
    }

    EXPECT_EQ(IntsOf(config, "commas", ','), (Strings{"1", "2", "3"}));
    EXPECT_EQ(IntsOf(config, "spaced", ' '), (Strings{"4", "5", "6"}));
    // A bare value loses its first and last bytes.
    EXPECT_EQ(IntsOf(config, "bare", ' '), (Strings{"234"}));

    int count = -1;
    std::unique_ptr<int[]> none(config.GetIntArray("empty", count, ' '));
    EXPECT_NE(none, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(config.GetError(), 0);

    std::unique_ptr<float[]> floatArray(config.GetFloatArray("floats", count, ' '));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(std::vector<float>(floatArray.get(), floatArray.get() + 3),
              (std::vector<float>{0.5f, -2.0f, 100.0f}));

    count = 5;
    EXPECT_EQ(config.GetIntArray("missing", count, ' '), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(config.GetError(), 1);
    count = 5;
    EXPECT_EQ(config.GetFloatArray("missing", count, ' '), nullptr);
    EXPECT_EQ(count, 0);
}

// Strings decode their escapes; character grids pad their rows to the
// longest.
TEST(OConfigFileGetters, StringsDecodeTheirEscapesAndCharGridsPadTheirRows) {
    OConfigFile config;
    ASSERT_EQ(config.LoadString("s=\"a\\tb\\nc\\\"d\\\\e\\0f\\qg\"\nb=\"a\\\\\"\nt=\"\\\\\\\"\"\n"
                                "g = {\n [ab c] // first\n [de f]\n [g]\n}\n"),
              0);
    const std::string expected("a\tb\nc\"d\\e\0f\\qg", 14);
    EXPECT_EQ(config.GetString("s", ""), expected);
    EXPECT_EQ(config.GetString("b", ""), "a\\");
    EXPECT_EQ(config.GetString("t", ""), "\\\"");

    std::unique_ptr<char[]> copy(config.GetCString("s", "x"));
    EXPECT_EQ(std::string(copy.get(), expected.size()), expected);
    std::unique_ptr<char[]> fallback(config.GetCString("missing", "dflt"));
    EXPECT_STREQ(fallback.get(), "dflt");
    EXPECT_EQ(config.GetError(), 1);
    std::unique_ptr<char[]> nothing(config.GetCString("missing", nullptr));
    EXPECT_STREQ(nothing.get(), "");
    EXPECT_EQ(config.GetString("missing", "d"), "d");

    int width = 0;
    int height = 0;
    std::unique_ptr<char[]> grid(config.GetCharGrid("g", width, height, ' ', nullptr));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 3);
    EXPECT_STREQ(grid.get(), "abcdefg  ");

    std::unique_ptr<char[]> dotted(config.GetCharGrid("g", width, height, '.', nullptr));
    EXPECT_EQ(width, 4);
    EXPECT_STREQ(dotted.get(), "ab cde fg...");

    std::unique_ptr<char[]> gridFallback(config.GetCharGrid("none", width, height, ' ', "xy"));
    EXPECT_STREQ(gridFallback.get(), "xy");
    EXPECT_EQ(config.GetError(), 1);
    std::unique_ptr<char[]> empty(config.GetCharGrid("none", width, height, ' ', nullptr));
    EXPECT_STREQ(empty.get(), "");
}

// ---------------------------------------------------------------- queries

// Blocks and keys are listed in text order, once for each time a block is
// opened or a key set, whole or by parent.
TEST(OConfigFileQueries, BlocksAndKeysAreListedByParentInTextOrder) {
    OConfigFile config;
    ASSERT_EQ(
        config.LoadString("z=1\nRail = {\n Left = { a=1 }\n b=2\n Up = { c=3 Deep = { d=4 } }\n"
                          "}\nRails = { e=5 }\nRail = { Left = { f=6 } }\nz=2\n"),
        0);
    EXPECT_EQ(config.Blocks(), (Strings{"Rail", "Rail.Left", "Rail.Up", "Rail.Up.Deep", "Rails",
                                        "Rail", "Rail.Left"}));
    EXPECT_EQ(config.Keys(), (Strings{"z", "Rail.Left.a", "Rail.b", "Rail.Up.c", "Rail.Up.Deep.d",
                                      "Rails.e", "Rail.Left.f", "z"}));
    EXPECT_EQ(config.ListBlocks(""), (Strings{"Rail", "Rails", "Rail"}));
    EXPECT_EQ(config.ListBlocks("Rail"), (Strings{"Left", "Up", "Left"}));
    EXPECT_EQ(config.ListBlocks("Rail.Up"), (Strings{"Deep"}));
    EXPECT_EQ(config.ListKeys(""), (Strings{"z", "z"}));
    EXPECT_EQ(config.ListKeys("Rail"), (Strings{"b"}));
    EXPECT_EQ(config.ListKeys("Rail.Left"), (Strings{"a", "f"}));
    EXPECT_TRUE(config.ListKeys("Rai").empty());

    for (const auto& [block, has] : {std::pair{"Rail", true},
                                     {"Rail.Up.Deep", true},
                                     {"Rai", false},
                                     {"z", false},
                                     {"", false}})
        EXPECT_EQ(config.HasBlock(block), has) << block;
}

// ---------------------------------------------------------------- setters

TEST(OConfigFileSetters, StoreTheirTextWithoutTouchingListsOrFlag) {
    OConfigFile config;
    config.LoadString("old=1\n");
    config.GetInt("missing", 0);
    const int ints[] = {3, -4, 5};
    const float floats[] = {0.5f, -1.0f};
    config.SetInt("i", -17);
    config.SetFloat("f", 2.5f);
    config.SetIntArray("ia", ints, 3, ',');
    config.SetFloatArray("fa", floats, 2, ' ');
    config.SetIntArray("none", nullptr, 0, ' ');
    config.SetString("s", std::string("q\"t\tn\nz\0b\\", 10));
    const char grid[] = "abcdef";
    config.SetCharGrid("g", grid, 3, 2);
    config.SetInt("old", 2);

    const Map stored = {{"i", "-17"},          {"f", "2.500000"},
                        {"ia", "[3,-4,5]"},    {"fa", "[0.500000 -1.000000]"},
                        {"none", "[]"},        {"s", "\"q\\\"t\\tn\\nz\\0b\\\\\""},
                        {"g", "{[abc][def]}"}, {"old", "2"}};
    EXPECT_EQ(config.Values(), stored);
    EXPECT_EQ(config.Keys(), (Strings{"old"}));
    EXPECT_EQ(config.GetError(), 1);

    EXPECT_EQ(config.GetString("s", ""), std::string("q\"t\tn\nz\0b\\", 10));
}

// ---------------------------------------------------------------- layout

TEST(OConfigFileSerialize, WritesTheTabLayoutClosingAndOpeningBlocks) {
    OConfigFile config;
    for (const char* key : {"Ab", "A.c", "A.B.C.d", "A.B.e", "X.Y.z"})
        config.SetInt(key, static_cast<int>(std::string(key).size()));
    EXPECT_EQ(config.Serialize(),
              "A = {\n\tB = {\n\t\tC = {\n\t\t\td=7\n\t\t}\n\t\te=5\n\t}\n\tc=3\n}\nAb=2\n"
              "X = {\n\tY = {\n\t\tz=5\n\t}\n}\n");
    EXPECT_EQ(OConfigFile().Serialize(), "");
}

// ---------------------------------------------------------------- saving

size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

// Both savers write the serialized text (one of them scrambled) and leave no
// temporary file; the scrambled loader reads it back. An unwritable target
// fails and leaves what was there.
TEST(OConfigFileSave, BothSaversWriteTheTextAndFailuresLeaveWhatWasThere) {
    TempDir dir;
    const std::string target = dir.File("Saved.Cfg");
    OConfigFile config;
    config.SetInt("A.x", 1);
    config.SetString("name", "Mole");
    EXPECT_EQ(config.SaveFile(target.c_str()), 0);
    EXPECT_EQ(TempDir::Read(target), config.Serialize());
    EXPECT_EQ(config.SaveScrambled(target.c_str()), 0);
    EXPECT_EQ(config.GetError(), 0);
    EXPECT_EQ(Unscrambled(TempDir::Read(target)), config.Serialize());
    EXPECT_NE(TempDir::Read(target), config.Serialize());
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    OConfigFile reloaded;
    EXPECT_EQ(reloaded.LoadScrambled(target.c_str()), 0);
    EXPECT_EQ(reloaded.Values(), config.Values());
    // A file that does not parse, or a missing one, fails; only LoadFile
    // empties the map first. An unscrambled file reads as noise.
    TempDir::Write(target, Unscrambled("b=1\n}\n"));
    EXPECT_EQ(reloaded.LoadScrambled(target.c_str()), 1);
    EXPECT_EQ(reloaded.Values(), (Map{{"b", "1"}}));
    const std::string missing = dir.File("missing.cfg");
    EXPECT_EQ(reloaded.LoadScrambled(missing.c_str()), 1);
    EXPECT_EQ(reloaded.GetError(), 1);
    EXPECT_EQ(reloaded.Values(), (Map{{"b", "1"}}));
    EXPECT_EQ(reloaded.LoadFile(missing.c_str()), 1);
    EXPECT_TRUE(reloaded.Values().empty());
    EXPECT_EQ(reloaded.LoadFile(dir.Path().c_str()), 1) << "a folder opens but cannot be read";
    TempDir::Write(target, "a=1\n");
    reloaded.LoadScrambled(target.c_str());
    EXPECT_EQ(reloaded.Values().count("a"), 0u);

    EXPECT_EQ(config.SaveScrambled(dir.File("no/such/dir/x.cfg").c_str()), 1);
    EXPECT_EQ(config.GetError(), 1);
    EXPECT_EQ(config.SaveFile(""), 1);
    std::filesystem::remove(target);
    std::filesystem::create_directory(target);
    TempDir::Write(target + "/inside", "keep");
    EXPECT_EQ(config.SaveFile(target.c_str()), 1);
    EXPECT_EQ(TempDir::Read(target + "/inside"), "keep");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

}  // namespace
