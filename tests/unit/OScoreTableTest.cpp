#include "data/OScoreTable.h"

#include "app/OFileNotFound.h"
#include "render/OTexture.h"
#include "support/UiTestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "data/Scrambler.h"
#include "support/TempDir.h"

namespace {

std::string Scrambled(std::string text) {
    Scrambler::Config(reinterpret_cast<uint8_t*>(text.data()), text.size());
    return text;
}

std::vector<int> Scores(const OScoreTable& table) {
    std::vector<int> scores;
    for (size_t i = 0; i < table.GetCount(); ++i)
        scores.push_back(table.GetEntry(i).score);
    return scores;
}

class ScoreTableTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.File("TP.Kv");
};

}  // namespace

// A missing file loads nothing; Reset writes ten default records, scrambled
// as a whole from the first byte. A new score goes after older equal ones
// and pushes out the lowest, so one tying the lowest qualifies but is dropped
// again. A load that fails leaves the table as it was.
TEST_F(ScoreTableTest, ResetWritesTenDefaultsAndInsertKeepsOlderEqualScoresAhead) {
    OScoreTable table(file, 10, "");
    EXPECT_FALSE(table.Load());
    EXPECT_EQ(table.GetCount(), 0u);
    table.Reset();
    std::string defaults;
    for (int i = 0; i < 10; ++i)
        defaults += "...\n0\n...\n";
    EXPECT_EQ(TempDir::Read(file), Scrambled(defaults));
    EXPECT_TRUE(table.Qualifies(0));
    EXPECT_FALSE(table.Qualifies(-1));
    table.Insert("Zero", 0, "Easy");
    EXPECT_EQ(TempDir::Read(file), Scrambled(defaults));

    std::string text;  // 1000, 900, ..., 100
    for (int score = 1000; score >= 100; score -= 100)
        text += "P" + std::to_string(score) + "\n" + std::to_string(score) + "\nNormal\n";
    TempDir::Write(file, Scrambled(text));
    ASSERT_TRUE(table.Load());
    EXPECT_FALSE(table.Qualifies(99));
    table.Insert("New", 500, "Easy");
    EXPECT_EQ(Scores(table), (std::vector<int>{1000, 900, 800, 700, 600, 500, 500, 400, 300, 200}));
    EXPECT_EQ(table.GetEntry(5).name, "P500");
    EXPECT_EQ(table.GetEntry(6).name, "New");
    OScoreTable loaded(file, 10, "");
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(Scores(loaded), Scores(table));
    EXPECT_EQ(loaded.GetEntry(6).difficulty, "Easy");
    std::filesystem::remove(file);
    EXPECT_FALSE(loaded.Load());
    EXPECT_EQ(Scores(loaded), Scores(table));
}

// Spaces are stored as underscores and underscores read back as spaces;
// names and difficulties that would break the word list still read back as
// one record each.
TEST_F(ScoreTableTest, NamesAndDifficultiesReadBackAsOneRecordEach) {
    // Name, score and difficulty inserted; name and difficulty read back.
    const std::tuple<const char*, int, const char*, const char*, const char*> cases[] = {
        {"Ada Lovelace", 300, "Hard", "Ada Lovelace", "Hard"},
        {"snake_case", 200, "Easy", "snake case", "Easy"},
        {"", 30, "Normal", " ", "Normal"},
        {"tab\there", 20, "", "tab here", "..."},
        {"-5 x", 10, "Easy", "-5 x", "Easy"}};
    OScoreTable table(file, 5, "");
    table.Reset();
    for (const auto& [name, score, difficulty, nameRead, difficultyRead] : cases)
        table.Insert(name, score, difficulty);
    EXPECT_EQ(
        Scrambled(TempDir::Read(file)).rfind("Ada_Lovelace\n300\nHard\nsnake_case\n200\nEasy\n", 0),
        0u);

    OScoreTable loaded(file, 5, "");
    ASSERT_TRUE(loaded.Load());
    ASSERT_EQ(loaded.GetCount(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const auto& [name, score, difficulty, nameRead, difficultyRead] = cases[i];
        EXPECT_EQ(loaded.GetEntry(i).name, nameRead) << name;
        EXPECT_EQ(loaded.GetEntry(i).score, score) << name;
        EXPECT_EQ(loaded.GetEntry(i).difficulty, difficultyRead) << difficulty;
    }
}

// Loading stops at the first record without a number or cut short; digits
// glued to a word end the number (the rest is the next word), and a number
// beyond 32 bits is no number. The table keeps the size it was loaded with.
TEST_F(ScoreTableTest, LoadStopsAtTheFirstRecordWithoutANumberAndKeepsThatSize) {
    const std::tuple<const char*, std::vector<int>, const char*> cases[] = {
        {"A 7 Easy  B x Hard C 9 Normal", {7}, "Easy"},
        {"A 12Hard B 3 Easy", {12, 3}, "Hard"},
        {"A 2147483647 Easy B -2147483648 Easy C 2147483648 Easy D 1 Easy",
         {2147483647, -2147483647 - 1},
         "Easy"},
        {"A 30 Easy B 20 Easy C 10 Easy D 5", {30, 20, 10}, "Easy"},
    };
    OScoreTable table(file, 10, "");
    for (const auto& [text, scores, difficulty] : cases) {
        TempDir::Write(file, Scrambled(text));
        ASSERT_TRUE(table.Load()) << text;
        EXPECT_EQ(Scores(table), scores) << text;
        EXPECT_EQ(table.GetEntry(0).difficulty, difficulty) << text;
    }
    EXPECT_TRUE(table.Qualifies(1));
    table.Insert("X", 25, "Hard");
    table.Insert("Y", 1, "Hard");
    EXPECT_EQ(Scores(table), (std::vector<int>{30, 25, 20}));
    EXPECT_THROW(table.GetEntry(3), std::out_of_range);
    OScoreTable loaded(file, 10, "");
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.GetCount(), 3u);
}

TEST_F(ScoreTableTest, AbsurdFilesLoadWithBoundedRecordsAndWords) {
    // Two million tiny records and a word of a few megabytes.
    std::string text;
    text.reserve(2'000'000 * 8 + 4'000'000);
    text += std::string(4'000'000, 'W') + " 1 Easy\n";
    for (int i = 0; i < 2'000'000; ++i)
        text += "a 1 b\n";
    TempDir::Write(file, Scrambled(text));

    OScoreTable table(file, 10, "");
    ASSERT_TRUE(table.Load());
    EXPECT_EQ(table.GetCount(), OScoreTable::kMaxRecords);
    EXPECT_EQ(table.GetEntry(0).name, std::string(256, 'W'));
    EXPECT_EQ(table.GetEntry(0).score, 1);
    EXPECT_EQ(table.GetEntry(1).name, "a");
}

TEST(ScoreTablePicture, LoadedOnlyForNamesLongerThanFourCharacters) {
    UiTestData data;
    TempDir dir;
    const std::string file = dir.File("TP.Kv");
    EXPECT_EQ(OScoreTable(file, 10, "").GetPicture(), nullptr);
    EXPECT_EQ(OScoreTable(file, 10, "Ok.T").GetPicture(), nullptr) << "four characters: none";
    OScoreTable withPicture(file, 10, "Buttons/Ok.Tga");
    ASSERT_NE(withPicture.GetPicture(), nullptr);
    EXPECT_EQ(withPicture.GetPicture()->GetWidth(), 128);
    EXPECT_THROW(OScoreTable(file, 10, "Missing.Tga"), OFileNotFound);
}
