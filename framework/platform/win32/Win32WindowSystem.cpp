#include "framework/platform/win32/Win32WindowSystem.hpp"

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/win32/Win32Window.hpp"

#include <windows.h>

#include <array>

namespace Vantor::Platform
{

VANTOR_DEFINE_CLASS(Vantor::Platform::CWin32WindowSystem, "CWin32WindowSystem", "IWindowSystem")

namespace
{

IWindowSystem* g_installedSystem = nullptr;

// Delivers every queued message of this thread; false when the quit message came.
bool dispatchQueued(bool& delivered)
{
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE)
    {
        if (message.message == WM_QUIT)
        {
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        delivered = true;
    }
    return true;
}

} // namespace

IWindowSystem& getWindowSystem()
{
    return g_installedSystem != nullptr ? *g_installedSystem : CWin32WindowSystem::instance();
}

void setWindowSystem(IWindowSystem* system)
{
    g_installedSystem = system;
}

CWin32WindowSystem& CWin32WindowSystem::instance()
{
    static CWin32WindowSystem system;
    return system;
}

std::unique_ptr<IWindowBackend> CWin32WindowSystem::createWindowBackend()
{
    return std::make_unique<CWin32Window>();
}

SPixelSize CWin32WindowSystem::getScreenSize()
{
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

double CWin32WindowSystem::getDesktopScale(uintptr_t nearWindow)
{
    // Asked by name: these calls exist from Windows 10 1607 on, and older systems have no
    // per-monitor DPI to offer. A window that is not DPI-aware is drawn by the system at
    // 96 DPI and stretched, so it must not draw larger itself.
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    using GetAwarenessContextCall = HANDLE(WINAPI*)(HWND);
    using GetAwarenessCall = int(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto* window = reinterpret_cast<HWND>(nearWindow);
    if (user == nullptr || window == nullptr || IsWindow(window) == FALSE)
    {
        return 0.0;
    }
    const auto dpiForWindow = reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
    const auto awarenessContext = reinterpret_cast<GetAwarenessContextCall>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetWindowDpiAwarenessContext")));
    const auto awarenessOf = reinterpret_cast<GetAwarenessCall>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    if (dpiForWindow == nullptr || awarenessContext == nullptr || awarenessOf == nullptr)
    {
        return 0.0;
    }
    constexpr int kUnaware = 0;
    const int awareness = awarenessOf(awarenessContext(window));
    if (awareness <= kUnaware)
    {
        return 0.0;
    }
    const UINT dpi = dpiForWindow(window);
    return dpi > 0 ? static_cast<double>(dpi) / 96.0 : 0.0;
}

uintptr_t CWin32WindowSystem::createCursor(int number)
{
    // System cursors for the framework's cursor numbers; unknown numbers give the arrow.
    static const std::array<LPCSTR, 8> kCursors{
        reinterpret_cast<LPCSTR>(IDC_ARROW),    reinterpret_cast<LPCSTR>(IDC_HAND),
        reinterpret_cast<LPCSTR>(IDC_WAIT),     reinterpret_cast<LPCSTR>(IDC_SIZENS),
        reinterpret_cast<LPCSTR>(IDC_SIZEWE),   reinterpret_cast<LPCSTR>(IDC_IBEAM),
        reinterpret_cast<LPCSTR>(IDC_SIZENWSE), reinterpret_cast<LPCSTR>(IDC_SIZEALL)};
    const LPCSTR name =
        number >= 0 && number < static_cast<int>(kCursors.size()) ? kCursors[number] : kCursors[0];
    return reinterpret_cast<uintptr_t>(LoadCursorA(nullptr, name));
}

void CWin32WindowSystem::destroyCursor(uintptr_t)
{
    // System cursors are shared and must not be destroyed.
}

bool CWin32WindowSystem::isKeyDown(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

SPixelPoint CWin32WindowSystem::getCursorPosition()
{
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

bool CWin32WindowSystem::isMouseCaptured()
{
    return GetCapture() != nullptr;
}

bool CWin32WindowSystem::processEvents(int timeoutMilliseconds)
{
    bool delivered = false;
    if (!dispatchQueued(delivered))
    {
        return false;
    }
    if (!delivered && timeoutMilliseconds > 0)
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeoutMilliseconds), QS_ALLINPUT);
        return dispatchQueued(delivered);
    }
    return true;
}

void CWin32WindowSystem::postQuit(int exitCode)
{
    PostQuitMessage(exitCode);
}

std::unique_ptr<IDrawingSurface> captureWindow(uintptr_t)
{
    // Only the Linux tools take screenshots.
    return nullptr;
}

} // namespace Vantor::Platform
