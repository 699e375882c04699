#include "framework/platform/win32/Win32Window.hpp"

#include "framework/platform/win32/GdiSurface.hpp"
#include "framework/platform/win32/SystemError.hpp"

#include <shellapi.h>

#include <array>

namespace Vantor::Platform
{

VANTOR_DEFINE_CLASS(Vantor::Platform::CWin32Window, "CWin32Window", "IWindowBackend")

namespace
{

// The window whose mouse hook is installed: the one that most recently got the focus.
CWin32Window* g_hookWindow = nullptr;

bool isMouseMessage(UINT message)
{
    return (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP) || message == WM_MOUSEWHEEL ||
           message == WM_MOUSELEAVE;
}

// Mouse messages carry Shift and Control but not Alt; the key state of the message adds it,
// so that the portable window reads every modifier from the message itself.
uintptr_t withAlt(uintptr_t keyState)
{
    return (GetKeyState(VK_MENU) < 0) ? (keyState | KeyState::Alt) : keyState;
}

using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up at run time: systems without layered windows lack it.
TSetLayeredWindowAttributes layeredWindowEntry()
{
    static const auto entry = reinterpret_cast<TSetLayeredWindowAttributes>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
    return entry;
}

} // namespace

HINSTANCE getFrameworkModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&getFrameworkModule), &module);
    return module;
}

CWin32Window::~CWin32Window()
{
    // The owner is going away: destroy silently, without messages to it.
    m_sink = nullptr;
    destroy();
}

IWindowBackend::ECreateResult CWin32Window::create(const SWindowCreateParams& params, IWindowEventSink* sink)
{
    if (m_window != nullptr)
    {
        m_lastError = "The window exists already";
        return ECreateResult::CreationFailed;
    }
    HINSTANCE module = getFrameworkModule();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(module, params.className.c_str(), &existing) == FALSE)
    {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS | (params.dropShadow ? CS_DROPSHADOW : 0u);
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = module;
        windowClass.hIcon = reinterpret_cast<HICON>(params.icon);
        windowClass.hIconSm = reinterpret_cast<HICON>(params.icon);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = nullptr;
        windowClass.lpszClassName = params.className.c_str();
        if (RegisterClassExA(&windowClass) == 0)
        {
            m_lastError = systemErrorText(GetLastError());
            return ECreateResult::ClassRegistrationFailed;
        }
    }
    m_sink = sink;
    HWND window =
        CreateWindowExA(params.extendedStyle, params.className.c_str(), params.title.c_str(), params.style,
                        params.area.x, params.area.y, params.area.width, params.area.height,
                        reinterpret_cast<HWND>(params.parent), nullptr, module, this);
    if (window == nullptr)
    {
        m_lastError = systemErrorText(GetLastError());
        m_sink = nullptr;
        return ECreateResult::CreationFailed;
    }
    m_window = window;
    return ECreateResult::Created;
}

void CWin32Window::destroy()
{
    removeMouseHook();
    if (m_window != nullptr)
    {
        // Destroy and NcDestroy pass through the window procedure, which forgets the handle.
        DestroyWindow(m_window);
        m_window = nullptr;
    }
}

LRESULT CALLBACK CWin32Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* creating = static_cast<CWin32Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
        creating->m_window = window;
    }
    if (message == WM_MOUSEACTIVATE && (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0)
    {
        // Said outright: not every system leaves such a window inactive when clicked.
        return MA_NOACTIVATE;
    }
    auto* self = reinterpret_cast<CWin32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->m_sink == nullptr)
    {
        if (message == WM_NCDESTROY && self != nullptr)
        {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->m_window = nullptr;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const uintptr_t keyState =
        isMouseMessage(message) ? withAlt(static_cast<uintptr_t>(wParam)) : static_cast<uintptr_t>(wParam);
    const LRESULT result = self->m_sink->handleNativeMessage(
        {static_cast<int>(message), keyState, static_cast<intptr_t>(lParam)});
    if (message == WM_NCDESTROY)
    {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
    }
    return result;
}

void CALLBACK CWin32Window::timerProcedure(HWND window, UINT, UINT_PTR id, DWORD)
{
    auto* self = reinterpret_cast<CWin32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && self->m_sink != nullptr)
    {
        self->m_sink->timerFired(static_cast<long>(id));
    }
}

LRESULT CALLBACK CWin32Window::mouseHookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && wParam == WM_MOUSEWHEEL && g_hookWindow != nullptr && g_hookWindow->m_sink != nullptr)
    {
        const auto* record = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam);
        // The hook record has the delta only; the modifiers come from the key state of this message.
        uintptr_t keyState = 0;
        keyState |= (GetKeyState(VK_SHIFT) < 0) ? KeyState::Shift : 0;
        keyState |= (GetKeyState(VK_CONTROL) < 0) ? KeyState::Control : 0;
        const uintptr_t wheelData =
            (static_cast<uintptr_t>(record->mouseData) & 0xFFFF0000u) | withAlt(keyState);
        if (g_hookWindow->m_sink->handleHookedMouseWheel(wheelData))
        {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CWin32Window::installMouseHook()
{
    removeMouseHook();
    m_mouseHook = SetWindowsHookExA(WH_MOUSE, mouseHookProcedure, getFrameworkModule(), 0);
    g_hookWindow = this;
}

void CWin32Window::removeMouseHook()
{
    if (m_mouseHook != nullptr)
    {
        UnhookWindowsHookEx(m_mouseHook);
        m_mouseHook = nullptr;
    }
    if (g_hookWindow == this)
    {
        g_hookWindow = nullptr;
    }
}

void CWin32Window::show()
{
    if (m_window != nullptr)
    {
        // SW_SHOW would activate even a window made never to take the focus.
        const bool noActivate = (GetWindowLongPtrA(m_window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
        ShowWindow(m_window, noActivate ? SW_SHOWNA : SW_SHOW);
    }
}

void CWin32Window::hide()
{
    if (m_window != nullptr)
    {
        ShowWindow(m_window, SW_HIDE);
    }
}

bool CWin32Window::isVisible() const
{
    return m_window != nullptr && IsWindowVisible(m_window) != FALSE;
}

void CWin32Window::update()
{
    if (m_window != nullptr)
    {
        UpdateWindow(m_window);
    }
}

void CWin32Window::setEnabled(bool enabled)
{
    if (m_window != nullptr)
    {
        EnableWindow(m_window, enabled ? TRUE : FALSE);
    }
}

void CWin32Window::setPosition(const SPixelPoint& position)
{
    if (m_window != nullptr)
    {
        SetWindowPos(m_window, nullptr, position.x, position.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
    }
}

void CWin32Window::setArea(const SPixelRect& area)
{
    if (m_window != nullptr)
    {
        MoveWindow(m_window, area.x, area.y, area.width, area.height, TRUE);
    }
}

void CWin32Window::invalidate(const SPixelRect* area)
{
    if (m_window == nullptr)
    {
        return;
    }
    if (area == nullptr)
    {
        InvalidateRect(m_window, nullptr, FALSE);
        return;
    }
    const RECT rect{area->x, area->y, area->right(), area->bottom()};
    InvalidateRect(m_window, &rect, FALSE);
}

bool CWin32Window::setOpacity(int alpha)
{
    const TSetLayeredWindowAttributes entry = layeredWindowEntry();
    if (m_window == nullptr || entry == nullptr)
    {
        return false;
    }
    entry(m_window, 0, static_cast<BYTE>(alpha & 0xFF), LWA_ALPHA);
    return true;
}

void CWin32Window::bringToForeground()
{
    if (m_window != nullptr)
    {
        SetForegroundWindow(m_window);
    }
}

bool CWin32Window::startTimer(long id, long milliseconds)
{
    return m_window != nullptr && SetTimer(m_window, static_cast<UINT_PTR>(id),
                                           static_cast<UINT>(milliseconds), timerProcedure) != 0;
}

void CWin32Window::stopTimer(long id)
{
    if (m_window != nullptr)
    {
        KillTimer(m_window, static_cast<UINT_PTR>(id));
    }
}

void CWin32Window::setCursor(uintptr_t cursor)
{
    if (cursor != 0)
    {
        SetCursor(reinterpret_cast<HCURSOR>(cursor));
    }
}

void CWin32Window::captureMouse()
{
    if (m_window != nullptr)
    {
        SetCapture(m_window);
    }
}

void CWin32Window::releaseMouse()
{
    ReleaseCapture();
}

bool CWin32Window::hasMouseCapture() const
{
    return m_window != nullptr && GetCapture() == m_window;
}

void CWin32Window::trackMouseLeave()
{
    if (m_window != nullptr)
    {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_window;
        TrackMouseEvent(&track);
    }
}

SPixelRect CWin32Window::beginPaint()
{
    if (m_window == nullptr)
    {
        return {};
    }
    BeginPaint(m_window, &m_paint);
    m_painting = true;
    const RECT& r = m_paint.rcPaint;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void CWin32Window::present(IDrawingSurface& surface, const SPixelRect& area)
{
    auto* source = dynamic_cast<CGdiSurface*>(&surface);
    if (!m_painting || source == nullptr || area.isEmpty())
    {
        return;
    }
    BitBlt(m_paint.hdc, area.x, area.y, area.width, area.height, source->getDeviceContext(), area.x, area.y,
           SRCCOPY);
}

void CWin32Window::endPaint()
{
    if (m_painting)
    {
        EndPaint(m_window, &m_paint);
        m_painting = false;
    }
}

int CWin32Window::translateKey(uintptr_t virtualKey, intptr_t keyData)
{
    std::array<BYTE, 256> state{};
    GetKeyboardState(state.data());
    std::array<WORD, 2> characters{};
    const int count = ToAscii(static_cast<UINT>(virtualKey), static_cast<UINT>((keyData >> 16) & 0xFF),
                              state.data(), characters.data(), 0);
    return count == 1 ? static_cast<int>(characters[0] & 0xFF) : -1;
}

SPixelRect CWin32Window::getScreenRect() const
{
    RECT rect{};
    if (m_window != nullptr)
    {
        GetWindowRect(m_window, &rect);
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

SPixelSize CWin32Window::getClientSize() const
{
    RECT rect{};
    if (m_window != nullptr)
    {
        GetClientRect(m_window, &rect);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool CWin32Window::getDroppedFiles(uintptr_t drop, SDroppedFiles& out)
{
    auto* handle = reinterpret_cast<HDROP>(drop);
    if (handle == nullptr)
    {
        return false;
    }
    const UINT count = DragQueryFileA(handle, 0xFFFFFFFF, nullptr, 0);
    POINT point{};
    DragQueryPoint(handle, &point);
    out.point = {point.x, point.y};
    out.files.clear();
    for (UINT index = 0; index < count; ++index)
    {
        std::array<char, 2048> buffer{};
        DragQueryFileA(handle, index, buffer.data(), static_cast<UINT>(buffer.size()));
        out.files.emplace_back(buffer.data());
    }
    return true;
}

void CWin32Window::finishDrop(uintptr_t drop)
{
    if (drop != 0)
    {
        DragFinish(reinterpret_cast<HDROP>(drop));
    }
}

intptr_t CWin32Window::defaultProcessing(const SNativeMessage& message)
{
    if (m_window == nullptr)
    {
        return 0;
    }
    const auto id = static_cast<UINT>(message.message);
    // The system gets its mouse messages back without the framework's Alt flag.
    const uintptr_t wParam = isMouseMessage(id) ? (message.wParam & ~KeyState::Alt) : message.wParam;
    return DefWindowProcA(m_window, id, static_cast<WPARAM>(wParam), static_cast<LPARAM>(message.lParam));
}

} // namespace Vantor::Platform
