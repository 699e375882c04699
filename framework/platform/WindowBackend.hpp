#pragma once
// Operating-system side of the framework's windows.
//
// The portable window (framework/gui/windowing) talks to one IWindowBackend per
// native window and to the process-wide IWindowSystem. Native events reach the
// portable code as SNativeMessage records whose ids and parameter packing follow
// the Win32 conventions on every platform, so that one message table handles
// them everywhere. The X11 backend translates its events into these records; the
// Win32 backend passes its messages through unchanged.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vantor::Platform
{

struct SPixelPoint
{
    int x = 0;
    int y = 0;
};

struct SPixelSize
{
    int width = 0;
    int height = 0;
};

// Pixel area: covers columns x .. x + width - 1 and rows y .. y + height - 1.
struct SPixelRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

// One native event in Win32 numbering and packing.
struct SNativeMessage
{
    int message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Message ids (Win32 values).
namespace Message
{
constexpr int Destroy = 0x0002;
constexpr int Move = 0x0003; // lParam: x low 16 bits, y high 16 bits (client origin)
constexpr int Size = 0x0005; // lParam: width low 16 bits, height high 16 bits
constexpr int SetFocus = 0x0007;
constexpr int KillFocus = 0x0008;
constexpr int Paint = 0x000F; // call IWindowBackend::beginPaint / endPaint
constexpr int Close = 0x0010; // default processing destroys the window
constexpr int EraseBackground = 0x0014;
constexpr int KeyDown = 0x0100; // wParam: virtual key; lParam: key data for translateKey
constexpr int KeyUp = 0x0101;
constexpr int Timer = 0x0113;          // not delivered: timers go to IWindowEventSink::timerFired
constexpr int MouseMove = 0x0200;      // mouse messages: lParam = packMousePosition(x, y), both signed,
constexpr int LeftButtonDown = 0x0201; //   wParam = KeyState flags of the moment of the event
constexpr int LeftButtonUp = 0x0202;
constexpr int LeftButtonDoubleClick = 0x0203;
constexpr int RightButtonDown = 0x0204;
constexpr int RightButtonUp = 0x0205;
constexpr int MouseWheel = 0x020A; // wParam: signed delta in the high 16 bits (120 per notch,
                                   //   positive away from the user), KeyState in the low 16;
                                   //   lParam: cursor position on the screen (packed like x, y)
// The capture this window held went elsewhere or ended without a button release (the X11
// backend sends it when the window is unmapped, its grab broken or the buttons found up).
constexpr int CaptureChanged = 0x0215;
constexpr int DropFiles = 0x0233; // wParam: drop handle for IWindowBackend::getDroppedFiles
constexpr int MouseLeave = 0x02A3;
} // namespace Message

// KeyState flags in the low word of a mouse message's wParam: the buttons and
// modifier keys held when the event happened, so no message needs to ask the
// system for them again.
namespace KeyState
{
constexpr uintptr_t LeftButton = 0x0001;
constexpr uintptr_t RightButton = 0x0002;
constexpr uintptr_t Shift = 0x0004;
constexpr uintptr_t Control = 0x0008;
constexpr uintptr_t MiddleButton = 0x0010;
// Not a Win32 flag (Win32 leaves this bit unused): the Win32 backend adds it from the
// message's own key state, the X11 backend from the event's modifier state.
constexpr uintptr_t Alt = 0x0080;
} // namespace KeyState

// Virtual key codes (Win32 values) used in key messages and isKeyDown.
namespace VirtualKey
{
constexpr int Back = 0x08, Tab = 0x09, Clear = 0x0C, Return = 0x0D;
constexpr int Shift = 0x10, Control = 0x11, Menu = 0x12, Pause = 0x13, Capital = 0x14;
constexpr int Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
constexpr int Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
constexpr int Snapshot = 0x2C, Insert = 0x2D, Delete = 0x2E, Help = 0x2F;
constexpr int LeftWindows = 0x5B, RightWindows = 0x5C;
constexpr int F1 = 0x70, F24 = 0x87;
constexpr int NumLock = 0x90, Scroll = 0x91;
constexpr int LeftShift = 0xA0, RightShift = 0xA1, LeftControl = 0xA2, RightControl = 0xA3;
constexpr int LeftMenu = 0xA4, RightMenu = 0xA5;
// Digits and letters use their ASCII codes '0'..'9' and 'A'..'Z'.
} // namespace VirtualKey

// Window style bits (Win32 values) that every backend understands.
namespace WindowStyle
{
constexpr uint32_t Popup = 0x80000000u;   // borderless top-level
constexpr uint32_t Child = 0x40000000u;   // child of the parent handle
constexpr uint32_t Visible = 0x10000000u; // shown at creation
constexpr uint32_t Disabled = 0x08000000u;
constexpr uint32_t Caption = 0x00C00000u; // title bar (decorated top-level)
} // namespace WindowStyle

namespace ExtendedWindowStyle
{
constexpr uint32_t TopMost = 0x00000008u;     // always on top
constexpr uint32_t AcceptFiles = 0x00000010u; // receives DropFiles
constexpr uint32_t Layered = 0x00080000u;     // whole-window opacity
constexpr uint32_t NoActivate = 0x08000000u;  // never takes the focus when shown or clicked
} // namespace ExtendedWindowStyle

constexpr intptr_t packMousePosition(int x, int y)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                 static_cast<uint32_t>(x & 0xFFFF));
}

// Everything needed to create one native window.
struct SWindowCreateParams
{
    std::string className; // windows of one class name share one registered class (Win32)
    std::string title;
    uint32_t style = 0;         // WindowStyle bits (other Win32 bits pass through on Windows)
    uint32_t extendedStyle = 0; // ExtendedWindowStyle bits
    bool dropShadow = false;
    uintptr_t icon = 0;   // native icon handle, 0 for none
    SPixelRect area;      // position (relative to the parent for a child) and size
    uintptr_t parent = 0; // native handle of the parent window, 0 for a top-level window
};

// Receives the translated events of one native window (the portable window).
class IWindowEventSink
{
public:
    virtual ~IWindowEventSink() = default;
    // Handles one message; for the default answer call IWindowBackend::defaultProcessing.
    virtual intptr_t handleNativeMessage(const SNativeMessage& message) = 0;
    // A timer started with IWindowBackend::startTimer is due.
    virtual void timerFired(long id) = 0;
    // Windows only: a mouse-wheel message seen by the desktop-wide mouse hook while this window
    // is the current window. wheelData is the wParam of a wheel message (delta and KeyState).
    // True consumes it.
    virtual bool handleHookedMouseWheel(uintptr_t wheelData)
    {
        (void)wheelData;
        return false;
    }
};

struct SDroppedFiles
{
    SPixelPoint point; // drop position in client coordinates
    std::vector<std::string> files;
};

class IDrawingSurface;

// One native window. All calls come from the thread that created it.
class IWindowBackend
{
public:
    enum class ECreateResult
    {
        Created,
        ClassRegistrationFailed,
        CreationFailed
    };

    virtual ~IWindowBackend() = default;

    // Creates the native window; messages go to sink from now on (Create-time Size/Move included).
    // On CreationFailed, getLastError() holds the system's text.
    virtual ECreateResult create(const SWindowCreateParams& params, IWindowEventSink* sink) = 0;
    // Destroys the native window (sends Destroy first). Harmless when none exists.
    virtual void destroy() = 0;
    virtual bool exists() const = 0;
    // HWND on Windows, X11 Window id on Linux; 0 while no window exists.
    virtual uintptr_t getNativeHandle() const = 0;
    virtual std::string getLastError() const = 0;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    // Paints at once when an area is invalid (UpdateWindow).
    virtual void update() = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setPosition(const SPixelPoint& position) = 0;
    // Moves and resizes; the window repaints.
    virtual void setArea(const SPixelRect& area) = 0;
    // Marks an area (client coordinates) for the next Paint; null means the whole window.
    virtual void invalidate(const SPixelRect* area) = 0;
    // Whole-window opacity 0..255. False when the platform cannot do it (value not applied).
    virtual bool setOpacity(int alpha) = 0;
    virtual void bringToForeground() = 0;

    // Starts or restarts a repeating timer; ids are chosen by the caller.
    virtual bool startTimer(long id, long milliseconds) = 0;
    virtual void stopTimer(long id) = 0;

    // Makes a cursor from IWindowSystem::createCursor the cursor of this window.
    virtual void setCursor(uintptr_t cursor) = 0;
    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;
    virtual bool hasMouseCapture() const = 0;
    // Asks for one MouseLeave message when the pointer next leaves the window.
    virtual void trackMouseLeave() = 0;
    // Windows: the desktop-wide wheel hook (see IWindowEventSink); a no-op elsewhere.
    virtual void installMouseHook() = 0;
    virtual void removeMouseHook() = 0;

    // Inside a Paint message: the area to repaint (client coordinates), may be empty.
    virtual SPixelRect beginPaint() = 0;
    // Copies an area of a surface of the window's size to the same place of the window.
    virtual void present(IDrawingSurface& surface, const SPixelRect& area) = 0;
    virtual void endPaint() = 0;

    // The character of a KeyDown/KeyUp message (ToAscii with the keyboard state of that
    // message): 0..255, or -1 when the key gives no single character.
    virtual int translateKey(uintptr_t virtualKey, intptr_t keyData) = 0;
    // Outer window rectangle on the screen and client size (used for wheel positions).
    virtual SPixelRect getScreenRect() const = 0;
    virtual SPixelSize getClientSize() const = 0;

    // Contents of a DropFiles message; finishDrop releases the drop handle.
    virtual bool getDroppedFiles(uintptr_t drop, SDroppedFiles& out) = 0;
    virtual void finishDrop(uintptr_t drop) = 0;

    // What the system does with a message the window does not handle itself
    // (DefWindowProc; Close destroys the window).
    virtual intptr_t defaultProcessing(const SNativeMessage& message) = 0;
};

// Process-wide windowing services.
class IWindowSystem
{
public:
    virtual ~IWindowSystem() = default;

    // Threads: editor.
    virtual std::unique_ptr<IWindowBackend> createWindowBackend() = 0;
    // Size of the primary screen; (0, 0) when there is no display.
    // Threads: editor.
    virtual SPixelSize getScreenSize() = 0;
    // The primary monitor's area on the screen (the whole screen where monitors are not known).
    // Threads: editor.
    virtual SPixelRect getPrimaryMonitorArea()
    {
        const SPixelSize size = getScreenSize();
        return {0, 0, size.width, size.height};
    }
    // The scale the desktop asks windows near a native window (an editor's parent) to draw
    // at: on Windows the DPI of that window's monitor over 96, where the window is DPI-aware;
    // on X11 the resource Xft.dpi over 96, read from the server at each call. 0 when the system
    // says nothing. Opens the display connection if none is open.
    // Threads: editor.
    virtual double getDesktopScale(uintptr_t nearWindow)
    {
        (void)nearWindow;
        return 0.0;
    }
    // A system cursor by the framework's cursor number (0 arrow, 1 hand, 2 wait, 3 up-down,
    // 4 left-right, 5 text, 6 diagonal, 7 move; others give the arrow).
    // Threads: editor.
    virtual uintptr_t createCursor(int number) = 0;
    // Threads: editor.
    virtual void destroyCursor(uintptr_t cursor) = 0;
    // Whether a key (VirtualKey) is held right now (GetAsyncKeyState).
    // Threads: editor.
    virtual bool isKeyDown(int virtualKey) = 0;
    // Cursor position on the screen.
    // Threads: editor.
    virtual SPixelPoint getCursorPosition() = 0;
    // Whether any window of this process holds the mouse capture.
    // Threads: editor.
    virtual bool isMouseCaptured() = 0;

    // Delivers pending native events and due timers of this thread's windows, waiting up to
    // timeoutMilliseconds for the first one. Returns false once a quit was posted.
    // Threads: editor.
    virtual bool processEvents(int timeoutMilliseconds) = 0;
    // Ends the application's event loop (PostQuitMessage).
    // Threads: editor.
    virtual void postQuit(int exitCode) = 0;

    // Delivers what is pending for this process's windows (events, due timers, paints)
    // without waiting, where nothing else would: a plug-in's X11 windows live on a
    // connection of their own that the host never reads. Nothing where the host's
    // message loop already delivers them (Win32).
    // Threads: editor.
    virtual void pumpEmbeddedWindows() {}

    // Lets go of the display once every window is gone (a plug-in library being unloaded):
    // closes the connection of its own, if one was opened. A later use opens it again.
    // Threads: editor.
    virtual void shutdown() {}
};

// The platform's window system, or the one installed by setWindowSystem.
IWindowSystem& getWindowSystem();

// Replaces the window system (tests inject fakes); null restores the platform's own.
void setWindowSystem(IWindowSystem* system);

} // namespace Vantor::Platform
