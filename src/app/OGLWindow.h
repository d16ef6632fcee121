#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/DisplayModeTable.h"
#include "app/FrameClock.h"
#include "app/FramePacer.h"
#include "app/InputEvent.h"
#include "app/InputTranslator.h"
#include "app/VideoMode.h"

// The game's one window with its OpenGL context. It switches the display
// mode for full-screen play, runs the message loop that drives the frame
// clock, and turns mouse and keyboard input into InputEvent records for its
// own OnInput. The application object derives from it.
class OGLWindow {
public:
    OGLWindow();
    virtual ~OGLWindow();
    OGLWindow(const OGLWindow&) = delete;
    OGLWindow& operator=(const OGLWindow&) = delete;

    // Presents the back buffer.
    virtual void SwapBuffers();
    // One frame with the clamped frame time; called only while active.
    virtual void Update(int ms);
    // Called after the client size changed.
    virtual void OnResize();
    virtual bool Init();
    // Called once after the message loop ends.
    virtual void OnQuit();
    // Receives every translated input event.
    virtual bool OnInput(InputEvent& event);
    // Events that SDL user code pushed (SDL_USEREVENT and above), for example
    // from the sound system's audio thread; handled on the loop's thread.
    virtual void OnUserEvent(const SDL_UserEvent& event);
    // The window was shown or uncovered and its picture may be gone.
    virtual void OnExposed() {}
    // The window lost the keyboard focus or was minimised: the player has
    // turned to something else.
    virtual void OnFocusLost() {}

    // Opens the window and its context in the display mode of the options.
    // False only when no display could be reached; later failures are shown
    // in message boxes and start-up goes on. Throws OSoftwareGL on a generic
    // software OpenGL.
    bool Create(const std::string& className, const std::string& title, uint16_t width,
                uint16_t height);

    bool RegisterWindowClass();
    void UnregisterWindowClass();
    void EnumerateDisplayModes();
    void CheckScreenSettings();
    bool SetDisplayMode();
    bool CreateMainWindow();
    bool CreateRenderContext();
    void CheckHardwareAcceleration();
    bool ReleaseRenderContext();
    bool DestroyMainWindow();
    void ShowMainWindow();

    // The message loop: one event per pass, or one frame when none waits.
    // Returns the exit code of the quit request.
    int Run();
    // What the loop does with one event (input, size and state changes,
    // close requests).
    void HandleEvent(const SDL_Event& event);
    void Resize(uint16_t newWidth, uint16_t newHeight);
    // Ends Run with `exitCode` once the loop reaches the request.
    void PostQuit(int exitCode = 0);

    // Sets the window's icon from RGBA pixels, top row first; kept and put on
    // every window made afterwards. The icon picture comes from the texture
    // loader ("Icon.Tga" in the archive), which the application hands here.
    // False (and nothing kept) when the pixels do not fill the size.
    bool SetIcon(int iconWidth, int iconHeight, const std::vector<uint8_t>& rgbaPixels);

    uint16_t GetWidth() const { return width; }
    uint16_t GetHeight() const { return height; }
    bool IsActive() const { return active != 0; }
    bool IsFullScreen() const { return fullScreen != 0; }
    void SetFullScreen(bool value) { fullScreen = value ? 1 : 0; }
    bool IsMaximizeRequested() const { return maximizeRequested != 0; }
    void ClearMaximizeRequest() { maximizeRequested = 0; }
    // True when the buffer swap waits for the display; otherwise Run paces
    // frames itself.
    bool IsSwapPaced() const { return swapPaced; }
    SDL_Window* GetWindow() const { return window; }
    SDL_GLContext GetRenderContext() const { return renderContext; }
    const DisplayModeTable& GetDisplayModes() const { return displayModes; }
    const std::string& GetClassName() const { return className; }
    const std::string& GetTitle() const { return title; }

protected:
    std::string className;
    std::string title;
    uint8_t fullScreen = 0;
    DisplayModeTable displayModes;
    uint8_t maximizeRequested = 0;
    SDL_Window* window = nullptr;
    SDL_GLContext renderContext = nullptr;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t active = 1;

private:
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void ResizeToWindow();
    void ApplyInputCapture(InputTranslator::Capture capture);
    bool TryFullScreenMode(const VideoMode& request);
    bool NextEvent(SDL_Event& event);
    void RunFrame(FrameClock& clock);
    void ChooseSwapPacing();
    void ApplyIcon();
    static double NowMs();

    bool videoRegistered = false;
    std::vector<VideoMode> driverModes;
    bool fullScreenModePending = false;
    SDL_DisplayMode fullScreenMode = {};
    InputTranslator translator;
    bool swapPaced = false;
    bool swappedThisFrame = false;
    FramePacer pacer;
    int quitCode = 0;
    int iconWidth = 0;
    int iconHeight = 0;
    std::vector<uint8_t> iconPixels;
};
