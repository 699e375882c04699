#pragma once
// A control tells its owner that its value or state changed.

namespace Vantor::GUI::Events
{

class CActionEvent;

class IActionListener
{
public:
    virtual ~IActionListener() = default;

    virtual void handleActionEvent(const CActionEvent& event) = 0;
};

} // namespace Vantor::GUI::Events
