#include "tests/gui/FakeWindowSystem.hpp"

namespace Vantor::Tests
{

Platform::IWindowBackend::ECreateResult
CFakeWindowBackend::create(const Platform::SWindowCreateParams& params, Platform::IWindowEventSink* sink)
{
    if (m_system.m_refuseClassRegistration)
    {
        return ECreateResult::ClassRegistrationFailed;
    }
    if (m_system.m_refuseCreation)
    {
        return ECreateResult::CreationFailed;
    }
    m_system.m_registeredClasses.insert(params.className);
    m_params = params;
    m_sink = sink;
    m_area = params.area;
    m_exists = true;
    m_visible = (params.style & Platform::WindowStyle::Visible) != 0;
    m_handle = m_system.m_nextHandle++;
    return ECreateResult::Created;
}

void CFakeWindowBackend::destroy()
{
    if (!m_exists)
    {
        return;
    }
    m_sink->handleNativeMessage({Platform::Message::Destroy, 0, 0});
    m_exists = false;
}

void CFakeWindowBackend::captureMouse()
{
    m_system.m_captureOwner = this;
}

void CFakeWindowBackend::releaseMouse()
{
    m_system.m_captureOwner = nullptr;
}

bool CFakeWindowBackend::hasMouseCapture() const
{
    return m_system.m_captureOwner == this;
}

void CFakeWindowBackend::present(Platform::IDrawingSurface& surface, const Platform::SPixelRect& area)
{
    m_presents++;
    if (!m_screen)
    {
        m_screen = Platform::createDrawingSurface(surface.getWidth(), surface.getHeight(), 0);
    }
    m_screen->drawSurface(surface, area, area, false, 255);
}

intptr_t CFakeWindowBackend::defaultProcessing(const Platform::SNativeMessage& message)
{
    m_defaultCalls++;
    if (message.message == Platform::Message::Close)
    {
        destroy();
    }
    return 0;
}

} // namespace Vantor::Tests
