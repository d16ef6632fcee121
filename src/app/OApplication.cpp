#include "app/OApplication.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/OErrorLog.h"
#include "data/OResourceArchive.h"
#include "data/OScoreTable.h"
#include "data/SystemOptions.h"
#include "render/KvModelRegistry.h"
#include "render/OCamera.h"
#include "render/OFont.h"
#include "render/OTexture.h"
#include "sound/OSoundSystem.h"
#include "ui/ORenderWindow.h"

OApplication::OApplication() {
    // The game draws its own cursor. SDL's cursor state only exists while the
    // video subsystem runs; Init hides it again once the window is there.
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(SDL_DISABLE);
    }
}

OApplication::~OApplication() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(SDL_ENABLE);
    }
    delete camera;
    if (cursor != nullptr) {
        delete cursor->texture;
        delete cursor;
    }
    delete font;
    OSoundSystem::Instance().Close();
    for (auto& table : scoreTables) {
        delete table.second;
    }
    screens.clear();
}

bool OApplication::Init() {
    // Showing the window resets SDL's cursor; hide it again.
    SDL_ShowCursor(SDL_DISABLE);
    OResourceArchive::Instance().ReadDirectory();
    camera = new OCamera(static_cast<int16_t>(width), static_cast<int16_t>(height), 60.0f, 1.0f,
                         1024.0f);
    font = new OFont("Font.Tga");
    if (!font->Build()) {
        delete font;
        font = nullptr;
    }
    cursor = new Cursor();
    cursor->imageName = "Cursor.Tga";
    cursor->texture = new OTexture();
    cursor->texture->Load(cursor->imageName, true);
    // Init, the Sound, SoundVolume, MusicVolume and Music options, and the
    // interface sounds 1 (pointer over) and 2 (click).
    OSoundSystem::Instance().StartUp(SystemOptions);
    return true;
}

void OApplication::OnQuit() {
    for (ORenderWindow* screen : screens) {
        delete screen;
    }
    screens.clear();
    currentScreen = nullptr;
}

bool OApplication::OnInput(InputEvent& event) {
    if (event.IsKeyboard()) {
        // Keys carry no position: they are hit-tested where the pointer is.
        event.x = static_cast<int16_t>(pointerX);
        event.y = static_cast<int16_t>(pointerY);
    }
    pointerX = event.x;
    pointerY = event.y;
    if (cursor != nullptr) {
        cursor->x = event.x;
        cursor->y = event.y;
    }
    // The cursor stays in window pixels; screens see the picture's pixels.
    const PictureViewport viewport = GetViewport();
    event.x = static_cast<int16_t>(viewport.ToPictureX(event.x));
    event.y = static_cast<int16_t>(viewport.ToPictureY(event.y));
    redraw.Invalidate();
    return currentScreen != nullptr && currentScreen->OnInput(event);
}

void OApplication::OnUserEvent(const SDL_UserEvent& event) {
    SDL_Event wrapped{};
    wrapped.user = event;
    OSoundSystem::Instance().HandleEvent(wrapped);
}

void OApplication::OnExposed() {
    redraw.Invalidate();
}

void OApplication::OnFocusLost() {
    redraw.Invalidate();
    if (currentScreen != nullptr) {
        currentScreen->OnWindowInactive();
    }
}

void OApplication::OnResize() {
    redraw.Invalidate();
    for (ORenderWindow* screen : screens) {
        PlaceScreen(screen);
    }
}

void OApplication::PlaceScreen(ORenderWindow* screen) const {
    const PictureViewport viewport = GetViewport();
    screen->SetViewport(viewport.GlX(), viewport.GlY(), viewport.width, viewport.height);
}

bool OApplication::AddScreen(ORenderWindow* screen) {
    if (HasScreen(screen)) {
        return true;
    }
    screens.push_back(screen);
    screen->application = this;
    PlaceScreen(screen);
    screen->camera = camera;
    return screen->Build();
}

ORenderWindow* OApplication::RemoveScreen(ORenderWindow* screen) {
    auto it = std::find(screens.begin(), screens.end(), screen);
    if (it == screens.end()) {
        return nullptr;
    }
    screens.erase(it);
    return screen;
}

bool OApplication::HasScreen(const ORenderWindow* screen) const {
    return std::find(screens.begin(), screens.end(), screen) != screens.end();
}

bool OApplication::SetScreen(int id) {
    redraw.Invalidate();
    if (currentScreen != nullptr) {
        currentScreen->OnLeave();
    }
    currentScreen = nullptr;
    for (ORenderWindow* screen : screens) {
        if (screen->id == id) {
            currentScreen = screen;
            break;
        }
    }
    if (currentScreen != nullptr) {
        currentScreen->OnEnter();
    }
    // OnEnter may itself have switched on; the screen now current takes its
    // hover look from where the pointer really is.
    if (currentScreen != nullptr) {
        const PictureViewport viewport = GetViewport();
        currentScreen->RefreshHover(viewport.ToPictureX(pointerX), viewport.ToPictureY(pointerY));
    }
    return currentScreen != nullptr;
}

void OApplication::SwitchToFullScreenOnMaximize() {
    if (!maximizeRequested || fullScreen) {
        return;
    }
    SystemOptions.FullScreen = 1;
    fullScreen = 1;
    ResetVideoMode();
    fullScreen = SystemOptions.FullScreen;
    SaveSystemOptions();
    maximizeRequested = 0;
}

void OApplication::Update(int ms) {
    SwitchToFullScreenOnMaximize();
    if (currentScreen == nullptr) {
        return;  // nothing to show until a screen is current
    }
    if (active) {
        currentScreen->Update(ms);
    }
    // The update may have switched screens.
    if (currentScreen == nullptr) {
        return;
    }
    redraw.Elapse(ms);
    const bool animating = currentScreen->Animating();
    if (!redraw.NeedsFrame(animating)) {
        return;  // the last frame still shows the screen as it is
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    currentScreen->Draw();
    if (camera != nullptr) {
        // One unit per pixel for the cursor.
        camera->SetUp(width, height);
        camera->Set2D(width, height);
    }
    DrawCursor();
    SwapBuffers();
    redraw.FrameDrawn(animating);
}

void OApplication::DrawCursor() {
    if (cursor == nullptr || cursor->texture == nullptr) {
        return;
    }
    // The cursor keeps its size relative to the picture.
    const int size = CursorSize(GetViewport().height);
    glEnable(GL_TEXTURE_2D);
    cursor->texture->Bind();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(static_cast<float>(cursor->x), static_cast<float>(height - cursor->y - size),
                 0.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(0, 0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(size, 0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(size, size);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(0, size);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
}

bool OApplication::ResetVideoMode() {
    OTexture::DeleteAllTextures();
    KvModelRegistry::Instance().DeleteAllLists();
    ReleaseRenderContext();
    DestroyMainWindow();
    CreateMainWindow();
    CreateRenderContext();
    OnResize();
    DrawLoadingScreen(25, nullptr);
    ShowMainWindow();
    DrawLoadingScreen(30, nullptr);
    OTexture::UploadAllTextures();
    DrawLoadingScreen(30, nullptr);
    if (font != nullptr) {
        font->Build();
    }
    DrawLoadingScreen(45, nullptr);
    // Model lists record texture names, so they follow the texture upload.
    KvModelRegistry::Instance().RebuildAllLists();
    DrawLoadingScreen(80, nullptr);
    DrawLoadingScreen(100, nullptr);
    return true;
}

void OApplication::DrawLoadingScreen(int percent, OTexture* logo) {
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (camera != nullptr) {
        const PictureViewport viewport = GetViewport();
        camera->SetUp(viewport.GlX(), viewport.GlY(), viewport.width, viewport.height);
        camera->Set2D(ORenderWindow::kVirtualWidth, ORenderWindow::kVirtualHeight);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (logo != nullptr && logo->GetImage() != nullptr) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        logo->Draw(400.0 - logo->GetWidth() / 2.0, 300.0 - logo->GetHeight() / 2.0);
    }
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 0.75f);
    glBegin(GL_LINE_LOOP);
    glVertex2i(247, 242);
    glVertex2i(553, 242);
    glVertex2i(553, 248);
    glVertex2i(247, 248);
    glEnd();
    glLineWidth(SystemOptions.ScreenRes == 0 ? 4.0f : 5.0f);
    glColor4f(1.0f, 0.0f, 0.0f, 0.75f);
    glBegin(GL_LINES);
    glVertex2i(248, 245);
    glVertex2i(248 + LoadingBarLength(percent), 245);
    glEnd();
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    SwapBuffers();
    // The loading frame covers whatever screen was shown.
    redraw.Invalidate();
}

void OApplication::AddScoreTable(int index, const std::string& fileName, int capacity,
                                 const std::string& pictureName) {
    currentTable = index;
    auto* table = new OScoreTable(fileName, capacity, pictureName);
    if (!table->Load()) {
        table->Reset();
    } else if (table->GetCount() == 0) {
        // Nothing in the file reads as a record: start afresh as for a
        // missing file, but keep the damaged bytes beside it.
        const std::string kept = fileName + OScoreTable::kDamagedSuffix;
        if (table->SetAsideDamagedFile()) {
            OErrorLog::Instance().Message("The score file %s holds no score record; kept as %s",
                                          fileName.c_str(), kept.c_str());
        }
        table->Reset();
    }
    auto it = scoreTables.find(index);
    if (it != scoreTables.end()) {
        delete it->second;
    }
    scoreTables[index] = table;
}

OScoreTable* OApplication::scoreTable() const {
    if (currentTable == -1) {
        return nullptr;
    }
    auto it = scoreTables.find(currentTable);
    return it == scoreTables.end() ? nullptr : it->second;
}
