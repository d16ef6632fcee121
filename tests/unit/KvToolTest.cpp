#include "kvtool/KvTool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <utility>

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

TEST(KvTool, ExtractRefusesNamesThatLeaveTheOutputFolder) {
    TempDir dir;
    // An archive with hostile names, made through the tool's own packer and
    // then renamed in place: same lengths, so the layout stays valid.
    TempDir::Write(dir.File("staging/Data/xxxxxxxxxxxxxxx"), "evil");
    TempDir::Write(dir.File("staging/Data/yyyyyyy"), "good");
    ASSERT_EQ(RunTool({"pack", dir.File("staging/Data"), dir.File("R.Kvr")}).status, 0);
    std::string bytes = TempDir::Read(dir.File("R.Kvr"));
    std::string hostile = "Data/../../evileeeee", original = "Data/xxxxxxxxxxxxxxx";
    for (std::string* name : {&hostile, &original})
        Scrambler::Archive(reinterpret_cast<uint8_t*>(name->data()), name->size());
    bytes.replace(bytes.find(original), original.size(), hostile);
    TempDir::Write(dir.File("R.Kvr"), bytes);

    const Result result = RunTool({"extract", dir.File("R.Kvr"), dir.File("a/b/out")});
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find("unsafe"), std::string::npos);
    EXPECT_EQ(TempDir::Read(dir.File("a/b/out/Data/yyyyyyy")), "good");
    // "out/Data/../../evileeeee" would land in a/b.
    EXPECT_FALSE(std::filesystem::exists(dir.File("a/b/evileeeee")));
}

TEST(KvTool, WrongArgumentsNameWhatIsWrongBeforeTheUsage) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "kvtool: no command given"},
        {{"frobnicate"}, "kvtool: unknown command \"frobnicate\""},
        {{"pack"}, "kvtool: pack is missing DIR OUT.Kvr"},
        {{"extract", "a.Kvr"}, "kvtool: extract is missing OUTDIR"},
        {{"scores"}, "kvtool: scores is missing FILE"},
        {{"list", "a", "b"}, "kvtool: list takes 1 argument, 2 given"},
    };
    for (const auto& [arguments, told] : cases) {
        const Result result = RunTool(arguments);
        EXPECT_EQ(result.status, 2) << told;
        EXPECT_EQ(result.err.rfind(told + "\nusage:\n", 0), 0u) << result.err;
    }
}

// Files that cannot be read, a damaged archive and a file that is no score
// table all fail with status 1 and say what is wrong; a damaged archive still
// gives the entries that are intact.
TEST(KvTool, DamagedAndMissingFilesFailAndSayWhy) {
    TempDir dir;
    TempDir::Write(dir.File("staging/Data/A.Txt"), "aaa");
    TempDir::Write(dir.File("staging/Data/B.Txt"), "bbbb");
    ASSERT_EQ(RunTool({"pack", dir.File("staging/Data"), dir.File("R.Kvr")}).status, 0);
    std::string archive = TempDir::Read(dir.File("R.Kvr"));
    // The second record's length (right after the first record) set to 3.
    const size_t second = 32 + 12 + std::string("Data/A.Txt").size();
    archive[second] = 3;
    archive[second + 1] = archive[second + 2] = archive[second + 3] = 0;
    TempDir::Write(dir.File("Damaged.Kvr"), archive);
    TempDir::Write(dir.File("Options.Cfg"), "Background=0\nBeginLevel=5\n");
    const std::string damage = "kvtool: " + dir.File("Damaged.Kvr") +
                               " is damaged: record 2 of 2 has the length 3, below 12";

    struct Case {
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"list", dir.File("Damaged.Kvr")}, "Data/A.Txt\t3\n", damage},
        {{"extract", dir.File("Damaged.Kvr"), dir.File("out")}, "", damage},
        {{"scores", dir.File("Options.Cfg")},
         "",
         "kvtool: " + dir.File("Options.Cfg") + " is no high-score file: it holds no score record"},
        {{"list", dir.File("absent.Kvr")}, "", "cannot open archive"},
        {{"list", dir.Path().string()}, "", "cannot open archive"},
        {{"extract", dir.File("absent.Kvr"), dir.File("o")}, "", "cannot open archive"},
        {{"pack", dir.File("absent"), dir.File("o.Kvr")}, "", "kvtool: "},
        {{"scramble", dir.File("absent"), dir.File("o")}, "", "cannot read"},
        {{"scores", dir.File("absent")}, "", "cannot read"},
    };
    for (const Case& c : cases) {
        const Result result = RunTool(c.arguments);
        EXPECT_EQ(result.status, 1) << c.arguments[0] << " " << c.arguments[1];
        EXPECT_EQ(result.out, c.out) << c.arguments[0];
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    }
    EXPECT_EQ(TempDir::Read(dir.File("out/Data/A.Txt")), "aaa") << "the intact entry is extracted";
}
