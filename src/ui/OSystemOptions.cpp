#include "ui/OSystemOptions.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/OApplication.h"
#include "app/PixelFormatRequest.h"
#include "render/OFont.h"
#include "render/OTexture.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "ui/KvCheckBox.h"
#include "ui/KvIncDec.h"
#include "ui/KvSlider.h"
#include "ui/OControlPainter.h"
#include "ui/OTextStack.h"
#include "ui/RunningGame.h"
#include "ui/ScreenDecor.h"

namespace {

constexpr int kSelectorX = 425;
constexpr const char* kConfirmText = "End current game?";

// A row r of the screen stands at y = 600 - 16 r - 48.
constexpr int Row(int r) {
    return 600 - 16 * r - 48;
}

}  // namespace

bool OSystemOptions::pendingConfirmation = false;

OSystemOptions::OSystemOptions(int id) : ORenderWindow(id) {}

OSystemOptions::~OSystemOptions() {
    delete popupPicture;
}

OTextStack* OSystemOptions::MakeButton(int controlId, const char* picture, float scale, int x,
                                       int y) {
    auto* button = new OTextStack(application->GetFont(), controlId, false, scale);
    button->SetImage(picture);
    button->AddItem("", 0);
    button->SetPosition(x, y);
    return button;
}

OTextStack* OSystemOptions::MakeSelector(int controlId, const char* caption, int y) {
    auto* selector = new OTextStack(application->GetFont(), controlId, false, 0.75f);
    selector->SetSounds(1, 2);
    selector->SetImage("Interface/Button.Tga");
    selector->label = caption;
    selector->SetPosition(kSelectorX, y);
    return selector;
}

KvIncDec* OSystemOptions::MakeArrows(int controlId, OTextStack* target) {
    auto* arrows = new KvIncDec(controlId, false);
    arrows->SetSounds(1, 2);
    arrows->target = target;
    arrows->SetImage("Interface/HArrow.Tga");
    arrowsOf[target] = arrows;
    return arrows;
}

KvSlider* OSystemOptions::MakeSlider(int controlId, int y) {
    auto* slider = new KvSlider(application->GetFont(), controlId, 0.0f, 255.0f, 5.0f);
    slider->SetImages("Interface/Slider.Tga", "Interface/Thumb.Tga");
    // Right edge in line with the selectors' right edge.
    const int selectorRight = kSelectorX + resolution->width;
    slider->SetPosition(selectorRight - slider->width, y);
    return slider;
}

KvCheckBox* OSystemOptions::MakeCheckBox(int controlId, const char* caption, int x, int y) {
    auto* box = new KvCheckBox(application->GetFont(), controlId, 0.75f);
    box->SetSounds(1, 2);
    box->SetImage("Interface/CheckBox.Tga");
    box->label = caption;
    box->SetPosition(x, y);
    return box;
}

bool OSystemOptions::Build() {
    popupOk = MakeButton(PopupOkId, "Buttons/Ok.Tga", 1.0f, 400, kParkedY);
    popupOk->hidden = 1;
    AddControl(popupOk);
    popupCancel = MakeButton(PopupCancelId, "Buttons/Cancel.Tga", 1.0f, 400, kParkedY);
    popupCancel->hidden = 1;
    AddControl(popupCancel);

    resolution = MakeSelector(ResolutionId, "Screen Resolution ", Row(8));
    resolution->AddItem("640 x 480", 0);
    resolution->AddItem("800 x 600", 1);
    resolution->AddItem("1024 x 768", 2);
    AddControl(resolution);
    AddControl(MakeArrows(ResolutionId, resolution));

    depth = MakeSelector(DepthId, "Color Depth ", Row(11));
    depth->AddItem("16", 16);
    depth->AddItem("32", 32);
    AddControl(depth);
    AddControl(MakeArrows(DepthId, depth));

    fullScreenBox = MakeCheckBox(FullScreenId, "Full Screen ", kSelectorX, Row(14));
    AddControl(fullScreenBox);

    musicSlider = MakeSlider(MusicSliderId, Row(20));
    AddControl(musicSlider);
    AddControl(MakeArrows(MusicVolumeArrowsId, musicSlider));
    soundSlider = MakeSlider(SoundSliderId, Row(17));
    AddControl(soundSlider);
    AddControl(MakeArrows(SoundVolumeArrowsId, soundSlider));

    soundBox = MakeCheckBox(SoundBoxId, "Sound ", 0, Row(17));
    soundBox->SetPosition(soundSlider->x - static_cast<int>(2.5f * soundBox->width), Row(17));
    AddControl(soundBox);
    musicBox = MakeCheckBox(MusicBoxId, "Music ", 0, Row(20));
    musicBox->SetPosition(musicSlider->x - static_cast<int>(2.5f * musicBox->width), Row(20));
    AddControl(musicBox);

    okButton = MakeButton(OkId, "Buttons/Ok.Tga", 1.5f, 650, 115);
    okButton->SetSounds(1, 2);
    AddControl(okButton);
    cancelButton = MakeButton(CancelId, "Buttons/Cancel.Tga", 1.5f, 160, 115);
    cancelButton->SetSounds(1, 2);
    AddControl(cancelButton);

    difficulty = MakeSelector(DifficultyId, "Game Difficult ", Row(23));
    difficulty->AddItem("Easy", 0);
    difficulty->AddItem("Normal", 1);
    difficulty->AddItem("Hard", 2);
    AddControl(difficulty);
    AddControl(MakeArrows(DifficultyArrowsId, difficulty));

    popupPicture = new OTexture();
    popupPicture->Load("SmlWind.Tga", false);

    ShowRecord(working);
    return true;
}

void OSystemOptions::ShowRecord(const SystemOptionsRecord& options) {
    fullScreenBox->checked = options.FullScreen != 0 ? 1 : 0;
    resolution->SelectKey(options.ScreenRes);
    depth->SelectKey(PixelFormatRequest::NearestColorDepth(options.ColorDepth));
    musicBox->checked = options.Music != 0 ? 1 : 0;
    musicSlider->SetValue(static_cast<float>(ClampVolume(options.MusicVolume)));
    soundBox->checked = options.Sound != 0 ? 1 : 0;
    soundSlider->SetValue(static_cast<float>(ClampVolume(options.SoundVolume)));
    difficulty->SelectKey(std::clamp(options.DifficultyLevel, 0, 2));
}

void OSystemOptions::OnEnter() {
    keyboard.Reset();
    pendingConfirmation = false;
    ClosePopup();
    working = SystemOptions;
    ShowRecord(SystemOptions);
}

void OSystemOptions::OnLeave() {
    ClosePopup();
}

void OSystemOptions::Update(int ms) {
    ORenderWindow::Update(ms);
    if (pendingConfirmation && difficulty->CurrentKey() != difficulty->RememberedKey()) {
        OpenPopup();
        pendingConfirmation = false;
    }
}

bool OSystemOptions::IsPopupOpen() const {
    return popupOk != nullptr && popupOk->hidden == 0;
}

void OSystemOptions::SetAllEnabled(bool enabled) {
    for (OControl* control : controls) {
        if (control != popupOk && control != popupCancel) {
            control->enabled = enabled ? 1 : 0;
        }
    }
}

void OSystemOptions::OpenPopup() {
    if (RunningGame::IsOver()) {
        return;
    }
    popupOk->hidden = 0;
    popupCancel->hidden = 0;
    popupOk->SetPosition(515, 265);
    popupCancel->SetPosition(218, 265);
    SetAllEnabled(false);
}

void OSystemOptions::ClosePopup() {
    if (popupOk == nullptr) {
        return;
    }
    for (OTextStack* button : {popupOk, popupCancel}) {
        button->SetPosition(300, kParkedY);
        button->hidden = 1;
    }
    SetAllEnabled(true);
}

void OSystemOptions::OnSoundBox() {
    OSoundSystem& sound = OSoundSystem::Instance();
    if (soundBox->checked && !sound.IsSoundEnabled()) {
        sound.SetSoundEnabled(true);
        working.SoundVolume = static_cast<int>(soundSlider->value);
        sound.SetSoundVolume(working.SoundVolume);
        sound.SetMusicVolume(working.MusicVolume);
    } else if (!soundBox->checked && sound.IsSoundEnabled()) {
        sound.SetSoundVolume(0);
        sound.SetMusicVolume(working.MusicVolume);
        sound.SetSoundEnabled(false);
    }
    working.Sound = sound.IsSoundEnabled() ? 1 : 0;
    SystemOptions.Sound = working.Sound;
    soundBox->checked = working.Sound;
}

void OSystemOptions::OnMusicBox() {
    OSoundSystem& sound = OSoundSystem::Instance();
    OMusicPlayer* player = sound.GetCurrentMusic();
    if (musicBox->checked && !sound.IsMusicEnabled()) {
        sound.SetMusicEnabled(true);
        if (player != nullptr) {
            player->Resume();
        }
    } else if (!musicBox->checked && sound.IsMusicEnabled()) {
        sound.SetMusicEnabled(false);
        if (player != nullptr) {
            player->Stop();
        }
    }
    working.Music = sound.IsMusicEnabled() ? 1 : 0;
    SystemOptions.Music = working.Music;
    musicBox->checked = working.Music;
}

bool OSystemOptions::OnControlEvent(int controlId, int code) {
    (void)code;
    OSoundSystem& sound = OSoundSystem::Instance();
    switch (controlId) {
        case SoundBoxId:
            OnSoundBox();
            break;
        case SoundVolumeArrowsId:
        case SoundSliderId:
            working.SoundVolume = static_cast<int>(soundSlider->value);
            sound.SetSoundVolume(working.SoundVolume);
            sound.SetMusicVolume(working.MusicVolume);
            break;
        case MusicVolumeArrowsId:
        case MusicSliderId:
            working.MusicVolume = static_cast<int>(musicSlider->value);
            sound.SetMusicVolume(working.MusicVolume);
            break;
        case MusicBoxId:
            OnMusicBox();
            break;
        case DifficultyId:
        case DifficultyArrowsId:
            if (RunningGame::IsRunning()) {
                pendingConfirmation = true;
            }
            break;
        case PopupOkId:
            ClosePopup();
            RunningGame::Discard(application);
            break;
        case PopupCancelId:
            ClosePopup();
            difficulty->SelectKey(difficulty->RememberedKey());
            break;
        case OkId:
            Apply();
            application->SetScreen(201);
            break;
        case CancelId:
            application->SetScreen(201);
            break;
        default:
            break;
    }
    return true;
}

bool OSystemOptions::SameOptions(const SystemOptionsRecord& a, const SystemOptionsRecord& b) {
    return a.FullScreen == b.FullScreen && a.ShadowDetail == b.ShadowDetail &&
           a.WaterDetail == b.WaterDetail && a.ModelDetail == b.ModelDetail &&
           a.Effects == b.Effects && a.ScreenRes == b.ScreenRes && a.ColorDepth == b.ColorDepth &&
           a.SoundVolume == b.SoundVolume && a.MusicVolume == b.MusicVolume &&
           a.Lighting == b.Lighting && a.Sound == b.Sound && a.Music == b.Music &&
           a.Hints == b.Hints && a.DifficultyLevel == b.DifficultyLevel &&
           a.BeginLevel == b.BeginLevel && a.SelectEffect == b.SelectEffect &&
           a.SkinIndex == b.SkinIndex && a.Background == b.Background;
}

void OSystemOptions::Apply() {
    working.FullScreen = fullScreenBox->checked != 0 ? 1 : 0;
    working.ScreenRes = resolution->CurrentKey();
    working.ColorDepth = depth->CurrentKey();
    working.Hints = SystemOptions.Hints;
    working.SoundVolume = static_cast<int>(soundSlider->value);
    working.Sound = soundBox->checked != 0 ? 1 : 0;
    working.Music = musicBox->checked != 0 ? 1 : 0;
    working.DifficultyLevel = difficulty->CurrentKey();
    if (!SameOptions(working, SystemOptions)) {
        if (working.ScreenRes != SystemOptions.ScreenRes ||
            working.ColorDepth != SystemOptions.ColorDepth ||
            working.FullScreen != SystemOptions.FullScreen) {
            SystemOptions.ScreenRes = working.ScreenRes;
            SystemOptions.ColorDepth = working.ColorDepth;
            SystemOptions.FullScreen = working.FullScreen;
            application->SetFullScreen(working.FullScreen != 0);
            application->ResetVideoMode();
            working.FullScreen = SystemOptions.FullScreen;
        }
        OSoundSystem::Instance().SetSoundVolume(working.SoundVolume);
        OSoundSystem::Instance().SetMusicVolume(working.MusicVolume);
    }
    SystemOptions = working;
    SaveSystemOptions();
}

bool OSystemOptions::OnInput(InputEvent& event) {
    if (ORenderWindow::OnInput(event)) {
        return true;
    }
    if (event.type == EventKeyDown && (event.key == 37 || event.key == 39)) {
        return StepHighlighted(event.key == 39);
    }
    if (event.type != EventKeyDown || event.key != 27) {
        return keyboard.OnKey(*this, event, KeyboardStops());
    }
    if (IsPopupOpen()) {
        // As the popup's Cancel: the running game keeps its difficulty.
        ClosePopup();
        difficulty->SelectKey(difficulty->RememberedKey());
        return false;
    }
    application->SetScreen(201);
    return true;
}

std::vector<OControl*> OSystemOptions::KeyboardStops() const {
    if (IsPopupOpen()) {
        return {popupCancel, popupOk};
    }
    return {resolution, depth,       fullScreenBox, soundBox,     soundSlider,
            musicBox,   musicSlider, difficulty,    cancelButton, okButton};
}

bool OSystemOptions::StepHighlighted(bool right) {
    const auto found = arrowsOf.find(keyboard.Highlighted());
    if (IsPopupOpen() || found == arrowsOf.end()) {
        return false;
    }
    OControl* row = keyboard.Highlighted();
    const KvIncDec& arrows = *found->second;
    const double offset = right ? arrows.rightOffset : arrows.leftOffset;
    KeyboardNavigator::PressAt(*this, static_cast<float>(arrows.x + offset + arrows.arrowWidth / 2),
                               arrows.y + arrows.arrowHeight / 2.0f);
    // The press lit the arrow and put the row's hover look out; the row
    // keeps the highlight.
    keyboard.Highlight(row);
    return true;
}

void OSystemOptions::Draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawBackground();
    if (IsPopupOpen()) {
        // Only the question and its own buttons show: the screen's OK and
        // Cancel would read as the question's.
        ScreenDecor::DrawVeil(0.45f);
        DrawPopup();
    } else {
        DrawControls();
        keyboard.DrawHighlight();
    }
    ScreenDecor::DrawSmallLogo(logo);
    ScreenDecor::DrawStartupLogo();
    glDisable(GL_BLEND);
}

void OSystemOptions::DrawPopup() {
    ScreenDecor::DrawQuestion(popupPicture, 200.0f, 250.0f, Font(), kConfirmText);
    popupOk->SetPosition(515, 265);
    popupCancel->SetPosition(218, 265);
    popupOk->Draw();
    popupCancel->Draw();
}
