#include "framework/gui/windowing/WindowHandle.hpp"

namespace Vantor::GUI::Windowing
{

void captureMouse(SWindowHandle& handle)
{
    if (handle.backend)
    {
        handle.backend->captureMouse();
    }
}

void releaseMouse(SWindowHandle& handle)
{
    if (handle.backend)
    {
        handle.backend->releaseMouse();
    }
}

bool isMouseCaptured()
{
    return Platform::getWindowSystem().isMouseCaptured();
}

bool hasMouseCapture(const SWindowHandle& handle)
{
    return handle.backend && handle.backend->hasMouseCapture();
}

} // namespace Vantor::GUI::Windowing
