#pragma once
// One mouse event. Its position is that of the mouse it refers to, so the owner
// builds it once and reuses it for every message.

#include "framework/basics/CountedObject.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::GUI::Events
{

class CMouse;

class CMouseEvent : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CMouseEvent);

    enum EMouseEventType : long
    {
        kMouseMove = 512,
        kLeftButtonDown = 513,
        kLeftButtonUp = 514,
        kDoubleClick = 515,
        kRightButtonDown = 516,
        kRightButtonUp = 517,
        kMouseWheel = 522,
        kMouseLeaving = 675,
    };

    CMouseEvent(long eventType, CMouse* mouse);

    long getEventType() const { return m_eventType; }
    CMouse* getMouse() const { return m_mouse; }

    // The position of the mouse; (0, 0) without one.
    MathTools::CPoint getMousePosition() const;
    void setMousePosition(const MathTools::CPoint& position);

    // Notches turned, positive away from the user.
    double getWheelValue() const { return m_wheelValue; }
    void setWheelValue(double value) { m_wheelValue = value; }

    bool isControlDown() const { return m_controlDown; }
    bool isShiftDown() const { return m_shiftDown; }
    bool isAltDown() const { return m_altDown; }
    void setModifiers(bool control, bool shift, bool alt);
    // Takes the control, shift and alt flags of another event.
    void copyModifiers(const CMouseEvent& other);

private:
    long m_eventType;
    CMouse* m_mouse;
    double m_wheelValue = 0.0;
    bool m_controlDown = false;
    bool m_shiftDown = false;
    bool m_altDown = false;
};

} // namespace Vantor::GUI::Events
