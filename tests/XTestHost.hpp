#pragma once
// The host's side of a built editor on a real X server, for the tests that drive
// it like a user and a host: a connection of the test's own, a parent window at
// (40, 40), the windows and pixels read back, XTest for the mouse, and the
// host's idle calls until the other connection's work shows.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace Vantor::Testing
{

class CXTestHost
{
public:
    CXTestHost() : m_display(XOpenDisplay(nullptr)) {}
    virtual ~CXTestHost()
    {
        if (m_display != nullptr)
        {
            if (m_parent != 0)
            {
                XDestroyWindow(m_display, m_parent);
            }
            XCloseDisplay(m_display);
        }
    }
    CXTestHost(const CXTestHost&) = delete;
    CXTestHost& operator=(const CXTestHost&) = delete;

    Display* display() const { return m_display; }
    Window parent() const { return m_parent; }

    // Why the mouse cannot be driven here (no server, no XTest), or "".
    std::string whyNoXTest() const
    {
        int event = 0, error = 0, major = 0, minor = 0;
        if (m_display == nullptr)
        {
            return "no X server";
        }
        return XTestQueryExtension(m_display, &event, &error, &major, &minor) ? ""
                                                                              : "the X server has no XTest";
    }

    // The host's editor frame: a plain top-level window of the editor's size, at (40, 40)
    // unless placed elsewhere.
    void makeParent(int width, int height, int left = 40, int top = 40)
    {
        m_left = left;
        m_top = top;
        m_parent = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), left, top,
                                       static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True; // placed exactly, whatever window manager runs
        XChangeWindowAttributes(m_display, m_parent, CWOverrideRedirect, &attributes);
        XMapRaised(m_display, m_parent);
        XSync(m_display, False);
    }
    // Unmaps or maps the host's window, as a host hides and shows its editor frame.
    void showParent(bool shown)
    {
        if (shown)
        {
            XMapRaised(m_display, m_parent);
        }
        else
        {
            XUnmapWindow(m_display, m_parent);
        }
        XSync(m_display, False);
    }
    void destroyParent()
    {
        XDestroyWindow(m_display, m_parent);
        XSync(m_display, False);
        m_parent = 0;
    }

    std::vector<Window> children(Window window) const
    {
        Window root = 0, parentOfIt = 0;
        Window* list = nullptr;
        unsigned count = 0;
        std::vector<Window> result;
        if (XQueryTree(m_display, window, &root, &parentOfIt, &list, &count) != 0)
        {
            result.assign(list, list + count);
            XFree(list);
        }
        return result;
    }

    // A mapped top-level window other than the parent: the about window.
    Window shownTopLevel() const
    {
        for (Window window : children(DefaultRootWindow(m_display)))
        {
            XWindowAttributes attributes{};
            if (window != m_parent && XGetWindowAttributes(m_display, window, &attributes) != 0 &&
                attributes.map_state == IsViewable)
            {
                return window;
            }
        }
        return 0;
    }

    // The editor's scale: the places and sizes given to pixels() and moveTo() are
    // the panel's own, multiplied by it on the screen.
    void setScale(int scale) { m_scale = scale; }

    // Pixels of an area of the parent (the editor's child included) as 0xRRGGBB.
    std::vector<unsigned long> pixels(int x, int y, int width, int height) const
    {
        std::vector<unsigned long> result;
        x *= m_scale;
        y *= m_scale;
        width *= m_scale;
        height *= m_scale;
        XImage* image = XGetImage(m_display, m_parent, x, y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (image == nullptr)
        {
            return result;
        }
        for (int row = 0; row < height; ++row)
        {
            for (int column = 0; column < width; ++column)
            {
                result.push_back(XGetPixel(image, column, row));
            }
        }
        XDestroyImage(image);
        return result;
    }

    // XTest input at a point of the parent window, or of the screen.
    void moveTo(int x, int y) { moveOnScreen(m_left + x * m_scale, m_top + y * m_scale); }
    void moveOnScreen(int x, int y)
    {
        XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
        XSync(m_display, False);
    }
    void button(bool press)
    {
        XTestFakeButtonEvent(m_display, 1, press ? True : False, CurrentTime);
        XSync(m_display, False);
    }
    void click()
    {
        button(true);
        button(false);
    }

    // One host idle call (what `idleCall` does), then a moment for the server.
    void idle()
    {
        idleCall();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // Idle calls until the condition holds; false when it never did in 400 rounds.
    template <typename TCondition> bool idleUntil(TCondition condition)
    {
        for (int round = 0; round < 400; ++round)
        {
            idle();
            if (condition())
            {
                return true;
            }
        }
        return false;
    }
    std::function<void()> idleCall = [] {};

private:
    Display* m_display;
    Window m_parent = 0;
    int m_left = 40;
    int m_top = 40;
    int m_scale = 1;
};

// Text painted on a panel: the area holds more than one colour.
inline bool painted(const std::vector<unsigned long>& area)
{
    return std::any_of(area.begin(), area.end(), [&](unsigned long pixel) { return pixel != area[0]; });
}

} // namespace Vantor::Testing
