#include "framework/platform/x11/X11WindowSystem.hpp"

#include "framework/platform/x11/X11Keys.hpp"
#include "framework/platform/x11/X11Window.hpp"

#include "framework/platform/DrawingBackend.hpp"

#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <poll.h>

namespace Vantor::Platform
{

VANTOR_DEFINE_CLASS(Vantor::Platform::CX11WindowSystem, "CX11WindowSystem", "IWindowSystem")

namespace
{

// X errors of our own connection are recorded instead of ending the process. Xlib
// has one error handler for the whole process, shared with the host, so ours is
// only installed while our own code talks to our connection (CX11ErrorTrap):
// errors of our requests reach us whenever Xlib reads our connection, which only
// our calls do, and the host's handler stays in place at all other times. Errors
// of another connection that arrive meanwhile go on to the host's handler.
Display* g_errorDisplay = nullptr;
int g_lastErrorCode = 0;
XErrorHandler g_previousHandler = nullptr;
int g_trapDepth = 0;

int onXError(Display* display, XErrorEvent* event)
{
    if (display != nullptr && display == g_errorDisplay)
    {
        g_lastErrorCode = event->error_code;
        return 0;
    }
    return g_previousHandler != nullptr ? g_previousHandler(display, event) : 0;
}

IWindowSystem* g_installedSystem = nullptr;
bool g_alive = false;

} // namespace

CX11ErrorTrap::CX11ErrorTrap()
{
    if (g_trapDepth++ == 0)
    {
        g_previousHandler = XSetErrorHandler(onXError);
    }
}

CX11ErrorTrap::~CX11ErrorTrap()
{
    if (--g_trapDepth > 0)
    {
        return;
    }
    // Put back what was there before, unless someone replaced ours meanwhile: then
    // theirs stays.
    const XErrorHandler current = XSetErrorHandler(g_previousHandler);
    if (current != onXError)
    {
        XSetErrorHandler(current);
    }
    g_previousHandler = nullptr;
}

IWindowSystem& getWindowSystem()
{
    return g_installedSystem != nullptr ? *g_installedSystem : CX11WindowSystem::instance();
}

void setWindowSystem(IWindowSystem* system)
{
    g_installedSystem = system;
}

CX11WindowSystem& CX11WindowSystem::instance()
{
    static CX11WindowSystem system;
    return system;
}

CX11WindowSystem::CX11WindowSystem()
{
    g_alive = true;
}

bool CX11WindowSystem::isAlive()
{
    return g_alive;
}

CX11WindowSystem::~CX11WindowSystem()
{
    const CX11ErrorTrap trap;
    g_alive = false;
    shutdown();
}

void CX11WindowSystem::shutdown()
{
    const CX11ErrorTrap trap;
    m_windows.clear();
    m_timers.clear();
    m_captureWindow = nullptr;
    m_triedToOpen = false;
    if (m_display != nullptr)
    {
        XCloseDisplay(m_display);
        g_errorDisplay = nullptr;
        m_display = nullptr;
    }
}

Display* CX11WindowSystem::getDisplay()
{
    // A server that did not answer is asked again, but not more than once a second.
    const auto now = TClock::now();
    if (m_display == nullptr && (!m_triedToOpen || now - m_lastOpenAttempt >= std::chrono::seconds(1)))
    {
        m_triedToOpen = true;
        m_lastOpenAttempt = now;
        m_display = XOpenDisplay(nullptr);
        if (m_display != nullptr)
        {
            g_errorDisplay = m_display;
        }
    }
    return m_display;
}

Atom CX11WindowSystem::getAtom(const char* name)
{
    const CX11ErrorTrap trap;
    Display* display = getDisplay();
    return display != nullptr ? XInternAtom(display, name, False) : None;
}

int CX11WindowSystem::syncAndTakeError()
{
    const CX11ErrorTrap trap;
    if (m_display != nullptr)
    {
        XSync(m_display, False);
    }
    const int code = g_lastErrorCode;
    g_lastErrorCode = 0;
    return code;
}

std::string CX11WindowSystem::describeError(int code)
{
    const CX11ErrorTrap trap;
    std::array<char, 256> text{};
    if (m_display != nullptr)
    {
        XGetErrorText(m_display, code, text.data(), static_cast<int>(text.size()));
    }
    return text.data();
}

std::unique_ptr<IWindowBackend> CX11WindowSystem::createWindowBackend()
{
    return std::make_unique<CX11Window>(*this);
}

SPixelSize CX11WindowSystem::getScreenSize()
{
    const CX11ErrorTrap trap;
    Display* display = getDisplay();
    if (display == nullptr)
    {
        return {};
    }
    const int screen = DefaultScreen(display);
    return {DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

double CX11WindowSystem::findXftDpi(const std::string& resources)
{
    std::size_t start = 0;
    while (start < resources.size())
    {
        std::size_t end = resources.find('\n', start);
        if (end == std::string::npos)
        {
            end = resources.size();
        }
        const std::string line = resources.substr(start, end - start);
        start = end + 1;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
        {
            continue;
        }
        std::string name = line.substr(0, colon);
        name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == ' ' || c == '\t'; }),
                   name.end());
        if (name != "Xft.dpi" && name != "*dpi" && name != "Xft*dpi")
        {
            continue;
        }
        const std::string value = line.substr(colon + 1);
        char* parsed = nullptr;
        const double dpi = std::strtod(value.c_str(), &parsed);
        if (parsed != value.c_str() && std::isfinite(dpi) && dpi > 0.0)
        {
            return dpi;
        }
    }
    return 0.0;
}

double CX11WindowSystem::getDesktopScale(uintptr_t)
{
    const CX11ErrorTrap trap;
    Display* display = getDisplay();
    if (display == nullptr)
    {
        return 0.0;
    }
    // Read from the server each time (xrdb may have changed it since the connection opened).
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, 0, 1 << 16, False,
                           XA_STRING, &type, &format, &count, &remaining, &data);
    std::string resources;
    if (status == Success && data != nullptr && format == 8)
    {
        resources.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr)
    {
        XFree(data);
    }
    const double dpi = findXftDpi(resources);
    return dpi > 0.0 ? dpi / 96.0 : 0.0;
}

SPixelRect CX11WindowSystem::getPrimaryMonitorArea()
{
    const CX11ErrorTrap trap;
    const SPixelSize screen = getScreenSize();
    SPixelRect area{0, 0, screen.width, screen.height};
    Display* display = m_display;
    int eventBase = 0;
    int errorBase = 0;
    if (display == nullptr || !XRRQueryExtension(display, &eventBase, &errorBase))
    {
        return area;
    }
    const Window root = DefaultRootWindow(display);
    const RROutput primary = XRRGetOutputPrimary(display, root);
    XRRScreenResources* resources = primary != None ? XRRGetScreenResourcesCurrent(display, root) : nullptr;
    if (resources == nullptr)
    {
        return area;
    }
    if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary))
    {
        if (output->crtc != None)
        {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc))
            {
                if (crtc->width > 0 && crtc->height > 0)
                {
                    area = {crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
                }
                XRRFreeCrtcInfo(crtc);
            }
        }
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return area;
}

std::unique_ptr<IDrawingSurface> captureWindow(uintptr_t nativeHandle)
{
    const CX11ErrorTrap trap;
    Display* display = CX11WindowSystem::instance().getDisplay();
    if (display == nullptr || nativeHandle == 0)
    {
        return nullptr;
    }
    CX11WindowSystem::instance().syncAndTakeError();
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, static_cast<Window>(nativeHandle), &attributes) == 0 ||
        CX11WindowSystem::instance().syncAndTakeError() != 0)
    {
        return nullptr;
    }
    XImage* image =
        XGetImage(display, static_cast<Window>(nativeHandle), 0, 0, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    CX11WindowSystem::instance().syncAndTakeError();
    if (image == nullptr)
    {
        return nullptr;
    }
    auto surface = createDrawingSurface(attributes.width, attributes.height);
    if (surface)
    {
        int stride = 0;
        uint32_t* pixels = surface->lockPixels(stride);
        for (int y = 0; y < attributes.height; ++y)
        {
            for (int x = 0; x < attributes.width; ++x)
            {
                const unsigned long pixel = XGetPixel(image, x, y);
                const auto component = [pixel](unsigned long mask)
                {
                    if (mask == 0)
                    {
                        return 0u;
                    }
                    const int shift = __builtin_ctzl(mask);
                    const unsigned long maximum = mask >> shift;
                    return static_cast<unsigned>(((pixel & mask) >> shift) * 255ul / maximum);
                };
                pixels[static_cast<size_t>(y) * stride + x] =
                    makeColour(static_cast<int>(component(image->red_mask)),
                               static_cast<int>(component(image->green_mask)),
                               static_cast<int>(component(image->blue_mask)));
            }
        }
        surface->unlockPixels();
    }
    XDestroyImage(image);
    return surface;
}

uintptr_t CX11WindowSystem::createCursor(int number)
{
    const CX11ErrorTrap trap;
    // Font cursors for the framework's cursor numbers; unknown numbers give the arrow.
    static constexpr std::array<unsigned, 8> kShapes{XC_left_ptr,
                                                     XC_hand2,
                                                     XC_watch,
                                                     XC_sb_v_double_arrow,
                                                     XC_sb_h_double_arrow,
                                                     XC_xterm,
                                                     XC_bottom_right_corner,
                                                     XC_fleur};
    Display* display = getDisplay();
    if (display == nullptr)
    {
        return 0;
    }
    const unsigned shape =
        number >= 0 && number < static_cast<int>(kShapes.size()) ? kShapes[number] : XC_left_ptr;
    return XCreateFontCursor(display, shape);
}

void CX11WindowSystem::destroyCursor(uintptr_t cursor)
{
    const CX11ErrorTrap trap;
    if (cursor != 0 && m_display != nullptr)
    {
        XFreeCursor(m_display, static_cast<Cursor>(cursor));
    }
}

bool CX11WindowSystem::isKeyDown(int virtualKey)
{
    const CX11ErrorTrap trap;
    Display* display = getDisplay();
    if (display == nullptr)
    {
        return false;
    }
    std::array<char, 32> keys{};
    XQueryKeymap(display, keys.data());
    for (const KeySym keysym : X11Keys::keysymsOfVirtualKey(virtualKey))
    {
        const KeyCode code = XKeysymToKeycode(display, keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0)
        {
            return true;
        }
    }
    return false;
}

SPixelPoint CX11WindowSystem::getCursorPosition()
{
    const CX11ErrorTrap trap;
    Display* display = getDisplay();
    if (display == nullptr)
    {
        return {};
    }
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                  &mask);
    return {rootX, rootY};
}

bool CX11WindowSystem::isMouseCaptured()
{
    return m_captureWindow != nullptr;
}

void CX11WindowSystem::postQuit(int)
{
    m_quit = true;
}

void CX11WindowSystem::pumpEmbeddedWindows()
{
    if (m_display == nullptr)
    {
        return;
    }
    const bool quit = m_quit;
    processEvents(0);
    m_quit = quit;
}

void CX11WindowSystem::registerWindow(Window window, CX11Window* owner)
{
    m_windows[window] = owner;
}

void CX11WindowSystem::unregisterWindow(Window window)
{
    const auto found = m_windows.find(window);
    if (found == m_windows.end())
    {
        return;
    }
    CX11Window* owner = found->second;
    m_windows.erase(found);
    stopTimers(owner);
    if (m_captureWindow == owner)
    {
        m_captureWindow = nullptr;
    }
}

void CX11WindowSystem::startTimer(CX11Window* window, long id, long milliseconds)
{
    stopTimer(window, id);
    const auto interval = std::chrono::milliseconds(std::max(milliseconds, 1L));
    m_timers.push_back({window, id, interval, TClock::now() + interval});
}

void CX11WindowSystem::stopTimer(CX11Window* window, long id)
{
    std::erase_if(m_timers, [&](const STimer& timer) { return timer.window == window && timer.id == id; });
}

void CX11WindowSystem::stopTimers(CX11Window* window)
{
    std::erase_if(m_timers, [&](const STimer& timer) { return timer.window == window; });
}

bool CX11WindowSystem::dispatchPending()
{
    const CX11ErrorTrap trap;
    bool delivered = false;
    while (m_display != nullptr && XPending(m_display) > 0)
    {
        XEvent event;
        XNextEvent(m_display, &event);
        const auto found = m_windows.find(event.xany.window);
        if (found != m_windows.end())
        {
            found->second->handleEvent(event);
            delivered = true;
        }
    }
    return delivered;
}

bool CX11WindowSystem::fireDueTimers()
{
    const CX11ErrorTrap trap;
    // A handler may start or stop timers, so each due timer is looked up again before it fires.
    const auto now = TClock::now();
    std::vector<std::pair<CX11Window*, long>> due;
    for (STimer& timer : m_timers)
    {
        if (timer.due <= now)
        {
            due.emplace_back(timer.window, timer.id);
            timer.due = now + timer.interval;
        }
    }
    for (const auto& entry : due)
    {
        CX11Window* const window = entry.first;
        const long id = entry.second;
        const bool stillRunning =
            std::any_of(m_timers.begin(), m_timers.end(),
                        [&](const STimer& timer) { return timer.window == window && timer.id == id; });
        if (stillRunning)
        {
            window->fireTimer(id);
        }
    }
    return !due.empty();
}

bool CX11WindowSystem::deliverPaints()
{
    const CX11ErrorTrap trap;
    // Collect first: painting may create or destroy windows.
    std::vector<Window> ids;
    for (const auto& entry : m_windows)
    {
        ids.push_back(entry.first);
    }
    bool painted = false;
    for (const Window id : ids)
    {
        const auto found = m_windows.find(id);
        if (found != m_windows.end())
        {
            painted = found->second->paintIfNeeded() || painted;
        }
    }
    return painted;
}

int CX11WindowSystem::millisecondsToNextTimer() const
{
    if (m_timers.empty())
    {
        return -1;
    }
    const auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                       [](const STimer& a, const STimer& b) { return a.due < b.due; })
                          ->due;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - TClock::now()).count();
    return static_cast<int>(std::max<long long>(wait, 0));
}

int CX11WindowSystem::pendingEvents()
{
    const CX11ErrorTrap trap;
    return XPending(m_display);
}

bool CX11WindowSystem::processEvents(int timeoutMilliseconds)
{
    const auto deadline = TClock::now() + std::chrono::milliseconds(std::max(timeoutMilliseconds, 0));
    for (;;)
    {
        bool delivered = dispatchPending();
        delivered = fireDueTimers() || delivered;
        delivered = deliverPaints() || delivered;
        if (m_display != nullptr)
        {
            const CX11ErrorTrap trap;
            XFlush(m_display);
        }
        if (m_quit)
        {
            m_quit = false;
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
        if (delivered || left <= 0)
        {
            return true;
        }
        int wait = static_cast<int>(left);
        const int timerWait = millisecondsToNextTimer();
        if (timerWait >= 0)
        {
            wait = std::min(wait, timerWait);
        }
        if (m_display != nullptr && pendingEvents() == 0)
        {
            pollfd descriptor{ConnectionNumber(m_display), POLLIN, 0};
            poll(&descriptor, 1, wait);
        }
        else if (m_display == nullptr)
        {
            pollfd none{-1, 0, 0};
            poll(&none, 0, wait);
        }
    }
}

} // namespace Vantor::Platform
