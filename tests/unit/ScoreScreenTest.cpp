#include "ui/Score.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
    // Name, score and difficulty of the first entry.
    std::tuple<std::string, int, std::string> TopRow() {
        return {Top().name, Top().score, Top().difficulty};
    }
};

}  // namespace

TEST_F(ScoreScreenTest, AQualifyingScoreTakesANameWithEnterOrEscapeAndBlankNamesAreUnknown) {
    SystemOptions.DifficultyLevel = 2;
    FinishGame(420);
    EXPECT_TRUE(!RunningGame::Exists() && StandInGame::alive == 0)
        << "the finished game is deleted";
    ASSERT_NE(scores->nameField, nullptr);
    Type("xAda");  // the field swallows the first event it gets
    Press({kEnter});
    EXPECT_EQ(scores->nameField, nullptr) << "the field goes after the name is entered";
    EXPECT_EQ(TopRow(), std::make_tuple("Ada", 420, "Hard"));
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
    EXPECT_EQ(TopRow(), std::make_tuple(std::string(Score::kUnknownPlayer), 500, "Normal"));

    FinishGame(600);
    ASSERT_NE(scores->nameField, nullptr);
    EXPECT_EQ(scores->nameField->text, "Ada") << "a blank name is not remembered";
    app.SetScreen(201);
    EXPECT_EQ(scores->nameField, nullptr) << "leaving the screen deletes the field";
    EXPECT_EQ(scores->controls.size(), 1u) << "only the menu button remains";
}

TEST_F(ScoreScreenTest, ScoresThatDoNotQualifyGoStraightBackToTheMenu) {
    FinishGame(0);
    EXPECT_EQ(Current(), 201);
    EXPECT_FALSE(RunningGame::Exists());
    for (int points = 100; points <= 1000; points += 100)
        app.scoreTable()->Insert("Full", points, "Easy");
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
    EXPECT_EQ(scores->nameField, nullptr);
    Press({kEscape});
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(Top().score, 0) << "nothing entered";
}
