#include "app/OQuarvel.h"

#include <GL/gl.h>

#include "app/GameFolders.h"
#include "app/HeapPolicy.h"
#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"
#include "render/OTexture.h"
#include "sound/OSoundSystem.h"
#include "ui/Credits.h"
#include "ui/Help.h"
#include "ui/Menu.h"
#include "ui/OSystemOptions.h"
#include "ui/RunningGame.h"
#include "ui/Score.h"
#include "ui/ScreenDecor.h"

namespace {

constexpr const char* kShellBackground = "Interface/Menu.Jpg";

}  // namespace

OQuarvel::~OQuarvel() {
    // The game screen and the shell screens go while the context still
    // exists, before the application's own parts.
    RunningGame::Discard(this);
    for (ORenderWindow* screen : screens) {
        delete screen;
    }
    screens.clear();
    ScreenDecor::SetStartupLogo(nullptr);
    delete startupLogo;
}

void OQuarvel::Loading(int percent) {
    DrawLoadingScreen(percent, startupLogo);
}

std::vector<uint8_t> OQuarvel::IconPixels(const OBaseImage& image) {
    std::vector<uint8_t> rgba;
    const int bytes = image.bytesPerPixel;
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if ((bytes != 1 && bytes != 3 && bytes != 4) || image.pixels.size() < count * bytes) {
        return rgba;
    }
    rgba.reserve(count * 4);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* pixel = &image.pixels[i * bytes];
        if (bytes == 1) {
            rgba.insert(rgba.end(), {pixel[0], pixel[0], pixel[0], 255});
        } else {
            rgba.insert(rgba.end(), {pixel[0], pixel[1], pixel[2],
                                     bytes == 4 ? pixel[3] : static_cast<uint8_t>(255)});
        }
    }
    return rgba;
}

void OQuarvel::LoadIcon() {
    // The icon only decorates the window: without it the game still runs.
    try {
        OTexture icon;
        icon.Load("Icon.Tga", false, true);
        if (icon.GetImage() != nullptr) {
            SetIcon(icon.GetWidth(), icon.GetHeight(), IconPixels(*icon.GetImage()));
        }
    } catch (const OFileNotFound&) {
        OErrorLog::Instance().Message("The window icon \"Icon.Tga\" could not be loaded");
    }
}

template <typename Screen>
Screen* OQuarvel::AddShellScreen(int id, const char* overlayName) {
    auto* screen = new Screen(id);
    screen->LoadPictures(kShellBackground, overlayName);
    AddScreen(screen);
    return screen;
}

bool OQuarvel::Init() {
    OApplication::Init();
    LoadIcon();
    startupLogo = new OTexture();
    startupLogo->Load("Quarvelr3D.Tga", false);
    ScreenDecor::SetStartupLogo(startupLogo);
    Loading(5);
    AddScoreTable(0, GameFolders::Instance().PlayerData("Data/TP.Kv"), 10, "");
    OSoundSystem& sound = OSoundSystem::Instance();
    // The game's tune and sounds wait for the first game (the game screen
    // asks for them), so the menu comes up sooner and smaller.
    sound.LoadMenuMusic();
    Loading(10);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    Loading(15);
    Loading(20);
    menuScreen = AddShellScreen<Menu>(201, "SmlWind.Tga");
    Loading(25);
    optionsScreen = AddShellScreen<OSystemOptions>(204, "");
    Loading(45);
    helpScreen = AddShellScreen<Help>(208, "");
    Loading(60);
    creditsScreen = AddShellScreen<Credits>(205, "");
    Loading(65);
    scoreScreen = AddShellScreen<Score>(209, "");
    Loading(90);
    Loading(100);
    HeapPolicy::GiveBack();
    SetScreen(201);
    return true;
}
