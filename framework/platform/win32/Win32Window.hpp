#pragma once
// One Win32 window. Its messages already are the framework's native messages:
// the window procedure hands them to the sink unchanged.

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"
#include "framework/platform/WindowBackend.hpp"

#include <windows.h>

#include <string>

namespace Vantor::Platform
{

class CWin32Window final : public IWindowBackend
{
public:
    VANTOR_DECLARE_CLASS(CWin32Window);

    CWin32Window() = default;
    ~CWin32Window() override;
    CWin32Window(const CWin32Window&) = delete;
    CWin32Window& operator=(const CWin32Window&) = delete;

    ECreateResult create(const SWindowCreateParams& params, IWindowEventSink* sink) override;
    void destroy() override;
    bool exists() const override { return m_window != nullptr; }
    uintptr_t getNativeHandle() const override { return reinterpret_cast<uintptr_t>(m_window); }
    std::string getLastError() const override { return m_lastError; }

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
    void installMouseHook() override;
    void removeMouseHook() override;

    SPixelRect beginPaint() override;
    void present(IDrawingSurface& surface, const SPixelRect& area) override;
    void endPaint() override;

    int translateKey(uintptr_t virtualKey, intptr_t keyData) override;
    SPixelRect getScreenRect() const override;
    SPixelSize getClientSize() const override;

    bool getDroppedFiles(uintptr_t drop, SDroppedFiles& out) override;
    void finishDrop(uintptr_t drop) override;

    intptr_t defaultProcessing(const SNativeMessage& message) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK timerProcedure(HWND window, UINT message, UINT_PTR id, DWORD time);
    static LRESULT CALLBACK mouseHookProcedure(int code, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    IWindowEventSink* m_sink = nullptr;
    std::string m_lastError;
    PAINTSTRUCT m_paint{};
    bool m_painting = false;
    HHOOK m_mouseHook = nullptr;
};

// The module (DLL or program) that holds the framework's code.
HINSTANCE getFrameworkModule();

} // namespace Vantor::Platform
