#pragma once
// Told when a window is resized, moved or asked to close.

#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::GUI::Windowing
{
class IWindow;
}

namespace Vantor::GUI::Events
{

class IWindowChangeListener
{
public:
    virtual ~IWindowChangeListener() = default;

    virtual void windowSized(Windowing::IWindow* window, const MathTools::CDimension& size) = 0;
    virtual void windowMoved(Windowing::IWindow* window, const MathTools::CPoint& position) = 0;
    // False keeps the window open.
    virtual bool windowClosed(Windowing::IWindow* window) = 0;
    // Further notifications; the framework's own windows leave them empty.
    virtual void windowMinimised(Windowing::IWindow* window) { (void)window; }
    virtual void windowMaximised(Windowing::IWindow* window) { (void)window; }
};

} // namespace Vantor::GUI::Events
