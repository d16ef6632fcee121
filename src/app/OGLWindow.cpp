#include "app/OGLWindow.h"

#include <SDL_opengl.h>

#include <climits>
#include <cstdlib>

#include "app/BackBufferAge.h"
#include "app/DisplayDriverCheck.h"
#include "app/DisplayModePlanner.h"
#include "app/OMessageBox.h"
#include "app/OSoftwareGL.h"
#include "app/PixelFormatRequest.h"
#include "app/SoftwareRendererCheck.h"
#include "data/SystemOptions.h"

namespace {

const char kErrorCaption[] = "Error";
const char kShutdownCaption[] = "SHUTDOWN ERROR";

void ShowShutdownError(const char* text) {
    OMessageBox::Show(kShutdownCaption, text, OMessageBox::Icon::Information);
}

void RequestPixelFormat(const PixelFormatRequest& format, int depthBits) {
    SDL_GL_ResetAttributes();
    // A compatibility context: the game draws in immediate mode with display
    // lists and GLU.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.redBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.greenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.blueBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
}

}  // namespace

OGLWindow::OGLWindow() = default;

OGLWindow::~OGLWindow() {
    ReleaseRenderContext();
    DestroyMainWindow();
    UnregisterWindowClass();
}

void OGLWindow::SwapBuffers() {
    if (window == nullptr)
        return;
    BackBufferAge::Present(window);
    swappedThisFrame = true;
    if (swapPaced && !pacer.NoteSwap(NowMs()))
        swapPaced = false;
}

void OGLWindow::Update(int ms) {}

void OGLWindow::OnResize() {}

bool OGLWindow::Init() {
    return true;
}

void OGLWindow::OnQuit() {}

bool OGLWindow::OnInput(InputEvent& event) {
    return false;
}

void OGLWindow::OnUserEvent(const SDL_UserEvent& event) {}

bool OGLWindow::Create(const std::string& newClassName, const std::string& newTitle,
                       uint16_t newWidth, uint16_t newHeight) {
    className = newClassName;
    title = newTitle;
    fullScreen = SystemOptions.FullScreen != 0 ? 1 : 0;
    width = newWidth;
    height = newHeight;
    if (!RegisterWindowClass()) {
        OMessageBox::Show(kErrorCaption, "Can't register window class");
        return false;
    }
    if (DisplayDriverCheck::IsUnrequestedHeadless(SDL_GetCurrentVideoDriver(),
                                                  SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
        OMessageBox::Show(kErrorCaption, "No display could be opened");
        UnregisterWindowClass();
        return false;
    }
    EnumerateDisplayModes();
    CheckScreenSettings();
    CreateMainWindow();
    CreateRenderContext();
    ShowMainWindow();
    return true;
}

bool OGLWindow::RegisterWindowClass() {
    if (videoRegistered)
        return true;
    // The class name is the window's identity to the window manager (its
    // WM_CLASS); a setting from the player's environment wins.
    setenv("SDL_VIDEO_X11_WMCLASS", className.c_str(), 0);
    // Closing the window only asks the loop to quit; the window stays until
    // the application is destroyed.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    videoRegistered = true;
    return true;
}

void OGLWindow::UnregisterWindowClass() {
    if (!videoRegistered)
        return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoRegistered = false;
    // The last subsystem gone: let SDL release what it holds beyond them
    // (its D-Bus connection among others).
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

void OGLWindow::EnumerateDisplayModes() {
    driverModes.clear();
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            break;
        VideoMode listed;
        listed.width = mode.w;
        listed.height = mode.h;
        listed.bitsPerPixel = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        listed.refreshRate = mode.refresh_rate;
        driverModes.push_back(listed);
    }
    displayModes.Enumerate(driverModes);
}

void OGLWindow::CheckScreenSettings() {
    SystemOptions.ScreenRes = DisplayModeTable::CheckScreenRes(SystemOptions.ScreenRes);
}

bool OGLWindow::TryFullScreenMode(const VideoMode& request) {
    // The display must list the size at that refresh rate; a mode of the
    // requested depth is preferred, any depth will do.
    bool found = false;
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            break;
        if (mode.w != request.width || mode.h != request.height ||
            mode.refresh_rate != request.refreshRate) {
            continue;
        }
        if (!found || static_cast<int>(SDL_BITSPERPIXEL(mode.format)) == request.bitsPerPixel) {
            fullScreenMode = mode;
            found = true;
        }
    }
    fullScreenModePending = found;
    return found;
}

namespace {

DisplayModePlanner::State ReadModeState(uint8_t fullScreen, uint16_t width, uint16_t height) {
    DisplayModePlanner::State state;
    state.fullScreenOption = SystemOptions.FullScreen != 0;
    state.fullScreen = fullScreen != 0;
    state.screenRes = SystemOptions.ScreenRes;
    state.width = width;
    state.height = height;
    return state;
}

void DesktopSize(int& desktopWidth, int& desktopHeight) {
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        desktopWidth = desktop.w;
        desktopHeight = desktop.h;
    } else {
        // An unknown desktop is taken as larger than any game mode.
        desktopWidth = INT_MAX;
        desktopHeight = INT_MAX;
    }
}

}  // namespace

bool OGLWindow::SetDisplayMode() {
    int desktopWidth = 0;
    int desktopHeight = 0;
    DesktopSize(desktopWidth, desktopHeight);
    DisplayModePlanner planner(
        displayModes, desktopWidth, desktopHeight, SystemOptions.ColorDepth,
        [this](const VideoMode& request) { return TryFullScreenMode(request); });
    // Leaving full screen happens when the old window goes: nothing to undo.
    fullScreenModePending = false;
    DisplayModePlanner::State state = ReadModeState(fullScreen, width, height);
    bool ok = planner.SetDisplayMode(state);
    SystemOptions.FullScreen = state.fullScreenOption ? 1 : 0;
    fullScreen = state.fullScreen ? 1 : 0;
    width = static_cast<uint16_t>(state.width);
    height = static_cast<uint16_t>(state.height);
    return ok;
}

bool OGLWindow::CreateMainWindow() {
    if (!SetDisplayMode()) {
        SystemOptions.ScreenRes = 0;
        SetDisplayMode();
    }

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    // Full-screen play without a mode change (every mode refused) keeps the
    // borderless style at the old size.
    if (SystemOptions.FullScreen != 0 && !fullScreenModePending)
        flags |= SDL_WINDOW_BORDERLESS;
    // A window may be dragged to any size; the picture keeps its aspect in it.
    if (SystemOptions.FullScreen == 0)
        flags |= SDL_WINDOW_RESIZABLE;

    PixelFormatRequest format(SystemOptions.ColorDepth);
    for (int depthBits : format.depthBits) {
        RequestPixelFormat(format, depthBits);
        window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
        if (window != nullptr)
            break;
    }
    if (window == nullptr) {
        OMessageBox::Show(kErrorCaption, "Can't create window");
        return false;
    }
    SDL_SetWindowData(window, "OGLWindow", this);
    if (fullScreenModePending) {
        SDL_SetWindowDisplayMode(window, &fullScreenMode);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
    }
    ApplyIcon();
    return true;
}

bool OGLWindow::CreateRenderContext() {
    if (window == nullptr) {
        OMessageBox::Show(kErrorCaption, "Can't select pixel format");
        return false;
    }
    renderContext = SDL_GL_CreateContext(window);
    if (renderContext == nullptr) {
        OMessageBox::Show(kErrorCaption, "Can't create rendering content");
        return false;
    }
    SDL_GL_MakeCurrent(window, renderContext);
    ChooseSwapPacing();
    CheckHardwareAcceleration();
    return true;
}

void OGLWindow::ChooseSwapPacing() {
    // Adaptive vsync, else plain vsync; where the driver takes neither, Run
    // waits for the next frame itself.
    swapPaced = SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
}

void OGLWindow::CheckHardwareAcceleration() {
    const char* vendor = reinterpret_cast<const char*>(glGetString(GL_VENDOR));
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (SoftwareRendererCheck::IsGenericSoftware(vendor, renderer))
        throw OSoftwareGL();
}

bool OGLWindow::ReleaseRenderContext() {
    bool ok = true;
    if (renderContext != nullptr) {
        if (SDL_GL_MakeCurrent(window, nullptr) != 0) {
            ShowShutdownError("Release Of DC And RC Failed.");
            ok = false;
        }
        SDL_GL_DeleteContext(renderContext);
        renderContext = nullptr;
    }
    return ok;
}

bool OGLWindow::DestroyMainWindow() {
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    fullScreenModePending = false;
    return true;
}

void OGLWindow::ShowMainWindow() {
    if (window == nullptr)
        return;
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_StartTextInput();
}

int OGLWindow::Run() {
    FrameClock clock;
    clock.Start(SDL_GetTicks64());
    pacer.Start(NowMs());
    swappedThisFrame = false;
    SDL_Event event;
    for (;;) {
        if (!NextEvent(event)) {
            RunFrame(clock);
            continue;
        }
        if (event.type == SDL_QUIT)
            break;
        HandleEvent(event);
    }
    OnQuit();
    int code = quitCode;
    quitCode = 0;
    return code;
}

bool OGLWindow::NextEvent(SDL_Event& event) {
    if (SDL_PollEvent(&event) != 0)
        return true;
    // A swap that waits for the display paces the frames; otherwise (no
    // vsync, nothing drawn, minimized) wait on the queue until the next
    // frame is due so the loop never spins.
    if (swapPaced && active != 0 && swappedThisFrame)
        return false;
    for (;;) {
        int wait = pacer.MillisecondsUntilDue(NowMs());
        if (wait <= 0)
            return false;
        if (SDL_WaitEventTimeout(&event, wait) != 0)
            return true;
    }
}

void OGLWindow::RunFrame(FrameClock& clock) {
    swappedThisFrame = false;
    int ms = clock.Tick(SDL_GetTicks64());
    if (active != 0)
        Update(ms);
    pacer.FrameRan(NowMs());
}

void OGLWindow::HandleEvent(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT) {
        HandleWindowEvent(event.window);
        return;
    }
    if (event.type >= SDL_USEREVENT && event.type <= SDL_LASTEVENT) {
        OnUserEvent(event.user);
        return;
    }
    InputTranslator::Result result = translator.Translate(event);
    ApplyInputCapture(result.capture);
    for (InputEvent& input : result.events)
        OnInput(input);
}

void OGLWindow::HandleWindowEvent(const SDL_WindowEvent& event) {
    // Events of a window destroyed by a rebuild may still be queued.
    if (window != nullptr && event.windowID != SDL_GetWindowID(window))
        return;
    switch (event.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            active = 0;
            OnFocusLost();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            OnFocusLost();
            break;
        case SDL_WINDOWEVENT_RESTORED:
            active = 1;
            ResizeToWindow();
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            active = 1;
            maximizeRequested = 1;
            ResizeToWindow();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            Resize(static_cast<uint16_t>(event.data1), static_cast<uint16_t>(event.data2));
            break;
        case SDL_WINDOWEVENT_CLOSE:
            PostQuit(0);
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            OnExposed();
            break;
        default:
            break;
    }
}

void OGLWindow::ResizeToWindow() {
    if (window == nullptr) {
        Resize(width, height);
        return;
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    Resize(static_cast<uint16_t>(w), static_cast<uint16_t>(h));
}

void OGLWindow::Resize(uint16_t newWidth, uint16_t newHeight) {
    width = newWidth;
    height = newHeight;
    OnResize();
}

void OGLWindow::ApplyInputCapture(InputTranslator::Capture capture) {
    // Keeps moves and the release coming while a button is held outside the
    // window.
    if (window == nullptr || capture == InputTranslator::Capture::Keep)
        return;
    SDL_CaptureMouse(capture == InputTranslator::Capture::Take ? SDL_TRUE : SDL_FALSE);
}

void OGLWindow::PostQuit(int exitCode) {
    quitCode = exitCode;
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

bool OGLWindow::SetIcon(int newIconWidth, int newIconHeight,
                        const std::vector<uint8_t>& rgbaPixels) {
    if (newIconWidth <= 0 || newIconHeight <= 0 ||
        rgbaPixels.size() < static_cast<size_t>(newIconWidth) * newIconHeight * 4) {
        return false;
    }
    iconWidth = newIconWidth;
    iconHeight = newIconHeight;
    iconPixels = rgbaPixels;
    ApplyIcon();
    return true;
}

void OGLWindow::ApplyIcon() {
    if (window == nullptr || iconPixels.empty())
        return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        iconPixels.data(), iconWidth, iconHeight, 32, iconWidth * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr)
        return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

double OGLWindow::NowMs() {
    return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}
