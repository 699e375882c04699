#include "framework/gui/controls/Knob.hpp"

#include <algorithm>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/MouseEvent.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CKnob, "CKnob", "CAnimation")

CKnob::CKnob(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
             Events::IActionListener* listener)
    : CAnimation(root, uniqueId, area)
{
    m_actionListener = listener;
    m_mouseEnabled = true;
}

void CKnob::changeValue(double value)
{
    const double previous = m_value;
    setValue(std::clamp(value, 0.0, 1.0));
    if (m_value != previous)
    {
        report();
    }
}

void CKnob::report()
{
    update();
    if (m_actionListener)
    {
        m_actionListener->handleActionEvent(Events::CActionEvent(this));
    }
}

void CKnob::reportGesture(bool begins)
{
    if (m_actionListener)
    {
        const Events::CActionEvent event(this);
        if (begins)
        {
            m_actionListener->handleGestureBegin(event);
        }
        else
        {
            m_actionListener->handleGestureEnd(event);
        }
    }
}

void CKnob::handleLeftButtonDown(Events::CMouseEvent& event)
{
    if (m_dragging)
    {
        // The last drag's release never came: that gesture ends before the next begins.
        endDrag();
    }
    m_dragging = true;
    m_dragOrigin = event.getMousePosition();
    m_anchorValue = m_value;
    m_coefficient = kDragCoefficient;
    m_root->lockControl(this);
    reportGesture(true);
}

void CKnob::handleMouseMovement(Events::CMouseEvent& event)
{
    if (!m_dragging)
    {
        return;
    }
    const MathTools::CPoint position = event.getMousePosition();
    // Right and up both turn the knob up.
    const double distance = static_cast<double>(position.getXPosition() - m_dragOrigin.getXPosition()) -
                            static_cast<double>(position.getYPosition() - m_dragOrigin.getYPosition());
    const double coefficient = event.isShiftDown() ? kFineDragCoefficient : kDragCoefficient;
    // Moving the anchor keeps the value where it is when Shift goes down or up mid-drag.
    m_anchorValue += (m_coefficient - coefficient) * distance;
    m_coefficient = coefficient;
    changeValue(m_anchorValue + coefficient * distance);
}

void CKnob::endDrag()
{
    m_dragging = false;
    m_dragOrigin.setPoint(0, 0);
    m_root->unlockControl();
    reportGesture(false);
}

void CKnob::handleLeftButtonUp(Events::CMouseEvent&)
{
    // A release without a drag (the second one of a double click) ends nothing.
    if (m_dragging)
    {
        endDrag();
    }
}

void CKnob::handleMouseCaptureLost()
{
    if (m_dragging)
    {
        endDrag();
    }
}

void CKnob::handleDoubleClick(Events::CMouseEvent&)
{
    if (m_dragging)
    {
        endDrag();
    }
    // Reported even when the knob already sits at its default.
    reportGesture(true);
    setValue(m_defaultValue);
    report();
    reportGesture(false);
}

void CKnob::handleMouseScroll(Events::CMouseEvent& event)
{
    const double step = event.isShiftDown() ? kFineWheelStep : kWheelStep;
    // One step per event, whatever the wheel turned.
    const double target = std::clamp(event.getWheelValue() > 0.0 ? m_value + step : m_value - step, 0.0, 1.0);
    if (target == m_value)
    {
        return;
    }
    // A step during a drag belongs to the drag's gesture.
    const bool ownGesture = !m_dragging;
    if (ownGesture)
    {
        reportGesture(true);
    }
    changeValue(target);
    if (ownGesture)
    {
        reportGesture(false);
    }
}

// ---- properties ----

void CKnob::getPropertyDescriptors(TDescriptorList& list) const
{
    CAnimation::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Default Value", CControlDescriptor::kDoubleProperty));
    list.addElement(new CControlDescriptor("Coefficient", CControlDescriptor::kDoubleProperty));
}

void CKnob::getProperty(CControlDescriptor& descriptor) const
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Default Value")
    {
        descriptor.setValue(m_defaultValue);
    }
    else if (name == "Coefficient")
    {
        descriptor.setValue(m_coefficient);
    }
    else
    {
        CAnimation::getProperty(descriptor);
    }
}

void CKnob::setProperty(const CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Default Value")
    {
        setDefaultValue(descriptor.getValueAsDouble());
    }
    else if (name == "Coefficient")
    {
        setCoefficient(descriptor.getValueAsDouble());
    }
    else
    {
        CAnimation::setProperty(descriptor);
    }
}

} // namespace Vantor::GUI::Controls
