#pragma once
// Sent by a control to its action listener when its value or state changed.

#include "framework/basics/CountedObject.hpp"

namespace Vantor::GUI::Controls
{
class IControl;
}

namespace Vantor::GUI::Events
{

class CMouseEvent;

class CActionEvent : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CActionEvent);

    // A null control throws CException ("Control is NULL"); the modifiers are false.
    explicit CActionEvent(Controls::IControl* control);
    // Takes the control, shift and alt flags of a mouse event.
    CActionEvent(Controls::IControl* control, const CMouseEvent& mouseEvent);

    Controls::IControl* getControl() const { return m_control; }

    // A number free for the control to use (0 by default).
    long getEvent() const { return m_event; }
    void setEvent(long event) { m_event = event; }

    bool isShiftDown() const { return m_shiftDown; }
    bool isAltDown() const { return m_altDown; }
    bool isControlDown() const { return m_controlDown; }

private:
    Controls::IControl* m_control;
    long m_event = 0;
    bool m_shiftDown = false;
    bool m_altDown = false;
    bool m_controlDown = false;
};

} // namespace Vantor::GUI::Events
