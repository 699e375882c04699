#include "framework/gui/events/Mouse.hpp"

#include "framework/gui/events/Cursor.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI::Events
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Events::CMouse, "CMouse", "CCountedObject")

CMouse::CMouse() = default;

void CMouse::setCursor(CCursor* cursor)
{
    if (cursor == nullptr)
    {
        return;
    }
    m_cursor = cursor;
    if (m_backend)
    {
        m_backend->setCursor(cursor->getNativeCursor());
    }
}

CCursor* CMouse::getCursor() const
{
    return m_cursor ? m_cursor : CCursor::getDefaultCursor();
}

} // namespace Vantor::GUI::Events
