#include "framework/gui/windowing/WindowHandle.hpp"

namespace Vantor::GUI::Windowing
{

Platform::SPixelPoint getClientScreenOrigin(const SWindowHandle& handle)
{
    if (!handle.backend || !handle.backend->exists())
    {
        return {};
    }
    const Platform::SPixelRect outer = handle.backend->getScreenRect();
    const Platform::SPixelSize client = handle.backend->getClientSize();
    const int border = (outer.width - client.width) / 2;
    return {outer.x + border, outer.y + (outer.height - border - client.height)};
}

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
