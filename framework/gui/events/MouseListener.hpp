#pragma once
// Receives the mouse events of a window, a control root or a control.

namespace Vantor::GUI::Events
{

class CMouseEvent;

class IMouseListener
{
public:
    virtual ~IMouseListener() = default;

    virtual void handleLeftButtonDown(CMouseEvent& event) = 0;
    virtual void handleLeftButtonUp(CMouseEvent& event) = 0;
    virtual void handleRightButtonDown(CMouseEvent& event) = 0;
    virtual void handleRightButtonUp(CMouseEvent& event) = 0;
    virtual void handleDoubleClick(CMouseEvent& event) = 0;
    virtual void handleMouseScroll(CMouseEvent& event) = 0;
    virtual void handleMouseMovement(CMouseEvent& event) = 0;
    virtual void handleMouseLeavingArea(CMouseEvent& event) = 0;
    // A press will get no release: the window closed or was hidden while the button was
    // held, or another window took the mouse. What the press started ends here.
    virtual void handleMouseCaptureLost() {}
};

} // namespace Vantor::GUI::Events
