#include "ui/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/OApplication.h"
#include "render/OTexture.h"
#include "support/ShellScreenData.h"
#include "ui/Credits.h"
#include "ui/Help.h"
#include "ui/OTextStack.h"
#include "ui/RunningGame.h"
#include "ui/ScreenDecor.h"

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

    // Keys as the window hands them over; "S+Tab" holds Shift.
    void Keys(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            const bool shift = name.rfind("S+", 0) == 0;
            const std::string key = shift ? name.substr(2) : name;
            InputEvent event = ShellScreenData::Key(EventKeyDown, key == "Down"    ? 40
                                                                  : key == "Up"    ? 38
                                                                  : key == "Tab"   ? 9
                                                                  : key == "Enter" ? 13
                                                                                   : 27);
            event.buttonState = shift ? ButtonStateShift : 0;
            app.OnInput(event);
        }
    }
    void PointerTo(int virtualX, int virtualY) {
        InputEvent move;
        move.type = EventMouseMove;
        move.x = static_cast<int16_t>(virtualX);
        move.y = static_cast<int16_t>(600 - virtualY);
        app.OnInput(move);
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

TEST_F(MenuScreenTest, KeysWalkTheButtonsInOrderAndEnterPressesTheLitOne) {
    struct Case {
        std::vector<std::string> keys;
        int screen;
    };
    // Without a game Continue is passed over: Down starts at New game.
    const Case cases[] = {
        {{"Down", "Down", "Down", "Down", "Enter"}, 208},              // Help
        {{"Up", "Up", "Enter"}, 205},                                  // Credits, from the end
        {{"Tab", "Tab", "Tab", "Tab", "Tab", "S+Tab", "Enter"}, 208},  // Shift+Tab steps back
        {{"Enter"}, 201},                                              // nothing lit yet
        {{"Down", "Escape", "Enter"}, 110},                            // Escape changes nothing
    };
    for (const Case& c : cases) {
        app.SetScreen(201);
        const int gamesBefore = StandInGame::made;
        Keys(c.keys);
        if (c.screen == 110) {
            EXPECT_EQ(StandInGame::made, gamesBefore + 1) << "New game started";
            EXPECT_EQ(Current(), 202);
            app.SetScreen(201);
            RunningGame::Discard(&app);
        } else {
            EXPECT_EQ(Current(), c.screen) << c.keys.size() << " keys";
        }
    }
    // On the pages, Down lights the Menu button and Enter presses it.
    app.SetScreen(208);
    Keys({"Enter"});
    EXPECT_EQ(Current(), 208);
    Keys({"Down", "Enter"});
    EXPECT_EQ(Current(), 201);
}

TEST_F(MenuScreenTest, KeysAnswerTheEndCurrentGameQuestionWithItsOwnButtonsOnly) {
    menu->StartNewGame();
    app.SetScreen(201);
    const int game = StandInGame::made;
    Keys({"Down"});
    EXPECT_EQ(MenuButton(Menu::ContinueId)->hovered, 1) << "with a game Continue comes first";
    Keys({"Down", "Enter"});
    ASSERT_TRUE(menu->IsConfirming());
    Keys({"Escape"});
    EXPECT_FALSE(menu->IsConfirming()) << "Escape answers no";
    EXPECT_EQ(StandInGame::made, game);
    Keys({"Enter"});
    ASSERT_TRUE(menu->IsConfirming()) << "New game is still lit";
    Keys({"Down"});
    EXPECT_EQ(menu->cancelButton->hovered, 1) << "the question's buttons, left to right";
    Keys({"Down", "Down", "Down", "Enter"});
    EXPECT_FALSE(menu->IsConfirming());
    EXPECT_EQ(StandInGame::made, game + 1) << "OK ended the old game and began a new one";
}

TEST_F(MenuScreenTest, AScreenEnteredShowsHoverOnlyWhereThePointerIs) {
    OTextStack* helpButton = MenuButton(Menu::HelpId);
    OTextStack* creditsButton = MenuButton(Menu::CreditsId);
    PointerTo(helpButton->x + 20, helpButton->y + 20);
    ASSERT_EQ(helpButton->hovered, 1);
    InputEvent click = ShellScreenData::Click(helpButton->x + 20, helpButton->y + 20);
    app.OnInput(click);
    ASSERT_EQ(Current(), 208);
    // Back with the pointer elsewhere: Help is not left lit; the button now
    // under the pointer lights without a move.
    PointerTo(creditsButton->x + 20, creditsButton->y + 20);
    Keys({"Escape"});
    ASSERT_EQ(Current(), 201);
    EXPECT_EQ(helpButton->hovered, 0);
    EXPECT_EQ(creditsButton->hovered, 1);
}

TEST(CreditsScreen, FadesInAtTheBottomAndOutBelowTheLogoAndEndsAtOnceWithoutLines) {
    struct Case {
        double y, ceiling;
        float alpha;
    };
    const Case cases[] = {
        {300.0, 600.0, 1.0f},  {37.0, 600.0, 0.25f}, {-37.0, 600.0, 0.25f},
        {575.0, 600.0, 0.25f}, {650.0, 600.0, 0.0f}, {433.0, 458.0, 0.25f},
        {458.0, 458.0, 0.0f},  {520.0, 458.0, 0.0f}, {300.0, 458.0, 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(Credits::FadeAt(c.y, c.ceiling), c.alpha) << c.y << " below " << c.ceiling;
    }
    // With the 100-unit start-up logo at its place (top edge at 576), a line
    // is gone once its top would touch the logo's lower edge at 476.
    EXPECT_DOUBLE_EQ(Credits::Ceiling(), 600.0) << "no logo: the top of the screen";
    ShellScreenData data("");
    OTexture logo;
    logo.Load("Quarvelr3D.Tga", false);
    ScreenDecor::SetStartupLogo(&logo);
    EXPECT_DOUBLE_EQ(Credits::Ceiling(), 476.0 - Credits::kLineHeight);
    ScreenDecor::SetStartupLogo(nullptr);

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
