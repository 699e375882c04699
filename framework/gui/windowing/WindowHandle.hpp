#pragma once
// The native side of one window: the platform's window object (while one
// exists) or, for a window the framework only wraps, the foreign native handle.

#include <cstdint>
#include <memory>

#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI::Windowing
{

struct SWindowHandle
{
    // The platform window; null until the window is created (or for wrapped foreign windows).
    std::unique_ptr<Platform::IWindowBackend> backend;
    // A foreign window's handle (for example the host's window a plug-in editor lives in).
    std::uintptr_t foreignHandle = 0;

    // The native handle: the platform window's, else the foreign one, else 0.
    std::uintptr_t getNativeHandle() const
    {
        return (backend && backend->exists()) ? backend->getNativeHandle() : foreignHandle;
    }
};

// The client area's top-left corner on the screen, estimated from the outer
// window rectangle and the client size (equal side borders, the rest on top);
// (0, 0) without a native window.
Platform::SPixelPoint getClientScreenOrigin(const SWindowHandle& handle);

// Mouse capture on a window.
void captureMouse(SWindowHandle& handle);
void releaseMouse(SWindowHandle& handle);
// Whether any window of the process holds the capture.
bool isMouseCaptured();
// Whether this window holds it.
bool hasMouseCapture(const SWindowHandle& handle);

} // namespace Vantor::GUI::Windowing
