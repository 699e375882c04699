#include "framework/platform/x11/X11Window.hpp"

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/PixelTools.hpp"
#include "framework/platform/cairo/CairoSurface.hpp"
#include "framework/platform/x11/UriList.hpp"
#include "framework/platform/x11/X11Keys.hpp"
#include "framework/platform/x11/X11WindowSystem.hpp"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace Vantor::Platform
{

VANTOR_DEFINE_CLASS(Vantor::Platform::CX11Window, "CX11Window", "IWindowBackend")

namespace
{

constexpr unsigned long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                                     ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                                     EnterWindowMask | LeaveWindowMask | FocusChangeMask;

// Two presses of the left button this close in time and place make a double click.
constexpr Time kDoubleClickMilliseconds = 500;
constexpr int kDoubleClickDistance = 2;

// Version of the drag-and-drop protocol spoken to dragging programs.
constexpr long kDragProtocolVersion = 5;

// Win32 wheel delta of one notch.
constexpr int kWheelNotch = 120;

// Key data of key messages: X modifier state in bits 0-15, key code in bits 16-23,
// bit 31 set on release (where Win32 keeps its transition flag).
constexpr intptr_t packKeyData(unsigned state, unsigned keycode, bool released)
{
    return static_cast<intptr_t>((state & 0xFFFFu) | ((keycode & 0xFFu) << 16) |
                                 (released ? 0x80000000u : 0u));
}

uintptr_t keyStateOf(unsigned state)
{
    uintptr_t flags = 0;
    if ((state & Button1Mask) != 0)
    {
        flags |= KeyState::LeftButton;
    }
    if ((state & Button3Mask) != 0)
    {
        flags |= KeyState::RightButton;
    }
    if ((state & Button2Mask) != 0)
    {
        flags |= KeyState::MiddleButton;
    }
    if ((state & ShiftMask) != 0)
    {
        flags |= KeyState::Shift;
    }
    if ((state & ControlMask) != 0)
    {
        flags |= KeyState::Control;
    }
    if ((state & Mod1Mask) != 0)
    {
        flags |= KeyState::Alt;
    }
    return flags;
}

uintptr_t buttonFlag(unsigned button)
{
    switch (button)
    {
    case Button1:
        return KeyState::LeftButton;
    case Button2:
        return KeyState::MiddleButton;
    case Button3:
        return KeyState::RightButton;
    default:
        return 0;
    }
}

// Part of an area inside a window of the given size.
SPixelRect clipTo(const SPixelRect& area, int width, int height)
{
    return PixelTools::intersect(area, {0, 0, width, height});
}

} // namespace

CX11Window::CX11Window(CX11WindowSystem& system) : m_system(system) {}

CX11Window::~CX11Window()
{
    const CX11ErrorTrap trap;
    // The owner is going away: destroy silently, without messages to it.
    m_sink = nullptr;
    destroy();
}

IWindowBackend::ECreateResult CX11Window::create(const SWindowCreateParams& params, IWindowEventSink* sink)
{
    const CX11ErrorTrap trap;
    if (m_window != 0)
    {
        m_lastError = "The window exists already";
        return ECreateResult::CreationFailed;
    }
    m_display = m_system.getDisplay();
    if (m_display == nullptr)
    {
        m_lastError = "Cannot open the X display";
        return ECreateResult::CreationFailed;
    }
    m_system.syncAndTakeError();

    const bool child = (params.style & WindowStyle::Child) != 0 && params.parent != 0;
    const bool popup = (params.style & WindowStyle::Popup) != 0;
    const bool noActivate = (params.extendedStyle & ExtendedWindowStyle::NoActivate) != 0;
    m_topLevel = !child;
    const Window parent = child ? static_cast<Window>(params.parent) : DefaultRootWindow(m_display);

    XSetWindowAttributes attributes{};
    attributes.event_mask = static_cast<long>(kEventMask);
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.bit_gravity = NorthWestGravity;
    // A borderless window that never takes the focus is left alone by the window manager.
    attributes.override_redirect = (!child && popup && noActivate) ? True : False;
    const unsigned long mask = CWEventMask | CWBackPixmap | CWBorderPixel | CWBitGravity | CWOverrideRedirect;
    const auto width = static_cast<unsigned>(std::max(params.area.width, 1));
    const auto height = static_cast<unsigned>(std::max(params.area.height, 1));
    const Window window = XCreateWindow(m_display, parent, params.area.x, params.area.y, width, height, 0,
                                        CopyFromParent, InputOutput, CopyFromParent, mask, &attributes);
    const int error = m_system.syncAndTakeError();
    if (error != 0 || window == 0)
    {
        if (window != 0)
        {
            XDestroyWindow(m_display, window);
            m_system.syncAndTakeError();
        }
        m_lastError = m_system.describeError(error);
        return ECreateResult::CreationFailed;
    }
    m_window = window;
    XWindowAttributes created{};
    XGetWindowAttributes(m_display, m_window, &created);
    m_visual = created.visual;
    m_depth = created.depth;
    if (m_topLevel)
    {
        applyTopLevelHints(params);
        if (params.parent != 0)
        {
            XSetTransientForHint(m_display, m_window, static_cast<Window>(params.parent));
        }
    }
    if ((params.extendedStyle & ExtendedWindowStyle::AcceptFiles) != 0)
    {
        const long version = kDragProtocolVersion;
        XChangeProperty(m_display, m_window, m_system.getAtom("XdndAware"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&version), 1);
    }
    m_system.registerWindow(m_window, this);
    m_sink = sink;
    m_area = params.area;
    m_enabled = (params.style & WindowStyle::Disabled) == 0;
    m_damage.clear();
    send(Message::Size, 0, packMousePosition(params.area.width, params.area.height));
    send(Message::Move, 0, packMousePosition(params.area.x, params.area.y));
    if ((params.style & WindowStyle::Visible) != 0 && m_window != 0)
    {
        show();
    }
    XSync(m_display, False);
    return ECreateResult::Created;
}

void CX11Window::applyTopLevelHints(const SWindowCreateParams& params)
{
    Atom deleteWindow = m_system.getAtom("WM_DELETE_WINDOW");
    XSetWMProtocols(m_display, m_window, &deleteWindow, 1);
    XStoreName(m_display, m_window, params.title.c_str());
    XClassHint classHint{};
    std::string name = params.title;
    std::string className = params.className;
    classHint.res_name = name.data();
    classHint.res_class = className.data();
    XSetClassHint(m_display, m_window, &classHint);

    XSizeHints sizeHints{};
    sizeHints.flags = USPosition | USSize;
    sizeHints.x = params.area.x;
    sizeHints.y = params.area.y;
    sizeHints.width = params.area.width;
    sizeHints.height = params.area.height;
    XSetWMNormalHints(m_display, m_window, &sizeHints);

    const bool noActivate = (params.extendedStyle & ExtendedWindowStyle::NoActivate) != 0;
    XWMHints wmHints{};
    wmHints.flags = InputHint;
    wmHints.input = noActivate ? False : True;
    XSetWMHints(m_display, m_window, &wmHints);
    if (noActivate)
    {
        const long userTime = 0;
        XChangeProperty(m_display, m_window, m_system.getAtom("_NET_WM_USER_TIME"), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&userTime), 1);
    }
    if ((params.style & WindowStyle::Popup) != 0)
    {
        // Motif hints: flags = decorations given, decorations = none.
        const std::array<long, 5> motifHints{2, 0, 0, 0, 0};
        const Atom motif = m_system.getAtom("_MOTIF_WM_HINTS");
        XChangeProperty(m_display, m_window, motif, motif, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(motifHints.data()), 5);
    }
    if ((params.extendedStyle & ExtendedWindowStyle::TopMost) != 0)
    {
        const long above = static_cast<long>(m_system.getAtom("_NET_WM_STATE_ABOVE"));
        XChangeProperty(m_display, m_window, m_system.getAtom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&above), 1);
    }
}

void CX11Window::destroy()
{
    const CX11ErrorTrap trap;
    if (m_window == 0 || m_destroying)
    {
        return;
    }
    if (!CX11WindowSystem::isAlive() || m_system.getOpenDisplay() != m_display)
    {
        // The connection closed (at exit, or the library let go of the display) and took its
        // windows with it.
        m_window = 0;
        m_gc = nullptr;
        return;
    }
    m_destroying = true;
    send(Message::Destroy);
    const Window window = m_window;
    m_system.unregisterWindow(window);
    XDestroyWindow(m_display, window);
    XSync(m_display, False);
    forgetWindow();
    m_destroying = false;
}

void CX11Window::forgetWindow()
{
    m_window = 0;
    if (m_gc != nullptr)
    {
        XFreeGC(m_display, m_gc);
        m_gc = nullptr;
    }
    m_visible = false;
    m_damage.clear();
    m_trackingLeave = false;
    m_cursor = 0;
}

bool CX11Window::exists() const
{
    return m_window != 0;
}

uintptr_t CX11Window::getNativeHandle() const
{
    return m_window;
}

std::string CX11Window::getLastError() const
{
    return m_lastError;
}

void CX11Window::show()
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return;
    }
    XMapRaised(m_display, m_window);
    m_visible = true;
    addDamage({0, 0, m_area.width, m_area.height});
    XSync(m_display, False);
}

void CX11Window::hide()
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return;
    }
    if (hasMouseCapture())
    {
        releaseMouse();
    }
    XUnmapWindow(m_display, m_window);
    m_visible = false;
    XSync(m_display, False);
}

bool CX11Window::isVisible() const
{
    return m_window != 0 && m_visible;
}

void CX11Window::update()
{
    const CX11ErrorTrap trap;
    paintIfNeeded();
}

void CX11Window::setEnabled(bool enabled)
{
    const CX11ErrorTrap trap;
    m_enabled = enabled;
}

void CX11Window::setPosition(const SPixelPoint& position)
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return;
    }
    XMoveWindow(m_display, m_window, position.x, position.y);
    XSync(m_display, False);
    if (position.x != m_area.x || position.y != m_area.y)
    {
        m_area.x = position.x;
        m_area.y = position.y;
        send(Message::Move, 0, packMousePosition(position.x, position.y));
    }
}

void CX11Window::setArea(const SPixelRect& area)
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return;
    }
    XMoveResizeWindow(m_display, m_window, area.x, area.y, static_cast<unsigned>(std::max(area.width, 1)),
                      static_cast<unsigned>(std::max(area.height, 1)));
    XSync(m_display, False);
    const bool moved = area.x != m_area.x || area.y != m_area.y;
    const bool sized = area.width != m_area.width || area.height != m_area.height;
    m_area = area;
    invalidate(nullptr);
    if (moved)
    {
        send(Message::Move, 0, packMousePosition(area.x, area.y));
    }
    if (sized)
    {
        send(Message::Size, 0, packMousePosition(area.width, area.height));
    }
}

void CX11Window::addDamage(const SPixelRect& area)
{
    m_damage.add(clipTo(area, m_area.width, m_area.height));
}

void CX11Window::invalidate(const SPixelRect* area)
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return;
    }
    addDamage(area != nullptr ? *area : SPixelRect{0, 0, m_area.width, m_area.height});
}

bool CX11Window::setOpacity(int alpha)
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return false;
    }
    const Atom opacity = m_system.getAtom("_NET_WM_WINDOW_OPACITY");
    const int clamped = std::clamp(alpha, 0, 255);
    if (clamped == 255)
    {
        XDeleteProperty(m_display, m_window, opacity);
    }
    else
    {
        // The property is a 32-bit fraction of full opacity.
        const unsigned long value = static_cast<unsigned long>(clamped) * 0xFFFFFFFFul / 255ul;
        XChangeProperty(m_display, m_window, opacity, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
    }
    XSync(m_display, False);
    return true;
}

void CX11Window::bringToForeground()
{
    const CX11ErrorTrap trap;
    if (m_window != 0)
    {
        XRaiseWindow(m_display, m_window);
        XSync(m_display, False);
    }
}

bool CX11Window::startTimer(long id, long milliseconds)
{
    if (m_window == 0)
    {
        return false;
    }
    m_system.startTimer(this, id, milliseconds);
    return true;
}

void CX11Window::stopTimer(long id)
{
    m_system.stopTimer(this, id);
}

void CX11Window::setCursor(uintptr_t cursor)
{
    // Controls set their cursor on every move they see (Win32 resets it on each one); an X window
    // keeps its cursor, so only a change goes to the server.
    if (m_window == 0 || cursor == 0 || cursor == m_cursor)
    {
        return;
    }
    const CX11ErrorTrap trap;
    XDefineCursor(m_display, m_window, static_cast<Cursor>(cursor));
    XSync(m_display, False);
    m_cursor = cursor;
}

void CX11Window::captureMouse()
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return;
    }
    // A grab can fail (window not yet viewable); the capture still routes this process's view of it.
    XGrabPointer(m_display, m_window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    m_system.syncAndTakeError();
    m_system.setCapture(this);
}

void CX11Window::releaseMouse()
{
    const CX11ErrorTrap trap;
    if (m_system.getCapture() == nullptr)
    {
        return;
    }
    if (m_display != nullptr)
    {
        XUngrabPointer(m_display, CurrentTime);
        XSync(m_display, False);
    }
    m_system.setCapture(nullptr);
}

bool CX11Window::hasMouseCapture() const
{
    return m_window != 0 && m_system.getCapture() == this;
}

void CX11Window::trackMouseLeave()
{
    m_trackingLeave = true;
}

SPixelRect CX11Window::beginPaint()
{
    const CX11ErrorTrap trap;
    m_painting = true;
    m_paintBegun = true;
    const SPixelRect area = clipTo(m_paintArea, m_area.width, m_area.height);
    m_paintArea = {};
    return area;
}

void CX11Window::present(IDrawingSurface& surface, const SPixelRect& area)
{
    const CX11ErrorTrap trap;
    auto* source = dynamic_cast<CCairoSurface*>(&surface);
    if (m_window == 0 || source == nullptr || area.isEmpty())
    {
        return;
    }
    if (putPixels(surface, area))
    {
        XFlush(m_display);
        return;
    }
    // Any other visual: cairo converts.
    cairo_surface_t* target = cairo_xlib_surface_create(
        m_display, m_window, m_visual, std::max(m_area.width, 1), std::max(m_area.height, 1));
    cairo_t* context = cairo_create(target);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(context, source->getCairoSurface(), 0, 0);
    cairo_rectangle(context, area.x, area.y, area.width, area.height);
    cairo_fill(context);
    cairo_destroy(context);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    XFlush(m_display);
}

bool CX11Window::putPixels(IDrawingSurface& surface, const SPixelRect& area)
{
    // 24- and 32-bit true-colour visuals keep 0x00RRGGBB words: the surface's pixels as they are.
    if (m_visual == nullptr || (m_depth != 24 && m_depth != 32) || m_visual->red_mask != 0xFF0000 ||
        m_visual->green_mask != 0xFF00 || m_visual->blue_mask != 0xFF)
    {
        return false;
    }
    const SPixelRect part = PixelTools::intersect(area, {0, 0, surface.getWidth(), surface.getHeight()});
    if (part.isEmpty())
    {
        return true;
    }
    if (m_gc == nullptr)
    {
        m_gc = XCreateGC(m_display, m_window, 0, nullptr);
    }
    int stride = 0;
    uint32_t* pixels = surface.lockPixels(stride);
    XImage* image = XCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels), static_cast<unsigned>(surface.getWidth()),
                                 static_cast<unsigned>(surface.getHeight()), 32, stride * 4);
    if (image == nullptr)
    {
        surface.unlockPixels();
        return false;
    }
    // The words are in this machine's byte order; Xlib swaps them when the server's differs.
    const uint32_t probe = 1;
    image->byte_order = *reinterpret_cast<const unsigned char*>(&probe) == 1 ? LSBFirst : MSBFirst;
    XPutImage(m_display, m_window, m_gc, image, part.x, part.y, part.x, part.y,
              static_cast<unsigned>(part.width), static_cast<unsigned>(part.height));
    image->data = nullptr; // the pixels belong to the surface
    XDestroyImage(image);
    surface.unlockPixels();
    return true;
}

void CX11Window::endPaint()
{
    const CX11ErrorTrap trap;
    m_painting = false;
    if (m_display != nullptr)
    {
        XSync(m_display, False);
    }
}

bool CX11Window::paintIfNeeded()
{
    const CX11ErrorTrap trap;
    if (m_window == 0 || !m_visible || m_painting || m_damage.isEmpty())
    {
        return false;
    }
    // One Paint per waiting area. A handler that does not paint still validates its area, as
    // the system's default would; what is invalidated meanwhile (by drawing code that updates
    // a control, say) waits for the next round.
    const PixelTools::CDamage pending = m_damage;
    m_damage.clear();
    for (int index = 0; index < pending.count() && m_window != 0; ++index)
    {
        m_paintArea = pending.at(index);
        m_paintBegun = false;
        send(Message::Paint);
        m_painting = false;
    }
    m_paintArea = {};
    return true;
}

int CX11Window::translateKey(uintptr_t, intptr_t keyData)
{
    if (m_display == nullptr)
    {
        return -1;
    }
    XKeyEvent event{};
    event.type = KeyPress;
    event.display = m_display;
    event.window = m_window;
    event.state = static_cast<unsigned>(keyData & 0xFFFF);
    event.keycode = static_cast<unsigned>((keyData >> 16) & 0xFF);
    std::array<char, 8> buffer{};
    KeySym keysym = 0;
    const int count = XLookupString(&event, buffer.data(), static_cast<int>(buffer.size()), &keysym, nullptr);
    return count == 1 ? static_cast<unsigned char>(buffer[0]) : -1;
}

SPixelRect CX11Window::getScreenRect() const
{
    const CX11ErrorTrap trap;
    if (m_window == 0)
    {
        return {};
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, m_window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y, m_area.width, m_area.height};
}

SPixelSize CX11Window::getClientSize() const
{
    const CX11ErrorTrap trap;
    return {m_area.width, m_area.height};
}

bool CX11Window::getDroppedFiles(uintptr_t drop, SDroppedFiles& out)
{
    const CX11ErrorTrap trap;
    if (drop == 0 || drop != m_dropHandle)
    {
        return false;
    }
    out.point = m_dropPoint;
    out.files = m_droppedFiles;
    return true;
}

void CX11Window::finishDrop(uintptr_t drop)
{
    const CX11ErrorTrap trap;
    if (drop == 0 || drop != m_dropHandle)
    {
        return;
    }
    sendToDragSource("XdndFinished", 1);
    m_dropHandle = 0;
    m_droppedFiles.clear();
    m_dragSource = 0;
}

void CX11Window::sendToDragSource(const char* type, long accepted)
{
    const CX11ErrorTrap trap;
    if (m_dragSource == 0 || m_window == 0)
    {
        return;
    }
    const Atom copy = m_system.getAtom("XdndActionCopy");
    const bool finished = std::string(type) == "XdndFinished";
    XEvent reply{};
    reply.xclient.type = ClientMessage;
    reply.xclient.display = m_display;
    reply.xclient.window = m_dragSource;
    reply.xclient.message_type = m_system.getAtom(type);
    reply.xclient.format = 32;
    reply.xclient.data.l[0] = static_cast<long>(m_window);
    reply.xclient.data.l[1] = accepted;
    // Status carries no rectangle (every move is reported again) and the action in its last item;
    // Finished carries the action that was performed.
    if (finished)
    {
        reply.xclient.data.l[2] = accepted != 0 ? static_cast<long>(copy) : 0;
    }
    else
    {
        reply.xclient.data.l[4] = accepted != 0 ? static_cast<long>(copy) : 0;
    }
    XSendEvent(m_display, m_dragSource, False, NoEventMask, &reply);
    XFlush(m_display);
}

void CX11Window::handleDragMessage(const XClientMessageEvent& event)
{
    const Atom type = event.message_type;
    const auto source = static_cast<Window>(event.data.l[0]);
    if (type == m_system.getAtom("XdndEnter"))
    {
        m_dragSource = source;
    }
    else if (type == m_system.getAtom("XdndPosition"))
    {
        m_dragSource = source;
        const int rootX = static_cast<int>((event.data.l[2] >> 16) & 0xFFFF);
        const int rootY = static_cast<int>(event.data.l[2] & 0xFFFF);
        Window child = 0;
        XTranslateCoordinates(m_display, DefaultRootWindow(m_display), m_window, rootX, rootY, &m_dropPoint.x,
                              &m_dropPoint.y, &child);
        sendToDragSource("XdndStatus", m_enabled ? 1 : 0);
    }
    else if (type == m_system.getAtom("XdndLeave"))
    {
        m_dragSource = 0;
    }
    else if (type == m_system.getAtom("XdndDrop"))
    {
        m_dragSource = source;
        if (!m_enabled)
        {
            sendToDragSource("XdndFinished", 0);
            m_dragSource = 0;
            return;
        }
        // The file list arrives as a SelectionNotify once the source has converted it.
        XConvertSelection(m_display, m_system.getAtom("XdndSelection"), m_system.getAtom("text/uri-list"),
                          m_system.getAtom("VANTOR_DROPPED_FILES"), m_window,
                          static_cast<Time>(event.data.l[2]));
        XFlush(m_display);
    }
}

void CX11Window::handleDroppedData(const XSelectionEvent& event)
{
    if (m_dragSource == 0)
    {
        return;
    }
    std::string list;
    if (event.property != None)
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(m_display, m_window, event.property, 0, 1L << 20, True, AnyPropertyType, &type,
                           &format, &items, &remaining, &data);
        if (data != nullptr && format == 8)
        {
            list.assign(reinterpret_cast<const char*>(data), items);
        }
        XFree(data);
    }
    m_droppedFiles = UriList::parseFilePaths(list);
    if (m_droppedFiles.empty())
    {
        sendToDragSource("XdndFinished", 0);
        m_dragSource = 0;
        return;
    }
    m_dropHandle = ++m_lastDropHandle;
    const uintptr_t drop = m_dropHandle;
    send(Message::DropFiles, drop, 0);
    // The drop ends here even when nobody took the files.
    finishDrop(drop);
}

intptr_t CX11Window::defaultProcessing(const SNativeMessage& message)
{
    if (message.message == Message::Close)
    {
        destroy();
    }
    return 0;
}

void CX11Window::fireTimer(long id)
{
    if (m_sink != nullptr)
    {
        m_sink->timerFired(id);
    }
}

intptr_t CX11Window::send(int message, uintptr_t wParam, intptr_t lParam)
{
    return m_sink != nullptr ? m_sink->handleNativeMessage({message, wParam, lParam}) : 0;
}

bool CX11Window::losesCapture(const XEvent& event)
{
    constexpr unsigned kButtons = Button1Mask | Button2Mask | Button3Mask;
    switch (event.type)
    {
    case UnmapNotify:
        return event.xunmap.window == m_window;
    case MotionNotify:
        // The pointer moves with every button up: the release went to another window.
        return (event.xmotion.state & kButtons) == 0;
    case LeaveNotify:
    {
        if (event.xcrossing.mode == NotifyGrab)
        {
            return true; // another client took the pointer
        }
        // The grab ends when the window stops being viewable (the host hid its window).
        XWindowAttributes attributes{};
        return XGetWindowAttributes(m_display, m_window, &attributes) == 0 ||
               attributes.map_state != IsViewable;
    }
    default:
        return false;
    }
}

void CX11Window::loseCapture()
{
    releaseMouse();
    send(Message::CaptureChanged);
}

void CX11Window::handleEvent(XEvent& event)
{
    if (m_window != 0 && hasMouseCapture() && losesCapture(event))
    {
        loseCapture();
    }
    switch (event.type)
    {
    case Expose:
        addDamage({event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height});
        break;
    case ConfigureNotify:
        handleConfigure(event.xconfigure);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == m_window)
        {
            // Destroyed from outside, typically with the foreign parent.
            m_system.unregisterWindow(m_window);
            send(Message::Destroy);
            forgetWindow();
        }
        break;
    case FocusIn:
        if (event.xfocus.detail != NotifyPointer)
        {
            send(Message::SetFocus);
        }
        break;
    case FocusOut:
        if (event.xfocus.detail != NotifyPointer)
        {
            send(Message::KillFocus);
        }
        break;
    case ButtonPress:
    case ButtonRelease:
        handleButton(event.xbutton, event.type == ButtonPress);
        break;
    case MotionNotify:
        if (m_enabled)
        {
            m_lastMouse = {event.xmotion.x, event.xmotion.y};
            send(Message::MouseMove, keyStateOf(event.xmotion.state),
                 packMousePosition(event.xmotion.x, event.xmotion.y));
        }
        break;
    case LeaveNotify:
        if (m_trackingLeave && event.xcrossing.mode == NotifyNormal &&
            event.xcrossing.detail != NotifyInferior)
        {
            m_trackingLeave = false;
            send(Message::MouseLeave, keyStateOf(event.xcrossing.state),
                 packMousePosition(event.xcrossing.x, event.xcrossing.y));
        }
        break;
    case KeyPress:
    case KeyRelease:
        handleKey(event.xkey, event.type == KeyPress);
        break;
    case ClientMessage:
        if (event.xclient.message_type == m_system.getAtom("WM_PROTOCOLS"))
        {
            if (static_cast<Atom>(event.xclient.data.l[0]) == m_system.getAtom("WM_DELETE_WINDOW"))
            {
                send(Message::Close);
            }
        }
        else
        {
            handleDragMessage(event.xclient);
        }
        break;
    case SelectionNotify:
        handleDroppedData(event.xselection);
        break;
    default:
        break;
    }
}

void CX11Window::handleConfigure(const XConfigureEvent& event)
{
    int x = event.x;
    int y = event.y;
    if (m_topLevel && !event.send_event)
    {
        // Real events of a managed window are relative to the manager's frame: ask for the screen place.
        Window child = 0;
        XTranslateCoordinates(m_display, m_window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    }
    if (x != m_area.x || y != m_area.y)
    {
        m_area.x = x;
        m_area.y = y;
        send(Message::Move, 0, packMousePosition(x, y));
    }
    if (event.width != m_area.width || event.height != m_area.height)
    {
        m_area.width = event.width;
        m_area.height = event.height;
        invalidate(nullptr);
        send(Message::Size, 0, packMousePosition(event.width, event.height));
    }
}

void CX11Window::handleButton(const XButtonEvent& event, bool pressed)
{
    if (!m_enabled)
    {
        return;
    }
    m_lastMouse = {event.x, event.y};
    const intptr_t position = packMousePosition(event.x, event.y);
    if (event.button == Button4 || event.button == Button5)
    {
        if (pressed)
        {
            const int delta = event.button == Button4 ? kWheelNotch : -kWheelNotch;
            const uintptr_t wParam =
                (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | keyStateOf(event.state);
            send(Message::MouseWheel, wParam, packMousePosition(event.x_root, event.y_root));
        }
        return;
    }
    // The state is that before the event; messages carry the state after it.
    const uintptr_t flag = buttonFlag(event.button);
    const uintptr_t keyState = pressed ? (keyStateOf(event.state) | flag) : (keyStateOf(event.state) & ~flag);
    if (event.button == Button1)
    {
        if (pressed)
        {
            const bool doubleClick = m_lastLeftPress != 0 &&
                                     event.time - m_lastLeftPress <= kDoubleClickMilliseconds &&
                                     std::abs(event.x - m_lastLeftPressAt.x) <= kDoubleClickDistance &&
                                     std::abs(event.y - m_lastLeftPressAt.y) <= kDoubleClickDistance;
            // A third press starts a new pair.
            m_lastLeftPress = doubleClick ? 0 : std::max<Time>(event.time, 1);
            m_lastLeftPressAt = {event.x, event.y};
            send(doubleClick ? Message::LeftButtonDoubleClick : Message::LeftButtonDown, keyState, position);
        }
        else
        {
            send(Message::LeftButtonUp, keyState, position);
        }
    }
    else if (event.button == Button3)
    {
        send(pressed ? Message::RightButtonDown : Message::RightButtonUp, keyState, position);
    }
}

void CX11Window::handleKey(XKeyEvent& event, bool pressed)
{
    if (!m_enabled)
    {
        return;
    }
    if (!pressed && XEventsQueued(m_display, QueuedAfterReading) > 0)
    {
        // Auto-repeat shows as release + press at the same time; like Win32, report only the presses.
        XEvent next;
        XPeekEvent(m_display, &next);
        if (next.type == KeyPress && next.xkey.window == event.window && next.xkey.keycode == event.keycode &&
            next.xkey.time == event.time)
        {
            return;
        }
    }
    const int virtualKey = X11Keys::virtualKeyFromKeysym(XLookupKeysym(&event, 0));
    send(pressed ? Message::KeyDown : Message::KeyUp, static_cast<uintptr_t>(virtualKey),
         packKeyData(event.state, event.keycode, !pressed));
}

} // namespace Vantor::Platform
