#include "ui/RunningGame.h"

#include "app/HeapPolicy.h"
#include "app/OApplication.h"
#include "game/Game.h"
#include "game/GameValues.h"
#include "ui/ORenderWindow.h"

ORenderWindow* RunningGame::screen = nullptr;
RunningGame::Factory RunningGame::factory = &RunningGame::MakeGameScreen;

ORenderWindow* RunningGame::MakeGameScreen() {
    return new Game();
}

bool RunningGame::IsOver() {
    return GameState == StateGameOver || GameEndMark == StateGameOver;
}

bool RunningGame::Start(OApplication* application) {
    if (Exists()) {
        Discard(application);
    }
    ORenderWindow* game = factory ? factory() : nullptr;
    if (game == nullptr) {
        return false;
    }
    screen = game;
    game->LoadPictures("GB.Tga", "LCompl.Tga");
    application->AddScreen(game);
    // The game's pictures and sounds are loaded: their file buffers go back.
    HeapPolicy::GiveBack();
    application->SetScreen(kGameScreenId);
    return true;
}

void RunningGame::Discard(OApplication* application) {
    if (screen == nullptr) {
        return;
    }
    if (application != nullptr && application->HasScreen(screen)) {
        application->RemoveScreen(screen);
    }
    delete screen;
    screen = nullptr;
}
