#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/BackBufferAge.h"
#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/Game.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "support/GLTestWindow.h"
#include "support/GameTestData.h"

namespace {

// Plays a level for a few hundred presented frames, train and smoke running,
// a block sliding, the pointer's hover and the cell cursor moving about; the
// last frame, drawn only where it can differ from the one the back buffer
// holds, must be the same picture as that frame drawn whole.
TEST(GamePartRedrawTest, FramesDrawnByPartShowWhatWholeFramesShow) {
    SystemOptions.Hints = 0;
    SystemOptions.DifficultyLevel = 1;
    SystemOptions.BeginLevel = 5;
    GLTestWindow window(800, 600);
    GameTestData data;
    data.Write();
    OApplication app;
    app.Init();
    Game* game = new Game();
    game->LoadPictures("GB.Tga", "LCompl.Tga");
    app.AddScreen(game);
    game->SetClientSize(800, 600);
    app.SetScreen(Game::kScreenId);

    // The first presents of a window show it whole.
    for (int i = 0; i < 2; ++i) {
        window.Clear(0.0f, 0.0f, 0.0f);
        window.Swap();
    }
    if (BackBufferAge::Query() != 1) {
        app.OnQuit();
        GTEST_SKIP() << "this window's back buffer does not keep the last frame (age "
                     << BackBufferAge::Query() << "): nothing is drawn by part";
    }
    Board& board = game->GetBoard();
    Train& train = game->GetTrain();
    const auto key = [game](int code) {
        InputEvent event;
        event.type = EventKeyDown;
        event.key = static_cast<uint16_t>(code);
        game->OnInput(event);
    };
    int partFrames = 0;
    int slides = 0;
    int maxPuffs = 0;
    constexpr int kFrames = 300;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (GameState != StatePlaying) {
            train.ResetTrain();
            GameState = StatePlaying;
            GameEndMark = EndMarkRunning;
        }
        train.fuel = Train::kFullTank;
        // The pointer wanders over the blocks; the cell cursor steps along
        // and slides a block now and then.
        if (frame % 20 == 0) {
            const OVector3 over = board.Cell((frame / 20) % board.boardWidth, 3).position;
            game->RefreshHover(static_cast<int>(over.x), static_cast<int>(600 - over.y));
        }
        if (frame % 45 == 10) {
            key(Game::KeyRight);
        }
        if (frame % 45 == 30) {
            key(Game::KeySpace);
        }
        game->Update(16);
        game->Draw();
        partFrames += game->DrewPartFrame() ? 1 : 0;
        for (int column = 0; column < board.boardWidth; ++column) {
            for (int row = 0; row < board.boardHeight; ++row) {
                slides += board.Cell(column, row).IsSliding() ? 1 : 0;
            }
        }
        maxPuffs = std::max(maxPuffs, train.Smoke().GetCount());
        if (frame + 1 < kFrames) {
            window.Swap();
        }
    }
    // What the last frame shows once presented is the back buffer as drawn.
    ASSERT_TRUE(game->DrewPartFrame()) << "the last frame was drawn whole";
    const std::vector<uint8_t> byPart = window.Frame();
    window.Snapshot("part-redraw-by-part");
    // Drawn again without a present between, the frame is drawn whole.
    game->Draw();
    ASSERT_FALSE(game->DrewPartFrame());
    const std::vector<uint8_t> whole = window.Frame();
    window.Snapshot("part-redraw-whole");
    app.OnQuit();

    EXPECT_GT(partFrames, kFrames / 2) << "most frames should be drawn by part";
    EXPECT_GT(slides, 0) << "no block slid";
    EXPECT_GT(maxPuffs, 5) << "too little smoke";
    ASSERT_EQ(byPart.size(), whole.size());
    int differing = 0;
    int worst = 0;
    for (size_t i = 0; i < whole.size(); ++i) {
        const int difference = std::abs(int(byPart[i]) - int(whole[i]));
        differing += difference > 0 ? 1 : 0;
        worst = std::max(worst, difference);
    }
    EXPECT_EQ(differing, 0) << "channels differ, by up to " << worst;
}

}  // namespace
