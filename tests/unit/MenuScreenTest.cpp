#include "ui/Menu.h"

#include <gtest/gtest.h>

#include "app/OApplication.h"
#include "support/ShellScreenData.h"
#include "ui/Credits.h"
#include "ui/Help.h"
#include "ui/OTextStack.h"
#include "ui/RunningGame.h"

int StandInGame::alive = 0;
int StandInGame::made = 0;

namespace {

// The menu, help and credits screens in an application without a window,
// with a stand-in for the game screen.
class MenuScreenTest : public ::testing::Test {
protected:
    MenuScreenTest() : data("Carrowmoor#\r\n\n\nA puzzle\r\n\r\nEnd\r\n") {
        RunningGame::factory = [] { return new StandInGame(); };
        menu = Add(new Menu(201));
        help = Add(new Help(208));
        credits = Add(new Credits(205));
        app.SetScreen(201);
    }
    ~MenuScreenTest() override {
        RunningGame::Discard(&app);
        RunningGame::factory = &RunningGame::MakeGameScreen;
        app.OnQuit();
    }
    template <typename Screen>
    Screen* Add(Screen* screen) {
        app.AddScreen(screen);
        screen->SetClientSize(800, 600);
        return screen;
    }
    int Current() const {
        return app.GetCurrentScreen() != nullptr ? app.GetCurrentScreen()->id : -1;
    }
    // A click on the middle of a picture button.
    bool ClickOn(ORenderWindow* screen, const OTextStack* button) {
        InputEvent click =
            ShellScreenData::Click(button->x + button->width / 2, button->y + button->height / 2);
        return screen->OnInput(click);
    }
    OTextStack* MenuButton(int controlId) {
        for (OTextStack* button : menu->menuButtons) {
            if (button->id == controlId) {
                return button;
            }
        }
        return nullptr;
    }

    ShellScreenData data;
    OApplication app;
    Menu* menu = nullptr;
    Help* help = nullptr;
    Credits* credits = nullptr;
};

}  // namespace

TEST_F(MenuScreenTest, ButtonsStandCentredInTheirRowsAndLeadToTheirScreens) {
    const int expectedY[] = {406, 364, 322, 280, 238, 196, 154};
    for (size_t i = 0; i < menu->menuButtons.size(); ++i) {
        EXPECT_EQ(menu->menuButtons[i]->x, 300);
        EXPECT_EQ(menu->menuButtons[i]->y, expectedY[i]);
    }
    EXPECT_TRUE(ClickOn(menu, MenuButton(Menu::HelpId)));
    EXPECT_EQ(Current(), 208);
    app.SetScreen(201);
    ClickOn(menu, MenuButton(Menu::CreditsId));
    EXPECT_EQ(Current(), 205);
    app.SetScreen(201);
    ClickOn(menu, MenuButton(Menu::ContinueId));
    EXPECT_EQ(Current(), 201) << "Continue without a game does nothing";
}

TEST_F(MenuScreenTest, NewGameAsksBeforeReplacingARunningGame) {
    ClickOn(menu, MenuButton(Menu::NewGameId));
    ASSERT_EQ(Current(), 202);
    ORenderWindow* first = RunningGame::Get();
    const int firstSerial = static_cast<StandInGame*>(first)->serial;
    EXPECT_EQ(StandInGame::alive, 1);

    app.SetScreen(201);
    ClickOn(menu, MenuButton(Menu::NewGameId));
    EXPECT_TRUE(menu->IsConfirming());
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(RunningGame::Get(), first) << "the running game is not touched yet";

    // While asking, the seven buttons take no clicks.
    ClickOn(menu, MenuButton(Menu::ContinueId));
    EXPECT_EQ(Current(), 201);

    // The confirmation's buttons take their places when drawn; place them so.
    menu->cancelButton->SetPosition(220, 265);
    ClickOn(menu, menu->cancelButton);
    EXPECT_FALSE(menu->IsConfirming());
    EXPECT_EQ(RunningGame::Get(), first);
    ClickOn(menu, MenuButton(Menu::ContinueId));
    EXPECT_EQ(Current(), 202) << "the old game is still resumable";

    app.SetScreen(201);
    menu->OnControlEvent(Menu::NewGameId, 0);
    menu->OnControlEvent(Menu::ConfirmOkId, 0);
    EXPECT_EQ(Current(), 202);
    EXPECT_NE(static_cast<StandInGame*>(RunningGame::Get())->serial, firstSerial);
    EXPECT_EQ(StandInGame::alive, 1) << "the replaced game was deleted";
    EXPECT_EQ(app.GetScreens().size(), 4u) << "menu, help, credits and the new game";
}

TEST_F(MenuScreenTest, EnteringTheMenuAlwaysStartsWithoutTheConfirmation) {
    menu->OnControlEvent(Menu::NewGameId, 0);
    app.SetScreen(201);
    menu->OnControlEvent(Menu::NewGameId, 0);
    ASSERT_TRUE(menu->IsConfirming());
    app.SetScreen(208);
    app.SetScreen(201);
    EXPECT_FALSE(menu->IsConfirming());
    EXPECT_EQ(menu->okButton->y, Menu::kParkedY);
    ClickOn(menu, MenuButton(Menu::ContinueId));
    EXPECT_EQ(Current(), 202) << "the seven buttons work again";
}

TEST_F(MenuScreenTest, HelpAndCreditsReturnOnEscapeOrTheirButton) {
    app.SetScreen(208);
    InputEvent escape = ShellScreenData::Key(EventKeyDown, 27);
    EXPECT_TRUE(app.OnInput(escape));
    EXPECT_EQ(Current(), 201);

    app.SetScreen(205);
    InputEvent letter = ShellScreenData::Key(EventKeyDown, 'A');
    EXPECT_FALSE(app.OnInput(letter));
    EXPECT_EQ(Current(), 205);
    EXPECT_TRUE(app.OnInput(escape));
    EXPECT_EQ(Current(), 201);

    app.SetScreen(205);
    ClickOn(credits, credits->menuButton);
    EXPECT_EQ(Current(), 201);
}

TEST_F(MenuScreenTest, CreditsRiseFromBelowAndRestartOnEveryEntry) {
    ASSERT_EQ(credits->lines.size(), 4u) << "runs of line feeds count as one";
    EXPECT_EQ(credits->lines[0].text, "Carrowmoor");
    EXPECT_EQ(credits->lines[0].colour[2], 0.0f) << "a heading is yellow";
    EXPECT_EQ(credits->lines[1].text, "A puzzle\r");
    EXPECT_EQ(credits->lines[2].text, "\r") << "a blank line stays";
    EXPECT_DOUBLE_EQ(credits->lines[0].y, 36.0);
    EXPECT_DOUBLE_EQ(credits->lines[3].y, -18.0);

    app.SetScreen(205);
    credits->Update(1000);
    EXPECT_DOUBLE_EQ(credits->lines[0].y, 86.0) << "50 units a second";
    EXPECT_FALSE(credits->IsFinished());
    credits->Update(12360);
    EXPECT_TRUE(credits->IsFinished()) << "the last line is above 600";
    app.SetScreen(205);
    EXPECT_DOUBLE_EQ(credits->lines[0].y, 36.0);
    EXPECT_FALSE(credits->IsFinished());
}

TEST(CreditsScreen, FadesAtBothEdgesAndEndsAtOnceWithoutLines) {
    EXPECT_FLOAT_EQ(Credits::FadeAt(300.0), 1.0f);
    EXPECT_FLOAT_EQ(Credits::FadeAt(37.0), 0.25f);
    EXPECT_FLOAT_EQ(Credits::FadeAt(575.0), 0.25f);
    EXPECT_FLOAT_EQ(Credits::FadeAt(-37.0), 0.25f) << "squared before clamping";
    EXPECT_FLOAT_EQ(Credits::FadeAt(650.0), 1.0f);

    ShellScreenData data("");
    OApplication app;
    auto* credits = new Credits(205);
    app.AddScreen(credits);
    EXPECT_TRUE(credits->lines.empty());
    EXPECT_TRUE(credits->IsFinished());
    app.OnQuit();
}

TEST(CreditsScreen, HeadingMarkCountsOnlyJustBeforeTheLineEnd) {
    const auto lines = CreditsText::Parse("Team#\r\nNo # here\r\nEnds#\nx");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "Team");
    EXPECT_EQ(lines[1].text, "No # here\r");
    EXPECT_EQ(lines[1].colour[2], 1.0f);
    EXPECT_EQ(lines[2].text, "Ends#") << "the mark must stand just before the carriage return";
    EXPECT_EQ(lines[3].text, "x");
}
