#include "ui/Score.h"

#include <gtest/gtest.h>

#include "data/OScoreTable.h"
#include "support/ShellScreenData.h"
#include "ui/OTextField.h"

namespace {

class ScoreScreenTest : public ShellScreens {
protected:
    // Starts a game, ends it with the score and shows the score screen.
    void FinishGame(int points) {
        menu->StartNewGame();
        GameState = StateGameOver;
        score = points;
        app.SetScreen(209);
    }
    const ScoreEntry& Top() { return app.scoreTable()->GetEntry(0); }
};

}  // namespace

TEST_F(ScoreScreenTest, AQualifyingScoreTakesANameWithEnterOrEscapeAndBlankNamesAreUnknown) {
    SystemOptions.DifficultyLevel = 2;
    FinishGame(420);
    EXPECT_FALSE(RunningGame::Exists()) << "the finished game is deleted";
    EXPECT_EQ(StandInGame::alive, 0);
    ASSERT_NE(scores->nameField, nullptr);
    Type("xAda");  // the field swallows the first event it gets
    Press({kEnter});
    EXPECT_EQ(scores->nameField, nullptr) << "the field goes after the name is entered";
    EXPECT_EQ(Top().name, "Ada");
    EXPECT_EQ(Top().score, 420);
    EXPECT_EQ(Top().difficulty, "Hard");
    scores->OnControlEvent(Score::kMenuButtonId, 0);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(app.scoreTable()->GetEntry(1).score, 0) << "leaving afterwards enters nothing more";

    SystemOptions.DifficultyLevel = 1;
    FinishGame(500);
    ASSERT_NE(scores->nameField, nullptr);
    EXPECT_EQ(scores->nameField->text, "Ada") << "the last name is offered again";
    Type("x");  // swallowed
    scores->nameField->SetText("   ");
    Press({kEscape});
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(Top().name, Score::kUnknownPlayer);
    EXPECT_EQ(Top().score, 500);
    EXPECT_EQ(Top().difficulty, "Normal");

    FinishGame(600);
    ASSERT_NE(scores->nameField, nullptr);
    EXPECT_EQ(scores->nameField->text, "Ada") << "a blank name is not remembered";
    app.SetScreen(201);
    EXPECT_EQ(scores->nameField, nullptr) << "leaving the screen deletes the field";
    EXPECT_EQ(scores->controls.size(), 1u) << "only the menu button remains";
}

// Looking at the table during a game offers nothing and leaves the game;
// a finished game is deleted whether its score qualifies or not.
TEST_F(ScoreScreenTest, ARunningGameOrAScoreThatDoesNotQualifyGoesStraightBackToTheMenu) {
    menu->StartNewGame();
    score = 800;
    app.SetScreen(209);
    EXPECT_EQ(scores->nameField, nullptr);
    Press({kEscape});
    EXPECT_EQ(Current(), 201);
    EXPECT_TRUE(RunningGame::Exists());
    EXPECT_EQ(Top().score, 0) << "nothing entered";
    FinishGame(0);
    EXPECT_EQ(Current(), 201);
    EXPECT_FALSE(RunningGame::Exists());
    for (int points = 100; points <= 1000; points += 100) {
        app.scoreTable()->Insert("Full", points, "Easy");
    }
    FinishGame(50);
    EXPECT_EQ(Current(), 201);
    EXPECT_FALSE(RunningGame::Exists()) << "deleted all the same";
    EXPECT_EQ(app.scoreTable()->GetEntry(9).score, 100);
}
