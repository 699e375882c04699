#pragma once
// Told when a window gains or loses the keyboard focus.

namespace Vantor::GUI::Windowing
{
class IWindow;
}

namespace Vantor::GUI::Events
{

class IFocusListener
{
public:
    virtual ~IFocusListener() = default;

    virtual void gainedFocus(Windowing::IWindow* window) = 0;
    virtual void lostFocus(Windowing::IWindow* window) = 0;
};

} // namespace Vantor::GUI::Events
