#include "game/Game.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>

#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardPainter.h"
#include "game/GameSettings.h"
#include "game/GameValues.h"
#include "game/Train.h"
#include "game/TrainPainter.h"
#include "render/OCamera.h"
#include "render/OFont.h"
#include "render/OTexture.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"

namespace {

constexpr int kGameMusic = 1;

std::unique_ptr<OTexture> LoadPicture(const char* name) {
    auto texture = std::make_unique<OTexture>();
    texture->Load(name, true);
    return texture;
}

template <typename Control>
void Park(Control* control, int x) {
    control->SetPosition(x, Game::kParkedY);
    control->hidden = 1;
}

}  // namespace

Game::Game() : ORenderWindow(kScreenId) {
    OSoundSystem::Instance().StopAllSounds();
    GameSettings::Instance().Read();
    score = 0;
    statusBar = LoadPicture("Interface/StatusBar.Tga");
    board = std::make_unique<Board>(BeginLevelInUse());
    board->LoadCatalogue();
    train = std::make_unique<Train>();
    board->SetTrain(train.get());
    train->SetBoard(board.get());
    train->ResetTrain();
    GameState = StatePlaying;
    gameOverPicture = LoadPicture("GameOver.Tga");
    gameOverTimer = 0;
    GameOverTime = GameSettings::Instance().GameOverTime;
}

Game::~Game() {
    // The train points into the board: it goes first.
    train.reset();
    board.reset();
}

OFont* Game::Font() const {
    return application != nullptr ? application->GetFont() : nullptr;
}

bool Game::Build() {
    CreateControls();
    speedFactor = 1.0;
    panel = LoadPicture("HintsBgrn.Tga");
    if (SDL_GL_GetCurrentContext() != nullptr) {
        glDisable(GL_LIGHTING);
        glDisable(GL_COLOR_MATERIAL);
        glDisable(GL_CULL_FACE);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    OSoundSystem& sound = OSoundSystem::Instance();
    sound.SelectMusic(kGameMusic);
    OMusicPlayer* music = sound.GetMusic(kGameMusic);
    if (sound.IsMusicEnabled() && music != nullptr) {
        music->PlayNext();
    }
    GameState = StatePlaying;
    GameEndMark = EndMarkRunning;
    return true;
}

void Game::CreateControls() {
    nextLevelButton = new BlendButton(NextLevelButtonId, false);
    nextLevelButton->SetImage("Buttons/PlayNext.Tga");
    Park(nextLevelButton, 300);
    AddControl(nextLevelButton);

    okButton = new BlendButton(OkButtonId, false);
    okButton->SetImage("Buttons/Ok.Tga");
    Park(okButton, 300);
    AddControl(okButton);

    hintsCheck = new KvCheckBox(Font(), HintsCheckId, kTextScale);
    hintsCheck->SetImage("Interface/CheckBox.Tga");
    hintsCheck->label = "Show Hints";
    hintsCheck->SetPosition(100, 100);
    hintsCheck->hidden = 1;
    hintsCheck->checked = SystemOptions.Hints != 0 ? 1 : 0;
    // The only control of this screen that makes the interface sounds.
    hintsCheck->SetSounds(1, 2);
    AddControl(hintsCheck);

    gameCamera = std::make_unique<OCamera>(kVirtualWidth, kVirtualHeight, 45.0f, 1.0f, 10000.0f);

    menuButton = new BlendButton(MenuButtonId, false);
    menuButton->SetImage("Buttons/MenuSml.Tga");
    menuButton->SetPosition(670, 2);
    AddControl(menuButton);

    turboCheck = new KvCheckBox(Font(), TurboCheckId, kTextScale);
    turboCheck->SetImage("Interface/CheckBox.Tga");
    turboCheck->label = "Turbo Mode";
    turboCheck->SetPosition(630, 8);
    turboCheck->checked = 0;
    AddControl(turboCheck);
}

bool Game::HintsPanelOpen() const {
    return okButton != nullptr && okButton->hidden == 0;
}

bool Game::LevelCompletePanelOpen() const {
    return nextLevelButton != nullptr && nextLevelButton->hidden == 0;
}

void Game::OnEnter() {
    if (SystemOptions.Hints != 0 && okButton != nullptr) {
        okButton->hidden = 0;
        hintsCheck->hidden = 0;
    }
    if (menuButton != nullptr) {
        menuButton->hidden = 0;
        menuButton->enabled = 1;
    }
    OSoundSystem& sound = OSoundSystem::Instance();
    sound.PauseAllSounds(false);
    sound.SelectMusic(kGameMusic);
    if (OMusicPlayer* music = sound.GetCurrentMusic()) {
        music->Resume();
    }
}

void Game::Update(int ms) {
    // The buttons' glow runs even while the game itself is paused.
    ORenderWindow::Update(ms);
    if (HintsPanelOpen()) {
        return;
    }
    if (GameState == StatePlaying) {
        const int gameMs = static_cast<int>(ms * speedFactor);
        board->UpdateMoves(gameMs);
        train->UpdateTrain(gameMs);
        levelPoints = 0;
    }
    if (GameState == StateLevelComplete) {
        train->UpdateTrain(ms);
        if (!LevelCompletePanelOpen()) {
            nextLevelButton->hidden = 0;
            nextLevelButton->SetPosition(350, 200);
        }
        CountUpStep();
    }
    if (GameState == StateGameOver && AdvanceGameOver(ms)) {
        return;
    }
    OSoundSystem::Instance().UpdateTracked();
}

void Game::CountUpStep() {
    train->bonus -= 3;
    if (train->bonus > 0) {
        score += 3;
        levelPoints += 3;
    } else {
        train->bonus = 0;
    }
    if (train->fuel > 0.0) {
        score += 1;
        levelPoints += 1;
        train->fuel -= 1.0;
    } else {
        train->fuel = 0.0;
    }
}

bool Game::AdvanceGameOver(int ms) {
    gameOverTimer += ms;
    if (gameOverTimer <= GameOverTime) {
        return false;
    }
    gameOverTimer = 0;
    GameEndMark = StateGameOver;
    if (application != nullptr) {
        application->SetScreen(kScoreScreenId);
    }
    return true;
}

bool Game::OnInput(InputEvent& event) {
    if (ORenderWindow::OnInput(event)) {
        return true;
    }
    if (HintsPanelOpen()) {
        return false;
    }
    // Keyboard events carry no pointer position, so only the mouse moves
    // the hover frame.
    if (event.IsMouse()) {
        board->UpdateHover(event.x, event.y, windowWidth, windowHeight);
    }
    if (event.type == EventMouseDown) {
        board->MoveBlock(event.button, event.x, event.y, windowWidth, windowHeight);
    }
    if (event.type == EventKeyDown && event.key == kEscapeKey) {
        if (GameState != StateGameOver && GameEndMark != StateGameOver) {
            if (application != nullptr) {
                application->SetScreen(kMenuScreenId);
            }
            return true;
        }
        OSoundSystem::Instance().PauseAllSounds(true);
        if (application != nullptr) {
            application->SetScreen(kScoreScreenId);
        }
        event.type = EventNone;
        event.key = 0;
        return true;
    }
    return false;
}

void Game::LeaveGame() {
    if (GameState == StateGameOver || GameEndMark == StateGameOver) {
        OSoundSystem::Instance().PauseAllSounds(true);
        if (application != nullptr) {
            application->SetScreen(kScoreScreenId);
        }
        return;
    }
    if (application != nullptr) {
        application->SetScreen(kMenuScreenId);
    }
}

bool Game::OnControlEvent(int controlId, int code) {
    switch (controlId) {
        case MenuButtonId:
            LeaveGame();
            break;
        case TurboCheckId:
            speedFactor = turboCheck->checked ? kTurboFactor : 1.0;
            break;
        case NextLevelButtonId:
            StartNextLevel();
            break;
        case OkButtonId:
            SaveHintsOption();
            CloseHintsPanel();
            break;
        case HintsCheckId:
            SaveHintsOption();
            break;
        default:
            break;
    }
    return true;
}

void Game::StartNextLevel() {
    // The rest of the track bonus is paid at once; the rest of the fuel is
    // lost, ResetTrain fills the tank again.
    if (train->bonus > 0) {
        score += train->bonus;
        levelPoints = 0;
        train->bonus = 0;
    }
    turboCheck->checked = 0;
    speedFactor = 1.0;
    board->LoadLevel();
    train->ResetTrain();
    GameState = StatePlaying;
    Park(nextLevelButton, 400);
}

void Game::SaveHintsOption() {
    SystemOptions.Hints = hintsCheck->checked ? 1 : 0;
    SaveSystemOptions();
}

void Game::CloseHintsPanel() {
    Park(okButton, 400);
    Park(hintsCheck, 400);
}

void Game::PlacePanelControls() {
    if (LevelCompletePanelOpen()) {
        nextLevelButton->SetPosition(380, 267);
    }
    if (HintsPanelOpen()) {
        okButton->SetPosition(450, 267);
        hintsCheck->SetPosition(350, 275);
    }
}

void Game::Draw() {
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_STENCIL_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glViewport(0, 0, windowWidth, windowHeight);
    if (gameCamera != nullptr) {
        gameCamera->Set2D(kVirtualWidth, kVirtualHeight);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (background != nullptr) {
        background->Draw(0, 0);
    }
    if (GameState == StatePlaying || GameState == StateLevelComplete ||
        GameState == StateGameOver) {
        BoardPainter::DrawBoard(*board);
        TrainPainter::DrawTrain(*train);
        BoardPainter::DrawSemaphores(*board);
    }
    OFont* font = Font();
    DrawStatusBar(font);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (GameState == StateGameOver) {
        DrawGameOverPicture();
    }
    PlacePanelControls();
    if (LevelCompletePanelOpen()) {
        DrawLevelCompletePanel(font);
    }
    if (HintsPanelOpen()) {
        DrawHintsPanel(font);
    }
    menuButton->Draw();
    turboCheck->Draw();
}

void Game::DrawStatusBar(OFont* font) {
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    statusBar->Draw(0, 0);
    if (font == nullptr) {
        return;
    }
    char text[64];
    font->colour[0] = font->colour[1] = font->colour[2] = font->colour[3] = 1.0f;
    std::snprintf(text, sizeof text, "FGHI  %2.0f", train->fuel);
    font->DrawText(18.0f, 8.0f, text, true, kTextScale, 1);
    std::snprintf(text, sizeof text, "ABCDE  %i", score);
    font->DrawText(180.0f, 8.0f, text, true, kTextScale, 1);
}

void Game::DrawCentredPanel(const OTexture& picture, float y) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    picture.Draw(400 - picture.GetWidth() / 2, y);
    glDisable(GL_BLEND);
}

void Game::DrawGameOverPicture() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    gameOverPicture->Draw(400 - gameOverPicture->GetWidth() / 2, 300);
    glDisable(GL_BLEND);
}

void Game::DrawLevelCompletePanel(OFont* font) {
    if (overlay != nullptr) {
        DrawCentredPanel(*overlay, 250.0f);
    }
    nextLevelButton->Draw();
    if (font == nullptr) {
        return;
    }
    char text[64];
    glEnable(GL_TEXTURE_2D);
    std::snprintf(text, sizeof text, "QRS TUVWXY:  %i", train->bonus);
    font->DrawText(230.0f, 382.0f, text, true, kTextScale, 1);
    std::snprintf(text, sizeof text, "FGHI:  %i", static_cast<int>(train->fuel));
    font->DrawText(343.0f, 354.0f, text, true, kTextScale, 1);
    std::snprintf(text, sizeof text, "JKLMN:  %i", levelPoints);
    font->DrawText(313.0f, 314.0f, text, true, kTextScale, 1);
}

void Game::DrawHintsPanel(OFont* font) {
    DrawCentredPanel(*panel, 250.0f);
    okButton->Draw();
    hintsCheck->Draw();
    if (font == nullptr) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    font->colour[0] = 1.0f;
    font->colour[1] = 1.0f;
    font->colour[2] = 0.0f;
    font->colour[3] = 1.0f;
    font->DrawText(180.0f, 380.0f, "Controls", true, kTextScale, 0);
    font->colour[2] = 1.0f;
    font->DrawText(190.0f, 360.0f, "Left mouse click - move a block.", true, kTextScale, 0);
    font->DrawText(190.0f, 340.0f, "Right mouse click - turn a block.", true, kTextScale, 0);
}
