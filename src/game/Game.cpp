#include "game/Game.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "app/BackBufferAge.h"
#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardPainter.h"
#include "game/BoardSnapshot.h"
#include "game/GameSettings.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "game/TrainPainter.h"
#include "render/OCamera.h"
#include "render/OFont.h"
#include "render/OTexture.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"
#include "ui/ScreenDecor.h"

namespace {

constexpr int kGameMusic = 1;
// Where the keyboard's cell cursor starts a level: beside the gap.
constexpr int kCursorStartColumn = 2;
constexpr int kCursorStartRow = 0;
constexpr const char* kPausedText = "Paused";
constexpr const char* kPausedHelpText = "Press P or click to go on";
constexpr const char* kRestartText = "Restart this level?";
// The lower edge of the question panels' picture (400 x 150, centred).
constexpr float kQuestionBottom = 250.0f;

// The screen's own pictures are drawn at their own size: no mipmaps.
std::unique_ptr<OTexture> LoadPicture(const char* name) {
    auto texture = std::make_unique<OTexture>();
    texture->Load(name, false);
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
    OSoundSystem::Instance().LoadGameAudio();
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
    KeepLevelStart();
    ResetCursor();
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
    questionPanel = LoadPicture("SmlWind.Tga");
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

    restartButton = new BlendButton(RestartButtonId, false);
    restartButton->SetImage("Buttons/RestartSml.Tga");
    restartButton->SetPosition(700, 2);
    AddControl(restartButton);

    resumeButton = new BlendButton(ResumeButtonId, false);
    resumeButton->SetImage("Buttons/Continue.Tga");
    Park(resumeButton, 400);
    AddControl(resumeButton);

    restartOkButton = new BlendButton(RestartOkId, false);
    restartOkButton->SetImage("Buttons/Ok.Tga");
    Park(restartOkButton, 400);
    AddControl(restartOkButton);

    restartCancelButton = new BlendButton(RestartCancelId, false);
    restartCancelButton->SetImage("Buttons/Cancel.Tga");
    Park(restartCancelButton, 400);
    AddControl(restartCancelButton);
}

bool Game::Animating() const {
    return (hold == Hold::None && !HintsPanelOpen()) || ORenderWindow::Animating();
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
    // A game left while held comes back held, and silent.
    if (hold != Hold::None) {
        sound.PauseAllSounds(true);
    }
}

void Game::RefreshHover(int x, int y) {
    ORenderWindow::RefreshHover(x, y);
    board->UpdateHover(x, y, windowWidth, windowHeight);
}

void Game::OnWindowInactive() {
    Pause();
}

void Game::Pause() {
    if (hold != Hold::None || HintsPanelOpen()) {
        return;
    }
    hold = Hold::Paused;
    ShowResumeButton();
    OSoundSystem::Instance().PauseAllSounds(true);
}

void Game::Resume() {
    if (hold != Hold::Paused) {
        return;
    }
    hold = Hold::None;
    Park(resumeButton, 400);
    OSoundSystem::Instance().PauseAllSounds(false);
}

void Game::RequestRestart() {
    if (GameState != StatePlaying || HintsPanelOpen() || hold == Hold::RestartQuestion) {
        return;
    }
    if (train->cellsEntered > kRestartWithoutAsking) {
        ShowRestartQuestion();
    } else {
        RestartLevel();
    }
}

void Game::ShowRestartQuestion() {
    holdBeforeQuestion = hold;
    if (hold == Hold::None) {
        OSoundSystem::Instance().PauseAllSounds(true);
    }
    hold = Hold::RestartQuestion;
    Park(resumeButton, 400);
    restartOkButton->hidden = 0;
    restartOkButton->SetPosition(557, 285);
    restartCancelButton->hidden = 0;
    restartCancelButton->SetPosition(284, 285);
    SetStatusControlsEnabled(false);
}

void Game::ShowResumeButton() {
    resumeButton->hidden = 0;
    resumeButton->SetPosition(400, 282);
}

void Game::CloseRestartQuestion() {
    Park(restartOkButton, 400);
    Park(restartCancelButton, 400);
    SetStatusControlsEnabled(true);
    hold = holdBeforeQuestion;
    if (hold == Hold::Paused) {
        ShowResumeButton();
    } else {
        OSoundSystem::Instance().PauseAllSounds(false);
    }
}

void Game::SetStatusControlsEnabled(bool enabled) {
    for (OControl* control :
         {static_cast<OControl*>(menuButton), static_cast<OControl*>(turboCheck),
          static_cast<OControl*>(restartButton)}) {
        control->enabled = enabled ? 1 : 0;
    }
}

void Game::RestartLevel() {
    const bool wasHeld = hold != Hold::None;
    Park(resumeButton, 400);
    Park(restartOkButton, 400);
    Park(restartCancelButton, 400);
    SetStatusControlsEnabled(true);
    hold = Hold::None;
    levelStart->Restore(*board);
    TurboOff();
    train->bonus = 0;
    train->ResetTrain();
    // The puffs of the abandoned run would hang over the restarted board.
    train->Smoke().Clear();
    score = levelStartScore;
    levelPoints = 0;
    gameOverTimer = 0;
    GameState = StatePlaying;
    GameEndMark = EndMarkRunning;
    ResetCursor();
    HoverFromPointer();
    if (wasHeld) {
        OSoundSystem::Instance().PauseAllSounds(false);
    }
}

void Game::KeepLevelStart() {
    levelStart = std::make_unique<BoardSnapshot>(BoardSnapshot::Take(*board));
    levelStartScore = score;
}

void Game::TurboOff() {
    if (turboCheck != nullptr) {
        turboCheck->checked = 0;
    }
    speedFactor = 1.0;
}

void Game::ResetCursor() {
    cursorColumn = kCursorStartColumn;
    cursorRow = kCursorStartRow;
    cursorShown = false;
}

void Game::HoverFromPointer() {
    if (application == nullptr) {
        return;
    }
    const PictureViewport viewport = application->GetViewport();
    board->UpdateHover(viewport.ToPictureX(application->PointerX()),
                       viewport.ToPictureY(application->PointerY()), windowWidth, windowHeight);
}

void Game::Update(int ms) {
    // The buttons' glow runs even while the game itself is paused.
    ORenderWindow::Update(ms);
    if (HintsPanelOpen() || hold != Hold::None) {
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
    // A held key repeats only the cursor's steps: holding P or R must not
    // toggle the pause or ask again and again.
    const bool arrow =
        event.key == KeyLeft || event.key == KeyRight || event.key == KeyUp || event.key == KeyDown;
    if (event.type == EventKeyDown && (event.buttonState & ButtonStateRepeat) != 0 && !arrow) {
        return true;
    }
    if (HintsPanelOpen()) {
        return OnHintsPanelInput(event);
    }
    if (hold != Hold::None) {
        return OnHeldInput(event);
    }
    // Keyboard events carry no pointer position, so only the mouse moves
    // the hover frame.
    if (event.IsMouse()) {
        board->UpdateHover(event.x, event.y, windowWidth, windowHeight);
        if (event.type == EventMouseMove && (event.dx != 0 || event.dy != 0)) {
            cursorShown = false;
        }
    }
    if (event.type == EventMouseDown) {
        board->MoveBlock(event.button, event.x, event.y, windowWidth, windowHeight);
    }
    if (event.type == EventKeyDown && event.key == kEscapeKey) {
        return OnEscape(event);
    }
    if (event.type == EventKeyDown) {
        return OnPlayKey(event);
    }
    return false;
}

bool Game::OnEscape(InputEvent& event) {
    // Leaving a finished game deletes this screen: decide first.
    const bool over = GameState == StateGameOver || GameEndMark == StateGameOver;
    LeaveGame();
    if (over) {
        event.type = EventNone;
        event.key = 0;
    }
    return true;
}

bool Game::OnHintsPanelInput(const InputEvent& event) {
    // Escape or Enter close the panel as its OK does.
    if (event.type == EventKeyDown && (event.key == KeyEscape || event.key == KeyEnter)) {
        SaveHintsOption();
        CloseHintsPanel();
        return true;
    }
    return false;
}

bool Game::OnHeldInput(InputEvent& event) {
    if (hold == Hold::RestartQuestion) {
        if (event.type == EventKeyDown && event.key == KeyEnter) {
            RestartLevel();
        } else if (event.type == EventKeyDown && event.key == KeyEscape) {
            CloseRestartQuestion();
        }
        // Only the question's own buttons and keys count.
        return event.IsKeyboard() || event.type == EventMouseDown;
    }
    if (event.type == EventMouseDown) {
        Resume();  // the click only wakes the game
        return true;
    }
    if (event.type != EventKeyDown) {
        return false;
    }
    switch (event.key) {
        case KeyPause:
        case KeyEnter:
            Resume();
            return true;
        case KeyRestart:
            RequestRestart();
            return true;
        case KeyEscape:
            return OnEscape(event);
        default:
            return false;
    }
}

bool Game::OnPlayKey(const InputEvent& event) {
    const bool shift = (event.buttonState & ButtonStateShift) != 0;
    switch (event.key) {
        case KeyPause:
            Pause();
            return true;
        case KeyRestart:
            RequestRestart();
            return true;
        case KeyLeft:
            MoveCursor(-1, 0);
            return true;
        case KeyRight:
            MoveCursor(1, 0);
            return true;
        case KeyUp:
            MoveCursor(0, -1);
            return true;
        case KeyDown:
            MoveCursor(0, 1);
            return true;
        case KeyEnter:
            if (LevelCompletePanelOpen()) {
                StartNextLevel();
                return true;
            }
            board->MoveBlockAt(MouseButtonLeft, cursorColumn, cursorRow);
            cursorShown = true;
            return true;
        case KeySpace:
            board->MoveBlockAt(shift ? MouseButtonRight : MouseButtonLeft, cursorColumn, cursorRow);
            cursorShown = true;
            return true;
        case KeyTurn:
            board->MoveBlockAt(MouseButtonRight, cursorColumn, cursorRow);
            cursorShown = true;
            return true;
        default:
            return false;
    }
}

void Game::MoveCursor(int columnStep, int rowStep) {
    // The first key only shows where the cursor is.
    if (!cursorShown) {
        cursorShown = true;
        return;
    }
    cursorColumn = std::clamp(cursorColumn + columnStep, 0, board->boardWidth - 1);
    cursorRow = std::clamp(cursorRow + rowStep, 0, board->boardHeight - 1);
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
        case ResumeButtonId:
            Resume();
            break;
        case RestartButtonId:
            RequestRestart();
            break;
        case RestartOkId:
            RestartLevel();
            break;
        case RestartCancelId:
            CloseRestartQuestion();
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
    TurboOff();
    board->LoadLevel();
    train->ResetTrain();
    GameState = StatePlaying;
    Park(nextLevelButton, 400);
    KeepLevelStart();
    ResetCursor();
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
    OFont* font = Font();
    const StatusTexts texts = CurrentStatusTexts();
    const bool boardShown =
        GameState == StatePlaying || GameState == StateLevelComplete || GameState == StateGameOver;
    const bool throughLayer = boardShown && useStillLayer;
    bool fromLayer = false;
    if (throughLayer) {
        stillSignature.Clear();
        FillStillSignature(stillSignature, texts);
        fromLayer =
            stillLayer.Holds(stillSignature, viewportX, viewportY, windowWidth, windowHeight);
    }
    if (!fromLayer) {
        ++layerCaptures;  // drawn part by part and taken in again
    }
    // The layer's parts, with nothing over the game but its status-bar
    // controls: a frame changes only where things move.
    const bool still = throughLayer && GameState == StatePlaying && hold == Hold::None &&
                       !HintsPanelOpen() && !LevelCompletePanelOpen();
    drewPart = PlanPartRedraw(still);
    if (!drewPart) {
        glDisable(GL_SCISSOR_TEST);
        DrawFrame(font, texts, throughLayer, fromLayer);
        return;
    }
    // Each box is drawn as the whole frame would be, inside its scissor.
    // The controls are left out of boxes they draw nothing in: each of their
    // pictures costs the software renderer a copy of its pipeline state.
    glEnable(GL_SCISSOR_TEST);
    for (const RedrawRegion::Box& box : redrawRegion.Boxes()) {
        glScissor(box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
        const bool withControls = box.x0 < controlsBox.x1 && controlsBox.x0 < box.x1 &&
                                  box.y0 < controlsBox.y1 && controlsBox.y0 < box.y1;
        DrawFrame(font, texts, throughLayer, fromLayer, withControls);
    }
    // The arrow drawn after the screen lies inside the boxes already.
    glDisable(GL_SCISSOR_TEST);
}

void Game::DrawFrame(OFont* font, const StatusTexts& texts, bool throughLayer, bool fromLayer,
                     bool withControls) {
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_STENCIL_TEST);
    // A frame shown from the layer covers its whole viewport, and nothing on
    // this screen reads the depth buffer: when the viewport is the whole
    // window there is nothing to clear.
    if (!fromLayer || !ViewportFillsWindow()) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    glViewport(viewportX, viewportY, windowWidth, windowHeight);
    if (gameCamera != nullptr) {
        gameCamera->Set2D(kVirtualWidth, kVirtualHeight);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (throughLayer) {
        DrawThroughStillLayer(font, texts, fromLayer);
    } else {
        DrawPlayingField(font, texts);
    }
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
    if (withControls) {
        menuButton->Draw();
        turboCheck->Draw();
        restartButton->Draw();
    }
    // The held game's panels lie over everything, the status bar included.
    if (hold == Hold::Paused) {
        DrawPausePanel(font);
    } else if (hold == Hold::RestartQuestion) {
        DrawRestartQuestion(font);
    }
}

bool Game::PlanPartRedraw(bool still) {
    int width = 0;
    int height = 0;
    if (SDL_Window* window = SDL_GL_GetCurrentWindow()) {
        SDL_GL_GetDrawableSize(window, &width, &height);
    }
    redrawFrame.swaps = BackBufferAge::Swaps();
    redrawFrame.backdrop = Backdrop(width, height);
    redrawFrame.still = still;
    redrawFrame.moving.clear();
    GatherMoving(redrawFrame.moving);
    const int age = usePartRedraw ? BackBufferAge::Query() : 0;
    return redrawRegion.Plan(redrawFrame, age, width, height);
}

void Game::GatherMoving(std::vector<RedrawRegion::Box>& moving) {
    movingAreas.clear();
    RedrawRegion::AddMoving(*board, *train, movingAreas);
    if (cursorShown) {
        const OVector3 centre = board->CellCenter(cursorColumn, cursorRow);
        const float half = static_cast<float>(board->CellSize) / 2.0f;
        movingAreas.push_back({centre.x - half, centre.y - half, centre.x + half, centre.y + half});
    }
    // The status bar's controls change with the pointer, a click and their
    // glow: the strip from the turbo label to the right edge, the glow's
    // full size included.
    RedrawRegion::Area controls = {kVirtualWidth, 0.0f, kVirtualWidth,
                                   static_cast<float>(statusBar->GetHeight())};
    for (BlendButton* button : {menuButton, restartButton}) {
        float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
        button->Box(left, bottom, right, top);
        const float halfW = (right - left) / 2.0f * static_cast<float>(BlendButton::kGlowEnd);
        const float halfH = (top - bottom) / 2.0f * static_cast<float>(BlendButton::kGlowEnd);
        const float x = (left + right) / 2.0f;
        const float y = (bottom + top) / 2.0f;
        controls = {std::min(controls.x0, x - halfW), std::min(controls.y0, y - halfH),
                    std::max(controls.x1, x + halfW), std::max(controls.y1, y + halfH)};
    }
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
    turboCheck->Box(left, bottom, right, top);
    OFont* font = Font();
    if (font != nullptr) {
        left -= font->GetTextWidth(turboCheck->label) * kTextScale + 24.0f;
    }
    controls = {std::min(controls.x0, left), std::min(controls.y0, bottom),
                std::max(controls.x1, right), std::max(controls.y1, top)};
    movingAreas.push_back(controls);
    controlsBox = RedrawRegion::ToWindow(controls, viewportX, viewportY, windowWidth, windowHeight);
    for (const RedrawRegion::Area& area : movingAreas) {
        moving.push_back(
            RedrawRegion::ToWindow(area, viewportX, viewportY, windowWidth, windowHeight));
    }
    // The pointer's arrow, drawn over the frame in window pixels.
    const Cursor* arrow = application != nullptr ? application->GetCursor() : nullptr;
    if (arrow != nullptr && arrow->texture != nullptr) {
        const int size = OApplication::CursorSize(application->GetViewport().height);
        const int bottomY = application->GetHeight() - arrow->y - size;
        const int margin = RedrawRegion::kMargin;
        moving.push_back({arrow->x - margin, bottomY - margin, arrow->x + size + margin,
                          bottomY + size + margin});
    }
}

uint64_t Game::Backdrop(int drawableWidth, int drawableHeight) const {
    uint64_t key = 1469598103934665603ull;
    const auto mix = [&key](uint64_t value) { key = (key ^ value) * 1099511628211ull; };
    mix(layerCaptures);
    mix(static_cast<uint64_t>(viewportX));
    mix(static_cast<uint64_t>(viewportY));
    mix(static_cast<uint64_t>(windowWidth));
    mix(static_cast<uint64_t>(windowHeight));
    mix(static_cast<uint64_t>(drawableWidth));
    mix(static_cast<uint64_t>(drawableHeight));
    // The semaphores are drawn over the layer: one that turns changes the
    // backdrop.
    for (int column = 0; column < board->boardWidth; ++column) {
        for (int row = 0; row < board->boardHeight; ++row) {
            const BoardCell& cell = board->Cell(column, row);
            if (cell.item == ItemRedSemaphore || cell.item == ItemGreenSemaphore) {
                mix(reinterpret_cast<uintptr_t>(cell.itemTexture));
            }
        }
    }
    return key;
}

void Game::DrawPlayingField(OFont* font, const StatusTexts& texts) {
    if (background != nullptr) {
        background->Draw(0, 0);
    }
    if (GameState == StatePlaying || GameState == StateLevelComplete ||
        GameState == StateGameOver) {
        BoardPainter::DrawBoard(*board);
        TrainPainter::DrawTrain(*train);
        BoardPainter::DrawSemaphores(*board);
        DrawCellCursor();
    }
    DrawStatusBar(font, texts);
}

bool Game::ViewportFillsWindow() const {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    if (window == nullptr) {
        return false;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    return viewportX == 0 && viewportY == 0 && windowWidth == width && windowHeight == height;
}

void Game::DrawThroughStillLayer(OFont* font, const StatusTexts& texts, bool fromLayer) {
    if (fromLayer) {
        stillLayer.Draw(0.0f, 0.0f, kVirtualWidth, kVirtualHeight);
    } else {
        if (background != nullptr) {
            background->Draw(0, 0);
        }
        BoardPainter::DrawResting(*board);
        DrawStatusBar(font, texts);
        if (!stillLayer.Capture(stillSignature, viewportX, viewportY, windowWidth, windowHeight)) {
            // No layer to be had: this frame is drawn part by part.
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            DrawPlayingField(font, texts);
            return;
        }
    }
    BoardPainter::DrawMoving(*board);
    TrainPainter::DrawTrain(*train);
    BoardPainter::DrawSemaphores(*board);
    DrawCellCursor();
    // The status bar lies over the engine and its smoke: its quad again,
    // from the layer.
    stillLayer.Draw(1.0f, 1.0f, static_cast<float>(statusBar->GetWidth()),
                    static_cast<float>(statusBar->GetHeight()));
}

Game::StatusTexts Game::CurrentStatusTexts() const {
    StatusTexts texts;
    char text[64];
    std::snprintf(text, sizeof text, "FGHI  %2.0f", train->fuel);
    texts.fuel = text;
    std::snprintf(text, sizeof text, "ABCDE  %i", score);
    texts.score = text;
    // "OPZ" carries the LEVEL label of glyph set 1.
    std::snprintf(text, sizeof text, "OPZ  %i", board->levelNumber);
    texts.level = text;
    static const char* const kDifficulty[] = {"Easy", "Normal", "Hard"};
    texts.difficulty = kDifficulty[DifficultyIndex()];
    return texts;
}

void Game::FillStillSignature(StillLayer::Signature& signature, const StatusTexts& texts) const {
    OFont* font = Font();
    signature.Add(background);
    signature.Add(statusBar.get());
    signature.Add(font);
    // A rebuilt font has a texture of its own.
    signature.Add(font != nullptr ? static_cast<const void*>(font->GetTexture()) : nullptr);
    signature.Add(texts.fuel);
    signature.Add(texts.score);
    signature.Add(texts.level);
    signature.Add(std::string(texts.difficulty));
    signature.Add(static_cast<int64_t>(board->levelNumber));
    signature.Add(static_cast<int64_t>(board->boardWidth));
    signature.Add(static_cast<int64_t>(board->boardHeight));
    signature.Add(static_cast<int64_t>(board->originX));
    signature.Add(static_cast<int64_t>(board->originY));
    for (int column = 0; column < board->boardWidth; ++column) {
        for (int row = 0; row < board->boardHeight; ++row) {
            const BoardCell& cell = board->Cell(column, row);
            // A sliding block and its item are drawn over the layer.
            if (cell.block == nullptr || cell.IsSliding()) {
                signature.Add(static_cast<int64_t>(0));
                continue;
            }
            signature.Add(cell.block);
            signature.Add(cell.position.x);
            signature.Add(cell.position.y);
            const bool ground =
                cell.item == ItemCoal || cell.item == ItemWorker || cell.item == ItemWorkerAlt;
            signature.Add(ground ? cell.itemTexture : nullptr);
        }
    }
}

void Game::DrawStatusBar(OFont* font, const StatusTexts& texts) {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    statusBar->Draw(0, 0);
    if (font == nullptr) {
        return;
    }
    font->colour[0] = font->colour[1] = font->colour[2] = font->colour[3] = 1.0f;
    font->DrawText(18.0f, 8.0f, texts.fuel, true, kTextScale, 1);
    font->DrawText(180.0f, 8.0f, texts.score, true, kTextScale, 1);
    font->DrawText(344.0f, 8.0f, texts.level, true, kTextScale, 1);
    // The difficulty is set in the plain letters, in the brass of the
    // labels' numbers.
    font->colour[0] = 0.97f;
    font->colour[1] = 0.85f;
    font->colour[2] = 0.55f;
    font->DrawText(486.0f - font->GetTextWidth(texts.difficulty) * kTextScale, 8.0f,
                   texts.difficulty, true, kTextScale, 0);
    font->colour[0] = font->colour[1] = font->colour[2] = 1.0f;
}

void Game::DrawCellCursor() {
    if (!cursorShown) {
        return;
    }
    // A brass square just inside the cell, wider than the hover frame.
    const OVector3 centre = board->CellCenter(cursorColumn, cursorRow);
    const float half = board->CellSize / 2.0f - 3.0f;
    glDisable(GL_TEXTURE_2D);
    glLineWidth(4.0f);
    glColor4f(1.0f, 0.82f, 0.25f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(centre.x - half, centre.y - half);
    glVertex2f(centre.x + half, centre.y - half);
    glVertex2f(centre.x + half, centre.y + half);
    glVertex2f(centre.x - half, centre.y + half);
    glEnd();
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

void Game::DrawCentredText(OFont* font, const char* text, float y, float scale) {
    font->DrawText(400.0f - font->GetTextWidth(text) * scale / 2.0f, y, text, true, scale, 0);
}

void Game::DrawPausePanel(OFont* font) {
    ScreenDecor::DrawVeil(0.35f);
    DrawCentredPanel(*questionPanel, kQuestionBottom);
    resumeButton->Draw();
    if (font == nullptr) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    font->colour[0] = font->colour[1] = 1.0f;
    font->colour[2] = 0.0f;
    font->colour[3] = 1.0f;
    DrawCentredText(font, kPausedText, 358.0f, 1.0f);
    font->colour[2] = 1.0f;
    DrawCentredText(font, kPausedHelpText, 328.0f, kTextScale);
}

void Game::DrawRestartQuestion(OFont* font) {
    ScreenDecor::DrawVeil(0.6f);
    DrawCentredPanel(*questionPanel, kQuestionBottom);
    restartOkButton->Draw();
    restartCancelButton->Draw();
    if (font == nullptr) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    font->colour[0] = font->colour[1] = font->colour[2] = font->colour[3] = 1.0f;
    DrawCentredText(font, kRestartText, 325.0f, kTextScale);
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
    // Coal heaps of a damaged settings file could fill the tank past an int.
    const double fuel = train->fuel < 1e9 ? train->fuel : 1e9;
    std::snprintf(text, sizeof text, "FGHI:  %i", static_cast<int>(fuel));
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
    font->DrawText(190.0f, 320.0f, "Keys: arrows, Space, T. P - pause.", true, kTextScale, 0);
}
