#include "framework/gui/events/ActionEvent.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/gui/events/MouseEvent.hpp"

namespace Vantor::GUI::Events
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Events::CActionEvent, "CActionEvent", "CCountedObject")

namespace
{
Controls::IControl* requireControl(Controls::IControl* control)
{
    if (control == nullptr)
    {
        throw Exceptions::CException("Control is NULL", "CActionEvent::CActionEvent(IControl *control)");
    }
    return control;
}
} // namespace

CActionEvent::CActionEvent(Controls::IControl* control) : m_control(requireControl(control)) {}

CActionEvent::CActionEvent(Controls::IControl* control, const CMouseEvent& mouseEvent)
    : m_control(requireControl(control)), m_shiftDown(mouseEvent.isShiftDown()),
      m_altDown(mouseEvent.isAltDown()), m_controlDown(mouseEvent.isControlDown())
{
}

} // namespace Vantor::GUI::Events
