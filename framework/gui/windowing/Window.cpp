#include "framework/gui/windowing/Window.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/collections/ObjectNuller.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/events/DropFileListener.hpp"
#include "framework/gui/events/KeyboardListener.hpp"
#include "framework/gui/events/MouseListener.hpp"
#include "framework/gui/graphics/DeviceScale.hpp"
#include "framework/gui/windowing/WindowIcon.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/DrawingBackend.hpp"

namespace Vantor::GUI::Windowing
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Windowing::CWindow, "CWindow", "CCountedObject")

namespace Message = Platform::Message;

namespace
{
// Colour requests of edit and static child controls.
constexpr int kControlColourEdit = 0x0133;
constexpr int kControlColourStatic = 0x0138;

// One wheel notch (120) is 1.0.
constexpr double kWheelScale = 0.008333333333333333;

CWindow* g_currentWindow = nullptr;
IWindow* g_mainWindow = nullptr;

long signedLow(intptr_t value)
{
    return static_cast<std::int16_t>(value & 0xFFFF);
}

long signedHigh(intptr_t value)
{
    return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

long unsignedLow(intptr_t value)
{
    return static_cast<long>(value & 0xFFFF);
}

long unsignedHigh(intptr_t value)
{
    return static_cast<long>((value >> 16) & 0xFFFF);
}

Platform::SPixelRect toPixelRect(const MathTools::CRect& rect)
{
    return {static_cast<int>(rect.getLeft()), static_cast<int>(rect.getTop()),
            static_cast<int>(rect.getWidth()), static_cast<int>(rect.getHeight())};
}

namespace DeviceScale = Graphics::DeviceScale;
} // namespace

CWindow::CWindow(const MathTools::CRect& area)
    : m_attributes(new CWindowAttributes()), m_windowSize(area.getDimension()),
      m_windowPosition(area.getOrigin()), m_windowArea(area),
      m_mouseEvent(Events::CMouseEvent::kMouseMove, &m_mouse),
      m_timedObjects(Collections::TObjectNuller<Events::ITimedObject>::getDefaultDeleter())
{
    m_attributes->referenced();
    setControlRoot(new Controls::CControlRoot(this));
    m_windowChangeListener = this;
    m_focusListener = this;
    m_graphics.setKeepBackBuffer(true);
}

CWindow::~CWindow()
{
    if (m_windowOpen)
    {
        windowDestroyingNotification();
        stopAllTimers();
        destroyNativeWindow();
        m_windowOpen = false;
    }
    if (g_currentWindow == this)
    {
        g_currentWindow = nullptr;
    }
    if (g_mainWindow == this)
    {
        g_mainWindow = nullptr;
    }
    m_attributes->dereference();
    delete m_controlRoot;
}

void CWindow::setControlRoot(Controls::CControlRoot* root)
{
    delete m_controlRoot;
    m_controlRoot = root;
    m_mouseListener = root;
    m_dropFileListener = root;
    m_keyboardListener = root;
}

// ---- process-wide windows ----

void CWindow::setApplicationMainWindow(IWindow* window)
{
    g_mainWindow = window;
}

IWindow* CWindow::getApplicationMainWindow()
{
    return g_mainWindow;
}

CWindow* CWindow::getCurrentWindow()
{
    return g_currentWindow;
}

Basics::CString CWindow::makeClassName(const Basics::CString& title)
{
    Basics::CString name(getClassNamePrefix());
    name += Host::CApplicationInformation::getApplicationName();
    name += ".";
    name += title;
    return name;
}

// ---- life cycle ----

bool CWindow::createWindow()
{
    // Every native window gets a fresh platform object: a window can be created again after it was destroyed.
    if (!m_handle.backend || !m_handle.backend->exists())
    {
        m_handle.backend = Platform::getWindowSystem().createWindowBackend();
    }
    if (!m_handle.backend)
    {
        return false;
    }
    Platform::SWindowCreateParams params;
    params.className = makeClassName(m_attributes->getWindowTitle()).getString();
    params.title = m_attributes->getWindowTitle().getString();
    params.style = m_attributes->getWindowStyle();
    params.extendedStyle = m_attributes->getExtendedWindowStyle();
    params.dropShadow = m_attributes->hasDropShadow();
    params.icon = m_attributes->getWindowIcon() ? m_attributes->getWindowIcon()->getNativeIcon() : 0;
    params.area = nativeArea(m_windowPosition, m_windowSize);
    params.parent = m_parentWindow ? m_parentWindow->getWindowHandle()->getNativeHandle() : 0;

    switch (m_handle.backend->create(params, this))
    {
    case Platform::IWindowBackend::ECreateResult::ClassRegistrationFailed:
        return false;
    case Platform::IWindowBackend::ECreateResult::CreationFailed:
        throw Exceptions::CException(m_handle.backend->getLastError().c_str(), "CWindow::createWindow()");
    case Platform::IWindowBackend::ECreateResult::Created:
        break;
    }
    g_currentWindow = this;
    m_windowOpen = true;
    m_mouse.setWindowBackend(m_handle.backend.get());
    setWindowAlpha(m_attributes->getAlpha());
    if (!m_attributes->isEnabled())
    {
        disableWindow();
    }
    m_graphics.getBackBuffer().setFillColour(m_attributes->getBackgroundColour());
    windowCreatedNotification();
    return true;
}

void CWindow::intialiseWindow(CWindowAttributes* attributes, const bool showWindow)
{
    if (attributes == nullptr || m_windowOpen)
    {
        return;
    }
    *m_attributes = *attributes;
    bool created = false;
    try
    {
        created = createWindow();
    }
    catch (const Exceptions::CException& caught)
    {
        Basics::CString reason("Caught an exception whilst initialising window. Further details below:\n\n");
        reason += caught.getErrorReason();
        Basics::CString function("void CWindow::intialiseWindow(CWindowAttributes *, const bool) ->\n");
        function += caught.getFunctionName();
        throw Exceptions::CException(reason, function);
    }
    if (created && showWindow)
    {
        openWindow();
        updateWindow();
    }
}

void CWindow::uninitialiseWindow()
{
    if (!m_windowOpen)
    {
        return;
    }
    loseMouseCapture();
    windowDestroyingNotification();
    stopAllTimers();
    destroyNativeWindow();
    m_windowOpen = false;
}

void CWindow::destroyNativeWindow()
{
    removeMouseHook();
    if (m_handle.backend)
    {
        m_destroyingNative = true;
        m_handle.backend->destroy();
        m_destroyingNative = false;
    }
    m_mouse.setWindowBackend(nullptr);
    if (g_currentWindow == this)
    {
        g_currentWindow = nullptr;
    }
    releaseBackBuffer();
}

void CWindow::releaseBackBuffer()
{
    if (!m_graphics.isDrawing())
    {
        m_graphics.getBackBuffer().releaseImage();
    }
}

Platform::SPixelRect CWindow::nativeArea(const MathTools::CPoint& position,
                                         const MathTools::CDimension& size) const
{
    return {static_cast<int>(position.getXPosition()), static_cast<int>(position.getYPosition()),
            static_cast<int>(DeviceScale::sizeToDevice(size.getWidth(), m_scale)),
            static_cast<int>(DeviceScale::sizeToDevice(size.getHeight(), m_scale))};
}

void CWindow::setWindowScale(double scale)
{
    const double clamped = DeviceScale::clampScale(scale);
    if (clamped == m_scale)
    {
        return;
    }
    m_scale = clamped;
    m_graphics.setScale(clamped);
    releaseBackBuffer();
    if (backend())
    {
        backend()->setArea(nativeArea(m_windowPosition, m_windowSize));
        backend()->invalidate(nullptr);
    }
}

MathTools::CDimension CWindow::getNativeSize() const
{
    return MathTools::CDimension(DeviceScale::sizeToDevice(m_windowSize.getWidth(), m_scale),
                                 DeviceScale::sizeToDevice(m_windowSize.getHeight(), m_scale));
}

void CWindow::nativeWindowDestroyed()
{
    // Destroyed by someone else: a host that destroys its own window takes ours with it, and a
    // closed top-level window destroys itself. Nothing native is left to use, and the next
    // intialiseWindow must create a new window.
    if (!m_windowOpen)
    {
        return;
    }
    loseMouseCapture();
    windowDestroyingNotification();
    stopAllTimers();
    removeMouseHook();
    releaseBackBuffer();
    m_mouse.setWindowBackend(nullptr);
    if (g_currentWindow == this)
    {
        g_currentWindow = nullptr;
    }
    m_windowOpen = false;
}

void CWindow::openWindow()
{
    if (backend())
    {
        backend()->show();
    }
}

void CWindow::closeWindow()
{
    if (!backend())
    {
        return;
    }
    loseMouseCapture();
    backend()->hide();
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowClosed(this);
    }
}

void CWindow::loseMouseCapture()
{
    if (m_handle.backend && hasMouseCapture(m_handle))
    {
        m_releasingCapture = true;
        releaseMouse(m_handle);
        m_releasingCapture = false;
    }
    if (m_mouseListener)
    {
        m_mouseListener->handleMouseCaptureLost();
    }
}

void CWindow::updateWindow()
{
    if (backend())
    {
        backend()->update();
    }
}

void CWindow::disableWindow()
{
    if (backend())
    {
        backend()->setEnabled(false);
    }
}

void CWindow::enableWindow()
{
    if (backend())
    {
        backend()->setEnabled(true);
    }
}

void CWindow::drawWindow(Graphics::CGraphics& graphics)
{
    m_controlRoot->drawRootControl(graphics);
}

void CWindow::redrawWindow()
{
    if (backend())
    {
        backend()->invalidate(nullptr);
    }
}

void CWindow::redrawWindow(const MathTools::CRect& area)
{
    if (backend())
    {
        const Platform::SPixelRect rect = toPixelRect(DeviceScale::coveringDevice(area, m_scale));
        backend()->invalidate(&rect);
    }
}

void CWindow::setWindowPosition(const MathTools::CPoint& position)
{
    if (!backend())
    {
        return;
    }
    m_windowPosition = position;
    m_windowArea.setOrigin(position);
    backend()->setPosition(
        {static_cast<int>(position.getXPosition()), static_cast<int>(position.getYPosition())});
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowMoved(this, m_windowPosition);
    }
}

void CWindow::setWindowSize(const MathTools::CDimension& size)
{
    if (!backend())
    {
        return;
    }
    m_windowSize = size;
    m_windowArea.setDimension(size);
    backend()->setArea(nativeArea(m_windowPosition, m_windowSize));
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowSized(this, m_windowSize);
    }
}

void CWindow::setWindowArea(const MathTools::CRect& area)
{
    if (!backend())
    {
        return;
    }
    m_windowArea = area;
    m_windowPosition = area.getOrigin();
    m_windowSize = area.getDimension();
    backend()->setArea(nativeArea(m_windowPosition, m_windowSize));
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowMoved(this, m_windowPosition);
        m_windowChangeListener->windowSized(this, m_windowSize);
    }
}

void CWindow::setWindowAlpha(double alpha)
{
    if (!backend())
    {
        return;
    }
    m_attributes->setAlpha(alpha);
    backend()->setOpacity(static_cast<int>(alpha * 255.0) & 0xFF);
}

bool CWindow::windowClosed(IWindow* window)
{
    if (window == this && g_mainWindow == this)
    {
        Platform::getWindowSystem().postQuit(0);
    }
    return true;
}

// ---- timers ----

void CWindow::timerFired(long id)
{
    // A timed object may add or remove objects (itself included) while it runs. Removals only
    // empty their slot until the round is over, so no object moves into a slot already passed;
    // every slot is looked up afresh, so a removed object is never called.
    m_timerRounds++;
    for (long i = 0; i < m_timedObjects.getArraySize(); i++)
    {
        Events::ITimedObject* object = m_timedObjects.getElementAtIndex(i);
        if (object && object->getTimerId() == id)
        {
            object->timerExpired();
        }
    }
    if (--m_timerRounds == 0 && m_timedObjectsRemoved)
    {
        m_timedObjectsRemoved = false;
        m_timedObjects.reorder(true);
    }
}

void CWindow::startTimer(const long id, const long milliseconds)
{
    if (id == 0)
    {
        throw Exceptions::CException("Timer id's cannot be zero on Windows platforms",
                                     "CWindow::startTimer(const long, const long)");
    }
    if (backend())
    {
        backend()->startTimer(id, milliseconds);
    }
}

void CWindow::stopTimer(const long id)
{
    for (long i = 0; i < m_timedObjects.getArraySize(); i++)
    {
        Events::ITimedObject* object = m_timedObjects.getElementAtIndex(i);
        if (object && object->getTimerId() == id && backend())
        {
            backend()->stopTimer(id);
        }
    }
}

void CWindow::addTimedObject(Events::ITimedObject* object)
{
    if (object)
    {
        m_timedObjects.addElement(object);
    }
}

void CWindow::removeTimedObject(Events::ITimedObject* object)
{
    if (object == nullptr)
    {
        return;
    }
    stopTimer(object->getTimerId());
    if (m_timedObjects.deleteElement(object))
    {
        if (m_timerRounds > 0)
        {
            m_timedObjectsRemoved = true;
        }
        else
        {
            m_timedObjects.reorder(true);
        }
    }
}

void CWindow::stopAllTimers()
{
    for (long i = 0; i < m_timedObjects.getArraySize(); i++)
    {
        Events::ITimedObject* object = m_timedObjects.getElementAtIndex(i);
        if (object && backend())
        {
            backend()->stopTimer(object->getTimerId());
        }
    }
    m_timedObjects.freePointers();
}

// ---- messages ----

intptr_t CWindow::handleNativeMessage(const Platform::SNativeMessage& message)
{
    return handleWindowEvents(message);
}

intptr_t CWindow::handleWindowEvents(const Platform::SNativeMessage& message)
{
    try
    {
        return dispatchMessage(message);
    }
    catch (...)
    {
        // Nothing may reach the platform's message loop (or a host's).
        return 0;
    }
}

intptr_t CWindow::defaultProcessing(const Platform::SNativeMessage& message)
{
    return m_handle.backend ? m_handle.backend->defaultProcessing(message) : 0;
}

intptr_t CWindow::dispatchMessage(const Platform::SNativeMessage& message)
{
    switch (message.message)
    {
    case Message::Destroy:
    {
        const bool refused = m_windowChangeListener && !m_windowChangeListener->windowClosed(this);
        if (!m_destroyingNative)
        {
            nativeWindowDestroyed();
        }
        if (refused)
        {
            return kNotHandled;
        }
        removeMouseHook();
        return defaultProcessing(message);
    }

    case Message::Move:
        m_windowPosition.setPoint(unsignedLow(message.lParam), unsignedHigh(message.lParam));
        m_windowArea.setOrigin(m_windowPosition);
        if (m_windowChangeListener)
        {
            m_windowChangeListener->windowMoved(this, m_windowPosition);
        }
        return defaultProcessing(message);

    case Message::Size:
        // The native size in device pixels; the window's own size stays logical.
        if (!(getNativeSize() ==
              MathTools::CDimension(unsignedLow(message.lParam), unsignedHigh(message.lParam))))
        {
            m_windowSize.setDimension(
                std::lround(static_cast<double>(unsignedLow(message.lParam)) / m_scale),
                std::lround(static_cast<double>(unsignedHigh(message.lParam)) / m_scale));
        }
        m_windowArea.setDimension(m_windowSize);
        if (m_windowChangeListener)
        {
            m_windowChangeListener->windowSized(this, m_windowSize);
        }
        return defaultProcessing(message);

    case Message::SetFocus:
        if (m_focusListener)
        {
            m_focusListener->gainedFocus(this);
        }
        removeMouseHook();
        if (m_handle.backend)
        {
            m_handle.backend->installMouseHook();
            m_mouseHookInstalled = true;
        }
        g_currentWindow = this;
        return defaultProcessing(message);

    case Message::KillFocus:
        removeMouseHook();
        if (m_focusListener)
        {
            m_focusListener->lostFocus(this);
        }
        return defaultProcessing(message);

    case Message::Paint:
        paint();
        return 0;

    case Message::Close:
        if (m_windowChangeListener && !m_windowChangeListener->windowClosed(this))
        {
            return kNotHandled;
        }
        return defaultProcessing(message);

    case Message::CaptureChanged:
        // Letting go after a release is no loss; anything else ends the press.
        if (!m_releasingCapture)
        {
            loseMouseCapture();
        }
        return 0;

    case Message::EraseBackground:
        // The back buffer paints every pixel: erasing would only flicker.
        return 1;

    case Message::KeyDown:
    case Message::KeyUp:
        if (!m_keyboardListener)
        {
            return 1;
        }
        fillKeyboardEvent(message);
        return (message.message == Message::KeyDown) ? m_keyboardListener->handleKeyDown(m_keyboardEvent)
                                                     : m_keyboardListener->handleKeyUp(m_keyboardEvent);

    case Message::Timer:
        // Timers arrive through timerFired.
        return 0;

    case kControlColourEdit:
    case kControlColourStatic:
        // No native edit or static child controls exist in this framework.
        return kNotHandled;

    case Message::DropFiles:
        if (!m_dropFileListener)
        {
            return kNotHandled;
        }
        handleDroppedFiles(message.wParam);
        return 0;

    default:
        return handleMouseMessage(message);
    }
}

intptr_t CWindow::handleMouseMessage(const Platform::SNativeMessage& message)
{
    const int id = message.message;
    const bool isMouseMessage = (id >= Message::MouseMove && id <= Message::RightButtonUp) ||
                                id == Message::MouseWheel || id == Message::MouseLeave;
    if (!isMouseMessage)
    {
        return defaultProcessing(message);
    }
    if (!m_mouseListener)
    {
        const bool answersDefault =
            id == Message::MouseMove || id == Message::LeftButtonDoubleClick || id == Message::MouseLeave;
        return answersDefault ? defaultProcessing(message) : kNotHandled;
    }
    switch (id)
    {
    case Message::MouseMove:
        updateMouseEvent(message.wParam, message.lParam);
        trackMouseLeave();
        m_mouseListener->handleMouseMovement(m_mouseEvent);
        break;
    case Message::LeftButtonDown:
    case Message::RightButtonDown:
        if (!isMouseCaptured())
        {
            captureMouse(m_handle);
        }
        updateMouseEvent(message.wParam, message.lParam);
        trackMouseLeave();
        if (id == Message::LeftButtonDown)
        {
            m_mouseListener->handleLeftButtonDown(m_mouseEvent);
        }
        else
        {
            m_mouseListener->handleRightButtonDown(m_mouseEvent);
        }
        break;
    case Message::LeftButtonUp:
    case Message::RightButtonUp:
        if (isMouseCaptured())
        {
            m_releasingCapture = true;
            releaseMouse(m_handle);
            m_releasingCapture = false;
        }
        updateMouseEvent(message.wParam, message.lParam);
        if (id == Message::LeftButtonUp)
        {
            m_mouseListener->handleLeftButtonUp(m_mouseEvent);
        }
        else
        {
            m_mouseListener->handleRightButtonUp(m_mouseEvent);
        }
        break;
    case Message::LeftButtonDoubleClick:
        updateMouseEvent(message.wParam, message.lParam);
        m_mouseListener->handleDoubleClick(m_mouseEvent);
        break;
    case Message::MouseWheel:
        handleMouseWheel(static_cast<intptr_t>(message.wParam));
        break;
    case Message::MouseLeave:
        updateMouseEvent(message.wParam, message.lParam);
        m_mouseListener->handleMouseLeavingArea(m_mouseEvent);
        break;
    default:
        break;
    }
    return 0;
}

void CWindow::readModifiers(bool& control, bool& shift, bool& alt) const
{
    Platform::IWindowSystem& system = Platform::getWindowSystem();
    control = system.isKeyDown(Platform::VirtualKey::Control);
    shift = system.isKeyDown(Platform::VirtualKey::Shift);
    alt = system.isKeyDown(Platform::VirtualKey::Menu);
}

void CWindow::takeMouseModifiers(uintptr_t keyState)
{
    // The message says which keys were held when the event happened: asking the system now
    // would cost a round trip per message and could answer for a later moment.
    m_mouseEvent.setModifiers((keyState & Platform::KeyState::Control) != 0,
                              (keyState & Platform::KeyState::Shift) != 0,
                              (keyState & Platform::KeyState::Alt) != 0);
}

void CWindow::updateMouseEvent(uintptr_t keyState, intptr_t lParam)
{
    m_lastMousePosition.setPoint(DeviceScale::toLogical(signedLow(lParam), m_scale),
                                 DeviceScale::toLogical(signedHigh(lParam), m_scale));
    m_mouse.setPosition(m_lastMousePosition);
    takeMouseModifiers(keyState);
}

void CWindow::trackMouseLeave()
{
    if (m_handle.backend)
    {
        m_handle.backend->trackMouseLeave();
    }
}

void CWindow::fillKeyboardEvent(const Platform::SNativeMessage& message)
{
    const int translated =
        m_handle.backend ? m_handle.backend->translateKey(message.wParam, message.lParam) : -1;
    m_keyboardEvent.setKey(static_cast<long>(message.wParam), translated);
    bool control = false;
    bool shift = false;
    bool alt = false;
    readModifiers(control, shift, alt);
    m_keyboardEvent.setModifiers(control, shift, alt);
}

void CWindow::handleMouseWheel(intptr_t wheelData)
{
    // The wheel reports the pointer on the screen.
    const Platform::SPixelPoint cursor = Platform::getWindowSystem().getCursorPosition();
    const Platform::SPixelPoint client = getClientScreenOrigin(m_handle);
    m_lastMousePosition.setPoint(DeviceScale::toLogical(cursor.x - client.x, m_scale),
                                 DeviceScale::toLogical(cursor.y - client.y, m_scale));
    m_mouse.setPosition(m_lastMousePosition);
    takeMouseModifiers(static_cast<uintptr_t>(wheelData) & 0xFFFF);
    m_mouseEvent.setWheelValue(static_cast<std::int16_t>((wheelData >> 16) & 0xFFFF) * kWheelScale);
    m_mouseListener->handleMouseScroll(m_mouseEvent);
}

bool CWindow::handleHookedMouseWheel(uintptr_t wheelData)
{
    if (!m_keyboardListener || !m_mouseListener)
    {
        return false;
    }
    handleMouseWheel(static_cast<intptr_t>(wheelData));
    return true;
}

void CWindow::handleDroppedFiles(uintptr_t drop)
{
    Platform::SDroppedFiles dropped;
    if (m_handle.backend)
    {
        m_handle.backend->getDroppedFiles(drop, dropped);
    }
    Events::CDropEvent event(MathTools::CPoint(DeviceScale::toLogical(dropped.point.x, m_scale),
                                               DeviceScale::toLogical(dropped.point.y, m_scale)));
    for (const std::string& file : dropped.files)
    {
        event.addFile(file.c_str());
    }
    m_dropFileListener->handleFileDrop(event);
    if (m_handle.backend)
    {
        m_handle.backend->finishDrop(drop);
        m_handle.backend->bringToForeground();
    }
}

void CWindow::removeMouseHook()
{
    if (m_mouseHookInstalled && m_handle.backend)
    {
        m_handle.backend->removeMouseHook();
    }
    m_mouseHookInstalled = false;
}

// Each paint draws into the window's back buffer (kept from paint to paint, made anew
// when the size changes), clipped to the update area filled with the background colour
// first, and copies only that area. At a scale the update area arrives in device pixels
// and the controls draw the logical area that covers it.
void CWindow::paint()
{
    if (!m_handle.backend)
    {
        return;
    }
    Platform::IWindowBackend& native = *m_handle.backend;
    const Platform::SPixelRect area = native.beginPaint();
    const MathTools::CRect updateArea =
        DeviceScale::coveringLogical(MathTools::CRect(area.x, area.y, area.width, area.height), m_scale);
    MathTools::CDimension size = getNativeSize();
    if (size.getWidth() <= 0 || size.getHeight() <= 0)
    {
        const Platform::SPixelSize client = native.getClientSize();
        size.setDimension(client.width, client.height);
    }
    m_graphics.setUpdateArea(updateArea);
    if (m_graphics.begin(size))
    {
        // The paint is ended even when a control's drawing throws.
        struct SPaintEnd
        {
            Graphics::CGraphics& graphics;
            ~SPaintEnd()
            {
                graphics.setDrawingAreaOffset(MathTools::CPoint(0, 0));
                graphics.getClip().resetClip();
                graphics.end();
            }
        } paintEnd{m_graphics};
        m_graphics.setDrawingAreaOffset(MathTools::CPoint(0, 0));
        m_graphics.getSurface()->fillRectangle(toPixelRect(DeviceScale::toDevice(updateArea, m_scale)),
                                               m_graphics.getBackBuffer().getFillColour().getOpaqueARGB());
        m_graphics.getClip().setClip(updateArea);
        try
        {
            drawWindow(m_graphics);
        }
        catch (...)
        {
            native.endPaint();
            throw;
        }
        if (!area.isEmpty())
        {
            native.present(*m_graphics.getSurface(), area);
        }
    }
    native.endPaint();
}

} // namespace Vantor::GUI::Windowing
