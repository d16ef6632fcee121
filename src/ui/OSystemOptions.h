#pragma once

#include <map>
#include <vector>

#include "data/SystemOptions.h"
#include "ui/KeyboardNavigator.h"
#include "ui/ORenderWindow.h"

class KvCheckBox;
class KvIncDec;
class KvSlider;
class OTextStack;
class OTexture;

// The options screen (204): display mode, sound and music switches and
// volumes, and the difficulty. It edits a working copy of the options;
// sound and music changes are heard at once, everything else takes effect
// and is saved on OK. Changing the difficulty during a running game asks
// "End current game?" first. By keyboard: Up, Down and Tab move between the
// rows and buttons, Left and Right step a selector or volume as its arrows
// do, Enter presses or ticks, Escape leaves (or answers the question "no").
class OSystemOptions : public ORenderWindow {
public:
    enum ControlId {
        ResolutionId = 10,
        DepthId = 20,
        SoundVolumeArrowsId = 503,
        SoundBoxId = 502,
        SoundSliderId = 504,
        MusicVolumeArrowsId = 505,
        MusicSliderId = 506,
        MusicBoxId = 507,
        DifficultyId = 520,
        FullScreenId = 522,
        DifficultyArrowsId = 553,
        PopupOkId = 654,
        PopupCancelId = 655,
        OkId = 900,
        CancelId = 901,
    };
    static constexpr int kParkedY = 2048;

    explicit OSystemOptions(int id = 204);
    ~OSystemOptions() override;

    bool Build() override;
    void OnEnter() override;
    void OnLeave() override;
    void Update(int ms) override;
    void Draw() override;
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    void OpenPopup();
    void ClosePopup();
    bool IsPopupOpen() const;
    // Reads the controls into the working copy, rebuilds the window when the
    // display settings changed, and saves the options.
    void Apply();
    static bool SameOptions(const SystemOptionsRecord& a, const SystemOptionsRecord& b);

    SystemOptionsRecord working;
    static bool pendingConfirmation;

    OTextStack* popupOk = nullptr;
    OTextStack* popupCancel = nullptr;
    OTextStack* resolution = nullptr;
    OTextStack* depth = nullptr;
    KvCheckBox* fullScreenBox = nullptr;
    KvSlider* musicSlider = nullptr;
    KvSlider* soundSlider = nullptr;
    KvCheckBox* soundBox = nullptr;
    KvCheckBox* musicBox = nullptr;
    OTextStack* okButton = nullptr;
    OTextStack* cancelButton = nullptr;
    OTextStack* difficulty = nullptr;
    OTexture* popupPicture = nullptr;
    KeyboardNavigator keyboard;

private:
    std::vector<OControl*> KeyboardStops() const;
    // Left or Right on a selector or slider: a press on its arrow.
    bool StepHighlighted(bool right);
    OTextStack* MakeButton(int controlId, const char* picture, float scale, int x, int y);
    OTextStack* MakeSelector(int controlId, const char* caption, int y);
    KvIncDec* MakeArrows(int controlId, OTextStack* target);
    KvSlider* MakeSlider(int controlId, int y);
    KvCheckBox* MakeCheckBox(int controlId, const char* caption, int x, int y);
    void ShowRecord(const SystemOptionsRecord& options);
    void SetAllEnabled(bool enabled);
    void OnSoundBox();
    void OnMusicBox();
    void DrawPopup();

    // The arrows beside each selector and slider.
    std::map<const OControl*, KvIncDec*> arrowsOf;
};
