#include "framework/gui/events/MouseEvent.hpp"

#include "framework/gui/events/Mouse.hpp"

namespace Vantor::GUI::Events
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Events::CMouseEvent, "CMouseEvent", "CCountedObject")

CMouseEvent::CMouseEvent(long eventType, CMouse* mouse) : m_eventType(eventType), m_mouse(mouse) {}

MathTools::CPoint CMouseEvent::getMousePosition() const
{
    return m_mouse ? m_mouse->getPosition() : MathTools::CPoint();
}

void CMouseEvent::setMousePosition(const MathTools::CPoint& position)
{
    if (m_mouse)
    {
        m_mouse->setPosition(position);
    }
}

void CMouseEvent::setModifiers(bool control, bool shift, bool alt)
{
    m_controlDown = control;
    m_shiftDown = shift;
    m_altDown = alt;
}

void CMouseEvent::copyModifiers(const CMouseEvent& other)
{
    setModifiers(other.m_controlDown, other.m_shiftDown, other.m_altDown);
}

} // namespace Vantor::GUI::Events
