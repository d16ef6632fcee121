#include "game/Game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/OApplication.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "support/GLTestWindow.h"
#include "support/GameTestData.h"
#include "ui/KvCheckBox.h"

// The game screen drawn with the shipped pictures: the frames must change as
// the train runs and the panels open. $CARROWMOOR_GAME_DATA names the packed
// game folder (CTest sets it to the build folder); with $CARROWMOOR_SNAPSHOTS
// set, the frames are also written there for a developer to look at.
namespace {

class GameScreenLookTest : public ::testing::Test {
protected:
    GameScreenLookTest() : window(800, 600) {}

    void SetUp() override {
        const char* folder = std::getenv("CARROWMOOR_GAME_DATA");
        if (folder == nullptr) {
            GTEST_SKIP() << "set CARROWMOOR_GAME_DATA to a packed game folder";
        }
        gameFolder = folder;
        SystemOptions.Hints = 0;
        SystemOptions.DifficultyLevel = 1;
    }
    void TearDown() override { app.OnQuit(); }

    Game& StartGame(int beginLevel) {
        SystemOptions.BeginLevel = beginLevel;
        data.Write();  // the level files
        OResourceArchive::Instance().SetPath(gameFolder + "/Data/Resource.Kvr");
        OResourceArchive::Instance().ReadDirectory();
        // The test data has no menu picture: this is the packed game's archive.
        EXPECT_TRUE(OResourceArchive::Instance().Contains("Data/Textures/Interface/Menu.Jpg"))
            << "no packed game data in " << gameFolder << " (give an absolute folder)";
        app.Init();
        game = new Game();
        game->LoadPictures("GB.Tga", "LCompl.Tga");
        app.AddScreen(game);
        game->SetClientSize(800, 600);
        app.SetScreen(Game::kScreenId);
        return *game;
    }

    std::vector<uint8_t> Frame(const std::string& name) {
        game->Draw();
        window.Snapshot(name);
        return window.Frame();
    }

    // Share of pixels that differ between two frames.
    static double Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        size_t differing = 0;
        for (size_t i = 0; i + 2 < a.size(); i += 3) {
            differing += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
        }
        return static_cast<double>(differing) / static_cast<double>(a.size() / 3);
    }

    GLTestWindow window;
    GameTestData data;
    OApplication app;
    Game* game = nullptr;
    std::string gameFolder;
};

TEST_F(GameScreenLookTest, HandMadeLevel) {
    Game& g = StartGame(1);
    const auto still = Frame("look-hand-made");
    for (int i = 0; i < 60; ++i) {
        g.Update(16);
    }
    EXPECT_GT(Difference(still, Frame("look-hand-made-running")), 0.0) << "the train moved";
}

TEST_F(GameScreenLookTest, GeneratedLevelMidRunWithSmokeAndPanels) {
    Game& g = StartGame(5);
    for (int i = 0; i < 400 && GameState == StatePlaying; ++i) {
        g.Update(16);
    }
    InputEvent move;
    move.type = EventMouseMove;
    move.x = 360;
    move.y = 200;
    g.OnInput(move);
    EXPECT_GT(g.GetTrain().Smoke().GetCount(), 5);
    const auto running = Frame("look-generated-running");

    GameState = StateLevelComplete;
    g.GetTrain().bonus = 685;
    for (int i = 0; i < 30; ++i) {
        g.Update(16);
    }
    const auto complete = Frame("look-level-complete");
    EXPECT_GT(Difference(running, complete), 0.05);

    g.OnControlEvent(Game::NextLevelButtonId, 0);
    GameState = StateGameOver;
    const auto over = Frame("look-game-over");
    EXPECT_GT(Difference(complete, over), 0.05);

    SystemOptions.Hints = 1;
    g.hintsCheck->checked = 1;
    GameState = StatePlaying;
    g.OnEnter();
    Frame("look-hints");
}

}  // namespace
