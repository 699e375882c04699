#pragma once
// A control tells its owner that its value or state changed, and when a gesture
// of the user's (a drag, a reset, a wheel step) begins and ends around such changes.

namespace Vantor::GUI::Events
{

class CActionEvent;

class IActionListener
{
public:
    virtual ~IActionListener() = default;

    virtual void handleActionEvent(const CActionEvent& event) = 0;
    // The user takes hold of the control (a press that starts a drag) or lets go of it
    // (the release, or the end of a press that lost its release). Every begin is followed
    // by one end; the value changes of the gesture arrive in between through
    // handleActionEvent. Listeners that do not care leave both alone.
    virtual void handleGestureBegin(const CActionEvent& /*event*/) {}
    virtual void handleGestureEnd(const CActionEvent& /*event*/) {}
};

} // namespace Vantor::GUI::Events
