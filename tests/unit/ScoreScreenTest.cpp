#include "ui/Score.h"

#include <gtest/gtest.h>

#include "app/OApplication.h"
#include "data/OScoreTable.h"
#include "support/ShellScreenData.h"
#include "ui/Menu.h"
#include "ui/OTextField.h"
#include "ui/RunningGame.h"

namespace {

// The score screen with the game's table (defaults: ten entries of 0) in a
// temporary file, and a stand-in game that ends with a chosen score.
class ScoreScreenTest : public ::testing::Test {
protected:
    ScoreScreenTest() {
        RunningGame::factory = [] { return new StandInGame(); };
        tableFile = data.File("TP.Kv");
        app.AddScoreTable(0, tableFile, 10, "");
        menu = new Menu(201);
        app.AddScreen(menu);
        scoreScreen = new Score(209);
        app.AddScreen(scoreScreen);
        scoreScreen->SetClientSize(800, 600);
        app.SetScreen(201);
    }
    ~ScoreScreenTest() override {
        RunningGame::Discard(&app);
        RunningGame::factory = &RunningGame::MakeGameScreen;
        app.OnQuit();
    }
    // Starts a game, ends it with the score and shows the score screen.
    void FinishGame(int points) {
        menu->StartNewGame();
        GameState = StateGameOver;
        score = points;
        app.SetScreen(209);
    }
    void Type(const std::string& text) {
        for (char c : text) {
            InputEvent event = ShellScreenData::Key(EventChar, c);
            app.OnInput(event);
        }
    }
    void Press(int key) {
        InputEvent event = ShellScreenData::Key(EventKeyDown, key);
        app.OnInput(event);
    }
    int Current() const {
        return app.GetCurrentScreen() != nullptr ? app.GetCurrentScreen()->id : -1;
    }
    const ScoreEntry& Top() { return app.scoreTable()->GetEntry(0); }
    // The best name in the table as written to disk.
    std::string SavedTopName() {
        OScoreTable table(tableFile, 10, "");
        table.Load();
        return table.GetEntry(0).name;
    }

    ShellScreenData data;
    std::string tableFile;
    OApplication app;
    Menu* menu = nullptr;
    Score* scoreScreen = nullptr;
};

}  // namespace

TEST_F(ScoreScreenTest, AQualifyingScoreTakesATypedNameWithEnter) {
    SystemOptions.DifficultyLevel = 2;
    FinishGame(420);
    EXPECT_FALSE(RunningGame::Exists()) << "the finished game is deleted";
    EXPECT_EQ(StandInGame::alive, 0);
    ASSERT_NE(scoreScreen->nameField, nullptr);
    Type("x");  // the field swallows the first event it gets
    Type("Ada");
    Press(13);
    EXPECT_EQ(scoreScreen->nameField, nullptr) << "the field goes after the name is entered";
    EXPECT_EQ(Top().name, "Ada");
    EXPECT_EQ(Top().score, 420);
    EXPECT_EQ(Top().difficulty, "Hard");
    EXPECT_EQ(SavedTopName(), "Ada") << "the table file is written";

    // Leaving by the menu button afterwards enters nothing more.
    scoreScreen->OnControlEvent(Score::kMenuButtonId, 0);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(app.scoreTable()->GetEntry(1).score, 0);
}

TEST_F(ScoreScreenTest, EscapeEntersWhatWasTypedAndBlankNamesAreUnknown) {
    FinishGame(300);
    Type("xBo");
    Press(27);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(Top().name, "Bo");
    EXPECT_EQ(Top().difficulty, "Normal");

    FinishGame(500);
    ASSERT_NE(scoreScreen->nameField, nullptr);
    EXPECT_EQ(scoreScreen->nameField->text, "Bo") << "the last name is offered again";
    scoreScreen->nameField->SetText("   ");
    scoreScreen->OnControlEvent(Score::kMenuButtonId, 0);
    EXPECT_EQ(Top().name, Score::kUnknownPlayer);
    EXPECT_EQ(Top().score, 500);

    FinishGame(600);
    ASSERT_NE(scoreScreen->nameField, nullptr);
    EXPECT_EQ(scoreScreen->nameField->text, "Bo") << "a blank name is not remembered";
}

TEST_F(ScoreScreenTest, ScoresThatDoNotQualifyGoStraightBackToTheMenu) {
    FinishGame(0);
    EXPECT_EQ(Current(), 201);
    EXPECT_FALSE(RunningGame::Exists());
    EXPECT_EQ(Top().score, 0);

    for (int points = 100; points <= 1000; points += 100) {
        app.scoreTable()->Insert("Full", points, "Easy");
    }
    FinishGame(50);
    EXPECT_EQ(Current(), 201);
    EXPECT_FALSE(RunningGame::Exists()) << "deleted all the same";
    EXPECT_EQ(app.scoreTable()->GetEntry(9).score, 100);
}

TEST_F(ScoreScreenTest, LookingAtTheTableLeavesARunningGameAlone) {
    menu->StartNewGame();
    score = 800;
    app.SetScreen(209);
    EXPECT_TRUE(RunningGame::Exists());
    EXPECT_EQ(scoreScreen->nameField, nullptr);
    Press(27);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(Top().score, 0) << "nothing entered";
}

TEST_F(ScoreScreenTest, LeavingTheScreenDeletesTheNameField) {
    FinishGame(700);
    ASSERT_NE(scoreScreen->nameField, nullptr);
    app.SetScreen(201);
    EXPECT_EQ(scoreScreen->nameField, nullptr);
    EXPECT_TRUE(scoreScreen->controls.size() == 1u) << "only the menu button remains";
}
