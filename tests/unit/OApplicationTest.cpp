#include "app/OApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/OScoreTable.h"
#include "data/Scrambler.h"
#include "support/TempDir.h"
#include "support/UiTestData.h"
#include "ui/ORenderWindow.h"

namespace {

// A screen that writes its life cycle into a shared journal.
class JournalScreen : public ORenderWindow {
public:
    JournalScreen(int id, std::vector<std::string>& journal, bool buildResult = true)
        : ORenderWindow(id), journal(journal), buildResult(buildResult) {}
    void OnEnter() override { journal.push_back("enter " + std::to_string(id)); }
    void OnLeave() override { journal.push_back("leave " + std::to_string(id)); }
    bool Build() override {
        journal.push_back("build " + std::to_string(id));
        return buildResult;
    }
    bool OnInput(InputEvent& event) override {
        journal.push_back("input at " + std::to_string(event.x) + "," + std::to_string(event.y));
        return true;
    }
    std::vector<std::string>& journal;
    bool buildResult;
};

class OApplicationTest : public ::testing::Test {
protected:
    UiTestData data;
    std::vector<std::string> journal;
};

}  // namespace

// Keyboard events carry the last pointer position, where the cursor is too.
TEST_F(OApplicationTest, SetScreenLeavesThenEntersAndHandlesUnknownIdsAndTheInputGoesToIt) {
    OApplication app;
    app.Init();
    auto* menu = new JournalScreen(201, journal);
    auto* broken = new JournalScreen(205, journal, false);
    EXPECT_TRUE(app.AddScreen(menu));
    EXPECT_TRUE(app.AddScreen(menu)) << "adding twice reports success";
    EXPECT_FALSE(app.AddScreen(broken)) << "the build result; the screen is kept";
    EXPECT_EQ(app.GetScreens().size(), 2u);
    EXPECT_EQ(menu->application, &app);
    EXPECT_EQ(app.RemoveScreen(broken), broken);
    EXPECT_EQ(app.RemoveScreen(broken), nullptr) << "removed once";
    delete broken;  // removing does not delete
    auto* options = new JournalScreen(204, journal);
    app.AddScreen(options);

    EXPECT_TRUE(app.SetScreen(201));
    EXPECT_TRUE(app.SetScreen(204));
    EXPECT_TRUE(app.SetScreen(204)) << "re-entering the current screen";
    InputEvent move{EventMouseMove, 0, 0, 0, 123, 45}, key{EventKeyDown};  // the key at 0, 0
    app.OnInput(move);
    app.OnInput(key);
    EXPECT_EQ(std::vector<int>({app.GetCursor()->x, app.GetCursor()->y}),
              std::vector<int>({123, 45}));
    EXPECT_FALSE(app.SetScreen(999));
    EXPECT_EQ(app.GetCurrentScreen(), nullptr);
    EXPECT_FALSE(app.SetScreen(999)) << "nothing to leave now";
    EXPECT_EQ(journal,
              (std::vector<std::string>{"build 201", "build 205", "build 204", "enter 201",
                                        "leave 201", "enter 204", "leave 204", "enter 204",
                                        "input at 123,45", "input at 123,45", "leave 204"}));
    // A frame without a current screen draws nothing, input is dropped.
    app.Update(16);
    InputEvent click{EventMouseDown};
    EXPECT_FALSE(app.OnInput(click));
    app.OnQuit();
    EXPECT_TRUE(app.GetScreens().empty());
}

// The file at start-up decides the table: one that is missing, or damaged
// so that it yields no record (random bytes are damaged_files.sh's), gives
// the ten default entries (written back, the damaged bytes kept beside as
// TP.Kv.bad); half a file gives the records it holds and stays as it is.
TEST_F(OApplicationTest, ScoreTableStartsFromWhatTheFileHolds) {
    std::string tenRecords;
    for (int score = 1000; score >= 100; score -= 100)
        tenRecords += "P" + std::to_string(score) + "\n" + std::to_string(score) + "\nNormal\n";
    struct Case {
        const char* what;
        bool exists;
        std::string bytes;  // scrambled before they are written
        size_t count;
        bool keptAsBad;
    };
    const Case cases[] = {
        {"missing", false, "", 10, false},
        {"only whitespace and words", true, "\n\n  Easy Hard\n", 10, true},
        {"half of ten records", true, tenRecords.substr(0, tenRecords.size() / 2), 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir(true);
        const std::string file = dir.File("TP.Kv");
        std::string stored = c.bytes;
        Scrambler::Config(reinterpret_cast<uint8_t*>(stored.data()), stored.size());
        if (c.exists)
            TempDir::Write(file, stored);
        OApplication app;
        EXPECT_EQ(app.scoreTable(), nullptr);
        app.AddScoreTable(0, file, 10, "");
        ASSERT_NE(app.scoreTable(), nullptr);
        EXPECT_EQ(app.scoreTable()->GetCount(), c.count);
        if (c.count == 10) {
            EXPECT_EQ(app.scoreTable()->GetEntry(0).name, "...");
            OScoreTable reread(file, 10, "");
            ASSERT_TRUE(reread.Load()) << "the fresh table is written";
            EXPECT_EQ(reread.GetCount(), 10u);
        } else {
            EXPECT_EQ(app.scoreTable()->GetEntry(4).score, 600);
            EXPECT_EQ(TempDir::Read(file), stored) << "a readable file is left alone";
        }
        EXPECT_EQ(std::filesystem::exists(file + ".bad"), c.keptAsBad);
        if (c.keptAsBad) {
            EXPECT_EQ(TempDir::Read(file + ".bad"), stored);
            EXPECT_NE(TempDir::Read("Report.html").find(file + ".bad"), std::string::npos);
        }
    }
}
