#pragma once
// One X11 window, translating its X events into the framework's native messages.

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"
#include "framework/platform/PixelTools.hpp"
#include "framework/platform/WindowBackend.hpp"

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace Vantor::Platform
{

class CX11WindowSystem;

class CX11Window final : public IWindowBackend
{
public:
    VANTOR_DECLARE_CLASS(CX11Window);

    explicit CX11Window(CX11WindowSystem& system);
    ~CX11Window() override;
    CX11Window(const CX11Window&) = delete;
    CX11Window& operator=(const CX11Window&) = delete;

    ECreateResult create(const SWindowCreateParams& params, IWindowEventSink* sink) override;
    void destroy() override;
    bool exists() const override;
    uintptr_t getNativeHandle() const override;
    std::string getLastError() const override;

    void show() override;
    void hide() override;
    bool isVisible() const override;
    void update() override;
    void setEnabled(bool enabled) override;
    void setPosition(const SPixelPoint& position) override;
    void setArea(const SPixelRect& area) override;
    void invalidate(const SPixelRect* area) override;
    bool setOpacity(int alpha) override;
    void bringToForeground() override;

    bool startTimer(long id, long milliseconds) override;
    void stopTimer(long id) override;

    void setCursor(uintptr_t cursor) override;
    void captureMouse() override;
    void releaseMouse() override;
    bool hasMouseCapture() const override;
    void trackMouseLeave() override;
    void installMouseHook() override {}
    void removeMouseHook() override {}

    SPixelRect beginPaint() override;
    void present(IDrawingSurface& surface, const SPixelRect& area) override;
    void endPaint() override;

    int translateKey(uintptr_t virtualKey, intptr_t keyData) override;
    SPixelRect getScreenRect() const override;
    SPixelSize getClientSize() const override;

    bool getDroppedFiles(uintptr_t drop, SDroppedFiles& out) override;
    void finishDrop(uintptr_t drop) override;

    intptr_t defaultProcessing(const SNativeMessage& message) override;

    // Translates and delivers one X event of this window (called by the pump).
    void handleEvent(XEvent& event);
    // Sends Paint when an area waits for it and the window is shown; true when it did.
    bool paintIfNeeded();
    void fireTimer(long id);

private:
    intptr_t send(int message, uintptr_t wParam = 0, intptr_t lParam = 0);
    void handleButton(const XButtonEvent& event, bool pressed);
    void handleKey(XKeyEvent& event, bool pressed);
    void handleConfigure(const XConfigureEvent& event);
    // While this window holds the capture: whether the event shows that the press will get
    // no release here (the window unmapped or unviewable, another grab, the buttons up).
    bool losesCapture(const XEvent& event);
    // Lets go of the capture and tells the sink (CaptureChanged).
    void loseCapture();
    void forgetWindow();
    // Copies pixels straight to the window when its visual stores them as the surface does.
    bool putPixels(IDrawingSurface& surface, const SPixelRect& area);
    void addDamage(const SPixelRect& area);
    void applyTopLevelHints(const SWindowCreateParams& params);
    // File drops (XDND): the window is the target, the dragging program the source.
    void handleDragMessage(const XClientMessageEvent& event);
    void handleDroppedData(const XSelectionEvent& event);
    void sendToDragSource(const char* type, long accepted);

    CX11WindowSystem& m_system;
    Display* m_display = nullptr;
    Window m_window = 0;
    Visual* m_visual = nullptr;
    int m_depth = 0;
    GC m_gc = nullptr;
    IWindowEventSink* m_sink = nullptr;
    std::string m_lastError;
    bool m_topLevel = true;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_trackingLeave = false;
    bool m_painting = false;
    bool m_paintBegun = false; // the current Paint message took its area
    uintptr_t m_cursor = 0;    // the cursor defined on the window, 0 for the parent's
    bool m_destroying = false;
    SPixelRect m_area;            // client position (screen for top-level, parent for child) and size
    PixelTools::CDamage m_damage; // areas waiting for a Paint
    SPixelRect m_paintArea;       // the area of the Paint being delivered
    SPixelPoint m_lastMouse;
    Time m_lastLeftPress = 0;
    SPixelPoint m_lastLeftPressAt;
    Window m_dragSource = 0;
    SPixelPoint m_dropPoint;
    std::vector<std::string> m_droppedFiles;
    uintptr_t m_dropHandle = 0; // the drop being delivered, 0 when none
    uintptr_t m_lastDropHandle = 0;
};

} // namespace Vantor::Platform
