// Display queries on POSIX systems. The foundation library does not link
// the windowing system: the X client library is opened at run time, and
// without it or without a display every answer is 0.
#include "framework/platform/Display.hpp"

#include "framework/platform/Module.hpp"

namespace Vantor::Platform
{

namespace
{

struct ScreenFacts
{
    long monitors = 0;
    long width = 0;
    long height = 0;
};

// Signatures of the few X client functions used; the display is opaque.
using OpenDisplay = void* (*)(const char*);
using CloseDisplay = int (*)(void*);
using DefaultScreen = int (*)(void*);
using ScreenSize = int (*)(void*, int);
using RootWindow = unsigned long (*)(void*);
using GetMonitors = void* (*)(void*, unsigned long, int, int*);
using FreeMonitors = void (*)(void*);

template <typename Function> Function symbol(LibraryHandle library, const char* name)
{
    return reinterpret_cast<Function>(getLibrarySymbol(library, name));
}

long countMonitors(LibraryHandle x11, LibraryHandle randr, void* display)
{
    auto rootWindow = symbol<RootWindow>(x11, "XDefaultRootWindow");
    auto getMonitors = symbol<GetMonitors>(randr, "XRRGetMonitors");
    auto freeMonitors = symbol<FreeMonitors>(randr, "XRRFreeMonitors");
    if (rootWindow == nullptr || getMonitors == nullptr || freeMonitors == nullptr)
    {
        return 1; // a display without the extension shows one screen
    }
    int found = 0;
    if (void* monitors = getMonitors(display, rootWindow(display), 1, &found))
    {
        freeMonitors(monitors);
    }
    return found > 0 ? found : 1;
}

ScreenFacts queryScreen()
{
    ScreenFacts facts;
    LibraryHandle x11 = loadLibrary("libX11.so.6");
    // The extension hooks itself into the display, so it must stay loaded
    // until the display is closed.
    LibraryHandle randr = loadLibrary("libXrandr.so.2");
    auto openDisplay = symbol<OpenDisplay>(x11, "XOpenDisplay");
    auto closeDisplay = symbol<CloseDisplay>(x11, "XCloseDisplay");
    auto defaultScreen = symbol<DefaultScreen>(x11, "XDefaultScreen");
    auto displayWidth = symbol<ScreenSize>(x11, "XDisplayWidth");
    auto displayHeight = symbol<ScreenSize>(x11, "XDisplayHeight");
    if (openDisplay != nullptr && closeDisplay != nullptr && defaultScreen != nullptr &&
        displayWidth != nullptr && displayHeight != nullptr)
    {
        if (void* display = openDisplay(nullptr))
        {
            const int screen = defaultScreen(display);
            facts.width = displayWidth(display, screen);
            facts.height = displayHeight(display, screen);
            facts.monitors = countMonitors(x11, randr, display);
            closeDisplay(display);
        }
    }
    freeLibrary(randr);
    freeLibrary(x11);
    return facts;
}

} // namespace

long getNumberOfMonitors()
{
    return queryScreen().monitors;
}

long getScreenWidth()
{
    return queryScreen().width;
}

long getScreenHeight()
{
    return queryScreen().height;
}

} // namespace Vantor::Platform
