#pragma once
// The process's own X11 connection, its windows, timers and event pump.
//
// The framework opens a display connection of its own, so that a plug-in never
// shares (or disturbs) the connection of the host that loaded it. Windows made
// here may be children of a foreign window given by id; the foreign window is
// only used as the parent.

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"
#include "framework/platform/WindowBackend.hpp"

#include <X11/Xlib.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace Vantor::Platform
{

class CX11Window;

// Installs the framework's X error handler for as long as it lives (nested traps
// share one installation), then restores the handler that was there before.
// Every function that talks to the framework's connection holds one, so that
// errors of its requests are recorded (CX11WindowSystem::syncAndTakeError) and
// the rest of the time the host's handler is left alone. GUI thread only.
class CX11ErrorTrap
{
public:
    CX11ErrorTrap();
    ~CX11ErrorTrap();
    CX11ErrorTrap(const CX11ErrorTrap&) = delete;
    CX11ErrorTrap& operator=(const CX11ErrorTrap&) = delete;
};

class CX11WindowSystem final : public IWindowSystem
{
public:
    VANTOR_DECLARE_CLASS(CX11WindowSystem);

    using TClock = std::chrono::steady_clock;

    CX11WindowSystem();
    ~CX11WindowSystem() override;
    CX11WindowSystem(const CX11WindowSystem&) = delete;
    CX11WindowSystem& operator=(const CX11WindowSystem&) = delete;

    static CX11WindowSystem& instance();
    // False once the process-wide system (and its connection) is gone, while static objects
    // that may still hold windows are destroyed.
    static bool isAlive();

    std::unique_ptr<IWindowBackend> createWindowBackend() override;
    SPixelSize getScreenSize() override;
    // The RandR primary output where the server names one, else the whole screen.
    SPixelRect getPrimaryMonitorArea() override;
    // Xft.dpi of the root window's resources over 96.
    double getDesktopScale(uintptr_t nearWindow) override;
    // The Xft.dpi value of a resource text ("Xft.dpi:\t192\n..."); 0 without a valid one.
    static double findXftDpi(const std::string& resources);
    uintptr_t createCursor(int number) override;
    void destroyCursor(uintptr_t cursor) override;
    bool isKeyDown(int virtualKey) override;
    SPixelPoint getCursorPosition() override;
    bool isMouseCaptured() override;
    bool processEvents(int timeoutMilliseconds) override;
    void postQuit(int exitCode) override;
    // processEvents without waiting; never ends an event loop.
    void pumpEmbeddedWindows() override;
    // Closes the connection; windows still registered are forgotten (their ids die with it).
    void shutdown() override;

    // The connection, opened on first use; null when no X server answers.
    Display* getDisplay();
    // The connection if it is open; never opens one.
    Display* getOpenDisplay() const { return m_display; }
    Atom getAtom(const char* name);
    // Error code of the last failed request on this connection since clearError (0 = none).
    int syncAndTakeError();
    std::string describeError(int code);

    void registerWindow(Window window, CX11Window* owner);
    void unregisterWindow(Window window);
    void setCapture(CX11Window* window) { m_captureWindow = window; }
    CX11Window* getCapture() const { return m_captureWindow; }

    void startTimer(CX11Window* window, long id, long milliseconds);
    void stopTimer(CX11Window* window, long id);
    void stopTimers(CX11Window* window);

    // Delivers pending paints of all windows; used by the pump and by update().
    bool deliverPaints();

private:
    struct STimer
    {
        CX11Window* window;
        long id;
        TClock::duration interval;
        TClock::time_point due;
    };

    bool dispatchPending();
    int pendingEvents();
    bool fireDueTimers();
    int millisecondsToNextTimer() const;

    Display* m_display = nullptr;
    bool m_triedToOpen = false;
    TClock::time_point m_lastOpenAttempt;
    std::map<Window, CX11Window*> m_windows;
    std::vector<STimer> m_timers;
    CX11Window* m_captureWindow = nullptr;
    bool m_quit = false;
};

} // namespace Vantor::Platform
