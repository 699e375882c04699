#pragma once
// A rotary control drawn from a film strip. Dragging right or up turns it up
// (200 pixels for the whole range, 20000 with Shift held), the wheel steps it,
// a double click restores its default value; every change is reported to the
// action listener. Each gesture is bracketed for the listener: a drag begins at
// the press and ends at the release (or when the press loses its release), and a
// double click and each wheel step that moves the knob are gestures of their own.

#include "framework/gui/controls/Animation.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::GUI::Controls
{

class CKnob : public CAnimation
{
public:
    VANTOR_DECLARE_CLASS(CKnob);

    // Value change per pixel of a drag, without and with Shift.
    static constexpr double kDragCoefficient = 1.0 / 200.0;
    static constexpr double kFineDragCoefficient = 1.0 / 20000.0;
    // Value change per wheel event, without and with Shift.
    static constexpr double kWheelStep = 0.025;
    static constexpr double kFineWheelStep = 0.00625;

    CKnob(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
          Events::IActionListener* listener = nullptr);

    const char* getRuntimeClassName() const override { return "CKnob"; }

    // The value a double click restores (0.5 by default).
    virtual void setDefaultValue(double value) { m_defaultValue = value; }
    virtual void setCoefficient(double coefficient) { m_coefficient = coefficient; }
    double getDefaultValue() const { return m_defaultValue; }
    double getCoefficient() const { return m_coefficient; }
    bool isDragging() const { return m_dragging; }

    // Starts a drag and takes the root's lock until the button is released.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // Ends a drag whose release will never come, as the release would.
    void handleMouseCaptureLost() override;

    // Adds "Default Value" and "Coefficient".
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

private:
    // Stores a value the user made, kept in 0..1; repaints and reports it when it differs from the old one.
    void changeValue(double value);
    // Repaints and tells the action listener.
    void report();
    // Tells the action listener that a gesture begins or ends.
    void reportGesture(bool begins);
    void endDrag();

    double m_defaultValue = 0.5;
    double m_anchorValue = 0.0;
    double m_coefficient = kDragCoefficient;
    bool m_dragging = false;
    MathTools::CPoint m_dragOrigin;
};

} // namespace Vantor::GUI::Controls
