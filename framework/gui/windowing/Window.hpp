#pragma once
// One native top-level or child window. It turns native messages into listener
// calls (mouse, keys, dropped files, size, position, focus), paints through a
// back buffer drawn by its control root, runs timers for timed objects and owns
// the control root that holds its controls.
//
// Messages arrive through handleWindowEvents in Win32 numbering on every
// platform, so the message table below runs the same everywhere; tests can feed
// it directly, with or without a native window.

#include <cstdint>

#include "framework/basics/CountedObject.hpp"
#include "framework/collections/PointerCollection.hpp"
#include "framework/gui/events/CountedInterface.hpp"
#include "framework/gui/events/FocusListener.hpp"
#include "framework/gui/events/KeyboardEvent.hpp"
#include "framework/gui/events/Mouse.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/events/TimedObject.hpp"
#include "framework/gui/events/WindowChangeListener.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/windowing/WindowAttributes.hpp"
#include "framework/gui/windowing/WindowHandle.hpp"
#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Rect.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI::Events
{
class IMouseListener;
class IKeyboardListener;
class IDropFileListener;
} // namespace Vantor::GUI::Events

namespace Vantor::GUI::Controls
{
class CControlRoot;
}

namespace Vantor::GUI::Windowing
{

// Windows that can show tool tips; no operations yet.
class IToolTipSupportingWindow
{
public:
    virtual ~IToolTipSupportingWindow() = default;
};

class IWindow : public ICountedInterface
{
public:
    virtual void setParentWindow(IWindow* parent) = 0;
    virtual IWindow* getParentWindow() const = 0;
    // Notification hooks for derived windows: after creation, before destruction, after a change.
    virtual void windowCreatedNotification() = 0;
    virtual void windowDestroyingNotification() = 0;
    virtual void windowChangedNotification() = 0;
    virtual SWindowHandle* getWindowHandle() = 0;
    virtual const SWindowHandle* getWindowHandle() const = 0;
    virtual CWindowAttributes* getWindowAttributes() = 0;
    virtual void intialiseWindow(CWindowAttributes* attributes, const bool showWindow) = 0;
    virtual void uninitialiseWindow() = 0;
    virtual void openWindow() = 0;
    virtual void closeWindow() = 0;
    virtual void destroyNativeWindow() = 0;
    virtual void updateWindow() = 0;
    virtual void disableWindow() = 0;
    virtual void enableWindow() = 0;
    virtual void drawWindow(Graphics::CGraphics& graphics) = 0;
    virtual void redrawWindow() = 0;
    virtual void redrawWindow(const MathTools::CRect& area) = 0;
    virtual void setWindowPosition(const MathTools::CPoint& position) = 0;
    virtual const MathTools::CPoint& getWindowPosition() const = 0;
    virtual void setWindowSize(const MathTools::CDimension& size) = 0;
    virtual const MathTools::CDimension& getWindowSize() const = 0;
    virtual void setWindowArea(const MathTools::CRect& area) = 0;
    virtual const MathTools::CRect& getWindowArea() const = 0;
    virtual void setWindowAlpha(double alpha) = 0;
    virtual void timerFired(long id) = 0;
    virtual void startTimer(const long id, const long milliseconds) = 0;
    virtual void stopTimer(const long id) = 0;
    virtual void addTimedObject(Events::ITimedObject* object) = 0;
    virtual void removeTimedObject(Events::ITimedObject* object) = 0;
    virtual void stopAllTimers() = 0;
    virtual void setFocusListener(Events::IFocusListener* listener) = 0;
    virtual void setWindowChangeListener(Events::IWindowChangeListener* listener) = 0;
    virtual void setMouseListener(Events::IMouseListener* listener) = 0;
    virtual void setDropFileListener(Events::IDropFileListener* listener) = 0;
    virtual void setKeyboardListener(Events::IKeyboardListener* listener) = 0;
    virtual bool hasMouseListener() const = 0;
    virtual bool hasKeyboardListener() const = 0;
    virtual bool hasDropFileListener() const = 0;
    virtual Events::CMouse& getMouse() = 0;
    virtual Controls::CControlRoot* getControlRoot() const = 0;
    virtual bool createWindow() = 0;
    virtual intptr_t handleWindowEvents(const Platform::SNativeMessage& message) = 0;
    virtual void updateMouseEvent(uintptr_t keyState, intptr_t lParam) = 0;
    virtual void trackMouseLeave() = 0;
    virtual bool isWindowOpen() const = 0;
};

class CWindow : public Basics::CCountedObject,
                public IWindow,
                public Events::IWindowChangeListener,
                public Events::IFocusListener,
                public IToolTipSupportingWindow,
                public Platform::IWindowEventSink
{
public:
    VANTOR_DECLARE_CLASS(CWindow);
    VANTOR_FORWARD_COUNTING

    // The answer of messages refused by a listener or without one.
    static constexpr intptr_t kNotHandled = static_cast<intptr_t>(std::uint32_t{0xFFFFFFFF});

    // A window of that area with default attributes; no native window yet.
    explicit CWindow(const MathTools::CRect& area);
    ~CWindow() override;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    void setParentWindow(IWindow* parent) override { m_parentWindow = parent; }
    IWindow* getParentWindow() const override { return m_parentWindow; }
    void windowCreatedNotification() override {}
    void windowDestroyingNotification() override {}
    void windowChangedNotification() override {}
    SWindowHandle* getWindowHandle() override { return &m_handle; }
    const SWindowHandle* getWindowHandle() const override { return &m_handle; }
    CWindowAttributes* getWindowAttributes() override { return m_attributes; }
    // Copies the attributes and creates the native window (shown and painted when showWindow).
    void intialiseWindow(CWindowAttributes* attributes, const bool showWindow) override;
    void uninitialiseWindow() override;
    void openWindow() override;
    // Hides the window and tells the window-change listener.
    void closeWindow() override;
    void destroyNativeWindow() override;
    void updateWindow() override;
    void disableWindow() override;
    void enableWindow() override;
    void drawWindow(Graphics::CGraphics& graphics) override;
    void redrawWindow() override;
    void redrawWindow(const MathTools::CRect& area) override;
    void setWindowPosition(const MathTools::CPoint& position) override;
    const MathTools::CPoint& getWindowPosition() const override { return m_windowPosition; }
    void setWindowSize(const MathTools::CDimension& size) override;
    const MathTools::CDimension& getWindowSize() const override { return m_windowSize; }
    void setWindowArea(const MathTools::CRect& area) override;
    const MathTools::CRect& getWindowArea() const override { return m_windowArea; }
    void setWindowAlpha(double alpha) override;
    // Calls every timed object registered for that id.
    void timerFired(long id) override;
    // Id 0 throws CException ("Timer id's cannot be zero on Windows platforms").
    void startTimer(const long id, const long milliseconds) override;
    void stopTimer(const long id) override;
    void addTimedObject(Events::ITimedObject* object) override;
    void removeTimedObject(Events::ITimedObject* object) override;
    void stopAllTimers() override;
    void setFocusListener(Events::IFocusListener* listener) override { m_focusListener = listener; }
    void setWindowChangeListener(Events::IWindowChangeListener* listener) override
    {
        m_windowChangeListener = listener;
    }
    void setMouseListener(Events::IMouseListener* listener) override { m_mouseListener = listener; }
    void setDropFileListener(Events::IDropFileListener* listener) override { m_dropFileListener = listener; }
    void setKeyboardListener(Events::IKeyboardListener* listener) override { m_keyboardListener = listener; }
    bool hasMouseListener() const override { return m_mouseListener != nullptr; }
    bool hasKeyboardListener() const override { return m_keyboardListener != nullptr; }
    Events::IKeyboardListener* getKeyboardListener() const { return m_keyboardListener; }
    bool hasDropFileListener() const override { return m_dropFileListener != nullptr; }
    Events::CMouse& getMouse() override { return m_mouse; }
    Controls::CControlRoot* getControlRoot() const override { return m_controlRoot; }
    // Creates the native window from the attributes; false when its class cannot be registered.
    bool createWindow() override;
    // The message table; never lets an exception out.
    intptr_t handleWindowEvents(const Platform::SNativeMessage& message) override;
    // Position from a mouse message's lParam (in device pixels, both coordinates signed: a captured drag that
    // leaves the window above or to the left is negative), made logical, and modifiers from its KeyState
    // flags.
    void updateMouseEvent(uintptr_t keyState, intptr_t lParam) override;
    void trackMouseLeave() override;
    bool isWindowOpen() const override { return m_windowOpen; }

    // Device pixels per logical pixel, 1 to 3 (1 by default; other values are clamped).
    // The window's size, its controls and its mouse positions stay logical; the native
    // window is round(size x scale) device pixels and everything is drawn at the scale.
    // An open window takes the new size at once and repaints.
    void setWindowScale(double scale);
    double getWindowScale() const { return m_scale; }
    // The native window's size in device pixels.
    MathTools::CDimension getNativeSize() const;

    // The mouse position of the latest mouse message, in window coordinates.
    const MathTools::CPoint& getLastMousePosition() const { return m_lastMousePosition; }
    const Events::CKeyboardEvent& getKeyboardEvent() const { return m_keyboardEvent; }
    Graphics::CGraphics& getGraphics() { return m_graphics; }

    // Window-change and focus listening of the window itself.
    void windowSized(IWindow*, const MathTools::CDimension&) override {}
    void windowMoved(IWindow*, const MathTools::CPoint&) override {}
    // Posts the quit message when this is the application's main window; true.
    bool windowClosed(IWindow* window) override;
    void gainedFocus(IWindow*) override {}
    void lostFocus(IWindow*) override {}

    // Native events.
    intptr_t handleNativeMessage(const Platform::SNativeMessage& message) override;
    bool handleHookedMouseWheel(uintptr_t wheelData) override;

    // The application's main window (its closing ends the application); set by the application.
    static void setApplicationMainWindow(IWindow* window);
    static IWindow* getApplicationMainWindow();
    // The window that most recently got the focus or was created.
    static CWindow* getCurrentWindow();
    // The constant start of every window class name.
    static const char* getClassNamePrefix() { return "net.vantor.framework."; }
    // The native window class for a title: prefix, application name, ".", title.
    static Basics::CString makeClassName(const Basics::CString& title);

protected:
    // Replaces the control root (deleting the old one); it becomes the mouse, drop and key listener.
    void setControlRoot(Controls::CControlRoot* root);

private:
    intptr_t dispatchMessage(const Platform::SNativeMessage& message);
    intptr_t defaultProcessing(const Platform::SNativeMessage& message);
    intptr_t handleMouseMessage(const Platform::SNativeMessage& message);
    void paint();
    void fillKeyboardEvent(const Platform::SNativeMessage& message);
    void handleMouseWheel(intptr_t wheelData);
    void handleDroppedFiles(uintptr_t drop);
    void readModifiers(bool& control, bool& shift, bool& alt) const;
    void takeMouseModifiers(uintptr_t keyState);
    void removeMouseHook();
    void releaseBackBuffer();
    // The native area for a position (device pixels) and a logical size.
    Platform::SPixelRect nativeArea(const MathTools::CPoint& position,
                                    const MathTools::CDimension& size) const;
    // The native window went away without destroyNativeWindow: the window is closed.
    void nativeWindowDestroyed();
    // A press in progress will get no release (the window closes, hides or lost the
    // capture): the capture is let go and the mouse listener ends what the press began.
    void loseMouseCapture();
    Platform::IWindowBackend* backend() const { return m_windowOpen ? m_handle.backend.get() : nullptr; }

    Events::IMouseListener* m_mouseListener = nullptr;
    Events::IDropFileListener* m_dropFileListener = nullptr;
    Events::IKeyboardListener* m_keyboardListener = nullptr;
    Events::IWindowChangeListener* m_windowChangeListener = nullptr;
    Events::IFocusListener* m_focusListener = nullptr;
    CWindowAttributes* m_attributes;
    SWindowHandle m_handle;
    IWindow* m_parentWindow = nullptr;
    MathTools::CDimension m_windowSize;
    MathTools::CPoint m_windowPosition;
    MathTools::CRect m_windowArea;
    Events::CMouse m_mouse;
    MathTools::CPoint m_lastMousePosition;
    Graphics::CGraphics m_graphics;
    Events::CMouseEvent m_mouseEvent;
    Events::CKeyboardEvent m_keyboardEvent;
    bool m_windowOpen = false;
    Collections::TPointerCollection<Events::ITimedObject> m_timedObjects;
    Controls::CControlRoot* m_controlRoot = nullptr;
    bool m_mouseHookInstalled = false;
    int m_timerRounds = 0;              // timerFired calls under way
    bool m_timedObjectsRemoved = false; // slots emptied during them, compacted afterwards
    bool m_destroyingNative = false;    // destroyNativeWindow is under way
    double m_scale = 1.0;
    bool m_releasingCapture = false; // the window lets go of the capture itself
};

} // namespace Vantor::GUI::Windowing
