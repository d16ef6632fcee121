#include "kvtool/KvTool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "data/OScoreTable.h"
#include "data/Scrambler.h"
#include "support/TempDir.h"

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = KvTool::Run(arguments, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace

TEST(KvTool, PackListExtractRoundTripsAFolder) {
    TempDir dir;
    const std::string big(3000, '\x9c');
    TempDir::Write(dir.File("staging/Data/Rails.Txt"), "rails\r\n");
    TempDir::Write(dir.File("staging/Data/Sounds/Big.Wav"), big);
    TempDir::Write(dir.File("staging/Data/Empty"), "");
    ASSERT_EQ(RunTool({"pack", dir.File("staging/Data"), dir.File("R.Kvr")}).status, 0);

    const Result list = RunTool({"list", dir.File("R.Kvr")});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "Data/Empty\t0\nData/Rails.Txt\t7\nData/Sounds/Big.Wav\t3000\n");

    ASSERT_EQ(RunTool({"extract", dir.File("R.Kvr"), dir.File("out")}).status, 0);
    EXPECT_EQ(TempDir::Read(dir.File("out/Data/Rails.Txt")), "rails\r\n");
    EXPECT_EQ(TempDir::Read(dir.File("out/Data/Sounds/Big.Wav")), big);
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/Data/Empty")));

    // Packing the same folder again gives the same bytes.
    ASSERT_EQ(RunTool({"pack", dir.File("staging/Data"), dir.File("S.Kvr")}).status, 0);
    EXPECT_EQ(TempDir::Read(dir.File("R.Kvr")), TempDir::Read(dir.File("S.Kvr")));
}

TEST(KvTool, ExtractRefusesNamesThatLeaveTheOutputFolder) {
    TempDir dir;
    // An archive with hostile names, made through the tool's own packer and
    // then renamed in place: same lengths, so the layout stays valid.
    TempDir::Write(dir.File("staging/Data/xxxxxxxxxxxxxxx"), "evil");
    TempDir::Write(dir.File("staging/Data/yyyyyyy"), "good");
    ASSERT_EQ(RunTool({"pack", dir.File("staging/Data"), dir.File("R.Kvr")}).status, 0);
    std::string bytes = TempDir::Read(dir.File("R.Kvr"));
    std::string hostile = "Data/../../evil";
    std::string original = "Data/xxxxxxxxxxxxxxx";
    hostile.resize(original.size(), 'e');
    Scrambler::Archive(reinterpret_cast<uint8_t*>(hostile.data()), hostile.size());
    Scrambler::Archive(reinterpret_cast<uint8_t*>(original.data()), original.size());
    bytes.replace(bytes.find(original), original.size(), hostile);
    TempDir::Write(dir.File("R.Kvr"), bytes);

    const Result result = RunTool({"extract", dir.File("R.Kvr"), dir.File("a/b/out")});
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find("unsafe"), std::string::npos);
    EXPECT_EQ(TempDir::Read(dir.File("a/b/out/Data/yyyyyyy")), "good");
    // "out/Data/../../evileeeee" would land in a/b.
    EXPECT_FALSE(std::filesystem::exists(dir.File("a/b/evileeeee")));
}

TEST(KvTool, ScrambleUnscrambleAndScoresReadTheGamesFiles) {
    TempDir dir;
    OScoreTable table(dir.File("TP.Kv"), 2, "");
    table.Reset();
    table.Insert("Ada Lovelace", 1234, "Hard");

    ASSERT_EQ(RunTool({"unscramble", dir.File("TP.Kv"), dir.File("plain.txt")}).status, 0);
    EXPECT_EQ(TempDir::Read(dir.File("plain.txt")), "Ada_Lovelace\n1234\nHard\n...\n0\n...\n");
    ASSERT_EQ(RunTool({"scramble", dir.File("plain.txt"), dir.File("again.Kv")}).status, 0);
    EXPECT_EQ(TempDir::Read(dir.File("again.Kv")), TempDir::Read(dir.File("TP.Kv")));

    const Result scores = RunTool({"scores", dir.File("TP.Kv")});
    EXPECT_EQ(scores.status, 0);
    std::istringstream lines(scores.out);
    std::string first, second, extra;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_NE(first.find(" 1. Ada Lovelace"), std::string::npos) << first;
    EXPECT_NE(first.find("1234  Hard"), std::string::npos) << first;
    EXPECT_NE(second.find(" 2. ..."), std::string::npos) << second;
}

TEST(KvTool, BadArgumentsAndMissingFilesFail) {
    TempDir dir;
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{}, {"pack"}, {"list", "a", "b"}, {"frobnicate"}}) {
        const Result result = RunTool(arguments);
        EXPECT_NE(result.status, 0);
        EXPECT_NE(result.err.find("usage"), std::string::npos);
    }
    EXPECT_NE(RunTool({"list", dir.File("absent.Kvr")}).status, 0);
    EXPECT_NE(RunTool({"list", dir.Path().string()}).status, 0);
    EXPECT_NE(RunTool({"extract", dir.File("absent.Kvr"), dir.File("o")}).status, 0);
    EXPECT_NE(RunTool({"pack", dir.File("absent"), dir.File("o.Kvr")}).status, 0);
    EXPECT_NE(RunTool({"scramble", dir.File("absent"), dir.File("o")}).status, 0);
    EXPECT_NE(RunTool({"scores", dir.File("absent")}).status, 0);
}
