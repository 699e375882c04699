// Display queries on POSIX systems. The foundation library does not link
// the windowing system: the X client library is opened at run time, and
// without it or without a display every answer is 0.
//
// The libraries and one connection are kept from the first answer on, for as
// long as the process has a display; each query is then one request on that
// connection. Loading, connecting, closing and unloading for every query cost a
// connection each time and failed at random: a server that resets when its last
// client leaves refuses the next client for a moment.
#include "framework/platform/Display.hpp"

#include "framework/platform/Module.hpp"

#include <mutex>
#include <poll.h>

namespace Vantor::Platform
{

namespace
{

// Signatures of the few X client functions used; the display is opaque.
using OpenDisplay = void* (*)(const char*);
using CloseDisplay = int (*)(void*);
using ConnectionNumber = int (*)(void*);
using RootWindow = unsigned long (*)(void*);
using GetGeometry = int (*)(void*, unsigned long, unsigned long*, int*, int*, unsigned*, unsigned*, unsigned*,
                            unsigned*);
using GetMonitors = void* (*)(void*, unsigned long, int, int*);
using FreeMonitors = void (*)(void*);

template <typename Function> Function symbol(LibraryHandle library, const char* name)
{
    return reinterpret_cast<Function>(getLibrarySymbol(library, name));
}

struct SScreenSize
{
    long width = 0;
    long height = 0;
};

class CDisplayQueries
{
public:
    static CDisplayQueries& instance()
    {
        static CDisplayQueries queries;
        return queries;
    }

    ~CDisplayQueries()
    {
        if (m_display != nullptr && connectionIsAlive())
        {
            m_closeDisplay(m_display);
        }
        unload();
    }
    CDisplayQueries(const CDisplayQueries&) = delete;
    CDisplayQueries& operator=(const CDisplayQueries&) = delete;

    long monitors()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!connect())
        {
            return 0;
        }
        if (m_getMonitors == nullptr || m_freeMonitors == nullptr)
        {
            return 1; // a display without the extension shows one screen
        }
        int found = 0;
        if (void* list = m_getMonitors(m_display, m_rootWindow(m_display), 1, &found))
        {
            m_freeMonitors(list);
        }
        return found > 0 ? found : 1;
    }

    SScreenSize screenSize()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        SScreenSize size;
        if (!connect())
        {
            return size;
        }
        // The root window's size now, which follows the screen when it is resized.
        unsigned long root = 0;
        int x = 0;
        int y = 0;
        unsigned width = 0;
        unsigned height = 0;
        unsigned border = 0;
        unsigned depth = 0;
        if (m_getGeometry(m_display, m_rootWindow(m_display), &root, &x, &y, &width, &height, &border,
                          &depth) != 0)
        {
            size.width = width;
            size.height = height;
        }
        return size;
    }

private:
    CDisplayQueries() = default;

    // The kept connection, made when there is none (or the server went away); false when no
    // display answers, and then nothing stays loaded.
    bool connect()
    {
        if (m_display != nullptr && connectionIsAlive())
        {
            return true;
        }
        // A connection whose server went away is left alone: closing it would ask the dead
        // server, and the client library ends the process when that fails.
        m_display = nullptr;
        if (!load())
        {
            return false;
        }
        m_display = m_openDisplay(nullptr);
        if (m_display == nullptr && !m_keepLoaded)
        {
            unload();
        }
        // Once a connection was made, older ones may live on in the library: it stays.
        m_keepLoaded = m_keepLoaded || m_display != nullptr;
        return m_display != nullptr;
    }

    bool connectionIsAlive() const
    {
        pollfd descriptor{m_connectionNumber(m_display), 0, 0};
        return poll(&descriptor, 1, 0) == 0 || (descriptor.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
    }

    bool load()
    {
        if (m_x11 != nullptr)
        {
            return true;
        }
        m_x11 = loadLibrary("libX11.so.6");
        // The extension hooks itself into the display, so it stays loaded with it.
        m_randr = loadLibrary("libXrandr.so.2");
        m_openDisplay = symbol<OpenDisplay>(m_x11, "XOpenDisplay");
        m_closeDisplay = symbol<CloseDisplay>(m_x11, "XCloseDisplay");
        m_connectionNumber = symbol<ConnectionNumber>(m_x11, "XConnectionNumber");
        m_rootWindow = symbol<RootWindow>(m_x11, "XDefaultRootWindow");
        m_getGeometry = symbol<GetGeometry>(m_x11, "XGetGeometry");
        m_getMonitors = symbol<GetMonitors>(m_randr, "XRRGetMonitors");
        m_freeMonitors = symbol<FreeMonitors>(m_randr, "XRRFreeMonitors");
        if (m_openDisplay == nullptr || m_closeDisplay == nullptr || m_connectionNumber == nullptr ||
            m_rootWindow == nullptr || m_getGeometry == nullptr)
        {
            unload();
            return false;
        }
        return true;
    }

    void unload()
    {
        freeLibrary(m_randr);
        freeLibrary(m_x11);
        m_randr = nullptr;
        m_x11 = nullptr;
    }

    std::mutex m_mutex;
    LibraryHandle m_x11 = nullptr;
    LibraryHandle m_randr = nullptr;
    bool m_keepLoaded = false;
    void* m_display = nullptr;
    OpenDisplay m_openDisplay = nullptr;
    CloseDisplay m_closeDisplay = nullptr;
    ConnectionNumber m_connectionNumber = nullptr;
    RootWindow m_rootWindow = nullptr;
    GetGeometry m_getGeometry = nullptr;
    GetMonitors m_getMonitors = nullptr;
    FreeMonitors m_freeMonitors = nullptr;
};

} // namespace

long getNumberOfMonitors()
{
    return CDisplayQueries::instance().monitors();
}

long getScreenWidth()
{
    return CDisplayQueries::instance().screenSize().width;
}

long getScreenHeight()
{
    return CDisplayQueries::instance().screenSize().height;
}

} // namespace Vantor::Platform
