#pragma once
// Process-wide Win32 windowing services: the thread's message loop, cursors,
// key state and screen size.

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::Platform
{

class CWin32WindowSystem final : public IWindowSystem
{
public:
    VANTOR_DECLARE_CLASS(CWin32WindowSystem);

    static CWin32WindowSystem& instance();

    std::unique_ptr<IWindowBackend> createWindowBackend() override;
    SPixelSize getScreenSize() override;
    // The DPI of the monitor the window is on over 96, when the window is DPI-aware.
    double getDesktopScale(uintptr_t nearWindow) override;
    uintptr_t createCursor(int number) override;
    void destroyCursor(uintptr_t cursor) override;
    bool isKeyDown(int virtualKey) override;
    SPixelPoint getCursorPosition() override;
    bool isMouseCaptured() override;
    bool processEvents(int timeoutMilliseconds) override;
    void postQuit(int exitCode) override;
};

} // namespace Vantor::Platform
