#include "ui/Menu.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "render/OTexture.h"
#include "support/ShellScreenData.h"
#include "ui/ScreenDecor.h"

using MenuScreenTest = ShellScreens;

TEST_F(MenuScreenTest, ButtonsStandCentredInTheirRowsAndLeadToTheirScreens) {
    for (size_t i = 0; i < menu->menuButtons.size(); ++i)
        EXPECT_EQ(std::vector<int>({menu->menuButtons[i]->x, menu->menuButtons[i]->y}),
                  std::vector<int>({300, 406 - 42 * int(i)}));
    // Continue without a game does nothing; Help and Credits return on Escape
    // or their button, and other keys are not theirs.
    const std::vector<std::pair<int, int>> cases = {
        {Menu::ContinueId, 201}, {Menu::HelpId, 208}, {Menu::CreditsId, 205}, {Menu::ScoreId, 209}};
    for (const auto& [button, screen] : cases) {
        app.SetScreen(201);
        EXPECT_TRUE(ClickOn(MenuButton(button)));
        EXPECT_EQ(Current(), screen) << button;
    }
    app.SetScreen(205);
    EXPECT_FALSE(Press({'A'}));
    EXPECT_EQ(Current(), 205);
    EXPECT_TRUE(Press({kEscape}));
    EXPECT_EQ(Current(), 201);
    app.SetScreen(208);
    ClickOn(help->menuButton);
    EXPECT_EQ(Current(), 201);
}

TEST_F(MenuScreenTest, NewGameAsksBeforeReplacingARunningGameAndTheMenuForgetsTheQuestion) {
    ClickOn(MenuButton(Menu::NewGameId));
    ASSERT_EQ(Current(), 202);
    const int first = static_cast<StandInGame*>(RunningGame::Get())->serial;
    app.SetScreen(201);
    ClickOn(MenuButton(Menu::NewGameId));
    EXPECT_TRUE(menu->IsConfirming());
    EXPECT_EQ(Current(), 201);
    ClickOn(MenuButton(Menu::ContinueId));
    EXPECT_EQ(Current(), 201) << "while asking, the seven buttons take no clicks";
    ClickOn(menu->cancelButton);
    EXPECT_FALSE(menu->IsConfirming());
    ClickOn(MenuButton(Menu::ContinueId));
    EXPECT_EQ(Current(), 202) << "the old game is still resumable";
    EXPECT_EQ(static_cast<StandInGame*>(RunningGame::Get())->serial, first);

    // Leaving while asking: the menu comes back without the question.
    app.SetScreen(201);
    menu->OnControlEvent(Menu::NewGameId, 0);
    app.SetScreen(208);
    app.SetScreen(201);
    EXPECT_FALSE(menu->IsConfirming());
    EXPECT_EQ(menu->okButton->y, Menu::kParkedY);

    menu->OnControlEvent(Menu::NewGameId, 0);
    ClickOn(menu->okButton);
    EXPECT_EQ(Current(), 202);
    EXPECT_NE(static_cast<StandInGame*>(RunningGame::Get())->serial, first);
    EXPECT_EQ(StandInGame::alive, 1) << "the replaced game was deleted";
    EXPECT_EQ(app.GetScreens().size(), 6u) << "the five screens and the new game";
}

TEST_F(MenuScreenTest, KeysWalkTheButtonsInOrderAndEnterPressesTheLitOne) {
    struct Case {
        std::initializer_list<int> keys;
        int screen;
    };
    // Without a game Continue is passed over: Down starts at New game.
    const Case cases[] = {
        {{kDown, kDown, kDown, kDown, kEnter}, 208},                   // Help
        {{kUp, kUp, kEnter}, 205},                                     // Credits, from the end
        {{kTab, kTab, kTab, kTab, kTab, kShift + kTab, kEnter}, 208},  // Shift+Tab steps back
        {{kEnter}, 201},                                               // nothing lit yet
        {{kDown, kEscape, kEnter}, 202},  // Escape changes nothing: New game
    };
    for (const Case& c : cases) {
        app.SetScreen(201);
        Press(c.keys);
        EXPECT_EQ(Current(), c.screen) << c.keys.size() << " keys";
    }
    EXPECT_EQ(StandInGame::made, 1);
    // On the pages, Down lights the Menu button and Enter presses it.
    app.SetScreen(208);
    Press({kEnter});
    EXPECT_EQ(Current(), 208);
    Press({kDown, kEnter});
    EXPECT_EQ(Current(), 201);
}

// Mended: the question's panel takes the keys for its own two buttons only.
TEST_F(MenuScreenTest, KeysAnswerTheEndCurrentGameQuestionWithItsOwnButtonsOnly) {
    menu->StartNewGame();
    app.SetScreen(201);
    Press({kDown});
    EXPECT_EQ(MenuButton(Menu::ContinueId)->hovered, 1) << "with a game Continue comes first";
    Press({kDown, kEnter});
    ASSERT_TRUE(menu->IsConfirming());
    Press({kEscape});
    EXPECT_FALSE(menu->IsConfirming()) << "Escape answers no";
    EXPECT_EQ(StandInGame::made, 1);
    Press({kEnter});
    ASSERT_TRUE(menu->IsConfirming()) << "New game is still lit";
    Press({kDown});
    EXPECT_EQ(menu->cancelButton->hovered, 1) << "the question's buttons, left to right";
    Press({kDown, kDown, kDown, kEnter});
    EXPECT_FALSE(menu->IsConfirming());
    EXPECT_EQ(StandInGame::made, 2) << "OK ended the old game and began a new one";
}

// Mended: the hover look is worked out again on entering a screen.
TEST_F(MenuScreenTest, AScreenEnteredShowsHoverOnlyWhereThePointerIs) {
    OTextStack* helpButton = MenuButton(Menu::HelpId);
    OTextStack* creditsButton = MenuButton(Menu::CreditsId);
    ClickOn(helpButton, EventMouseMove);
    ASSERT_EQ(helpButton->hovered, 1);
    ClickOn(helpButton);
    ASSERT_EQ(Current(), 208);
    // Back with the pointer elsewhere: Help is not left lit; the button now
    // under the pointer lights without a move.
    ClickOn(creditsButton, EventMouseMove);
    Press({kEscape});
    ASSERT_EQ(Current(), 201);
    EXPECT_EQ(helpButton->hovered, 0);
    EXPECT_EQ(creditsButton->hovered, 1);
}

TEST_F(MenuScreenTest, CreditsRiseFromBelowAndRestartOnEveryEntry) {
    const std::vector<std::string> texts = {"Carrowmoor", "No # here\r", "\r", "Ends#", "x"};
    ASSERT_EQ(credits->lines.size(), texts.size()) << "runs of line feeds count as one";
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(credits->lines[i].text, texts[i]) << "a heading's # stands before \\r\\n";
        EXPECT_EQ(credits->lines[i].colour[2], i == 0 ? 0.0f : 1.0f) << "a heading is yellow";
        EXPECT_DOUBLE_EQ(credits->lines[i].y, 36.0 - 18.0 * static_cast<double>(i));
    }
    app.SetScreen(205);
    credits->Update(1000);
    EXPECT_DOUBLE_EQ(credits->lines[0].y, 86.0) << "50 units a second";
    EXPECT_FALSE(credits->IsFinished());
    credits->Update(12360);
    EXPECT_TRUE(credits->IsFinished()) << "the last line is above 600";
    app.SetScreen(205);
    EXPECT_TRUE(credits->lines[0].y == 36.0 && !credits->IsFinished()) << "restarted";
}

TEST(CreditsScreen, FadesInAtTheBottomAndOutBelowTheLogoAndEndsAtOnceWithoutLines) {
    const std::tuple<double, double, float> cases[] = {
        // y, ceiling, alpha
        {300.0, 600.0, 1.0f},  {37.0, 600.0, 0.25f}, {-37.0, 600.0, 0.25f},
        {575.0, 600.0, 0.25f}, {650.0, 600.0, 0.0f}, {433.0, 458.0, 0.25f},
        {458.0, 458.0, 0.0f},  {520.0, 458.0, 0.0f}, {300.0, 458.0, 1.0f},
    };
    for (const auto& [y, ceiling, alpha] : cases)
        EXPECT_FLOAT_EQ(Credits::FadeAt(y, ceiling), alpha) << y << " below " << ceiling;
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
