#include "framework/gui/controls/ButtonSupport.hpp"

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/Cursor.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/windowing/Window.hpp"

namespace Vantor::GUI::Controls::ButtonSupport
{

void showHandCursor(IControlRoot* root, bool hand)
{
    Windowing::IWindow* window = root->getParentWindow();
    if (window)
    {
        window->getMouse().setCursor(
            Events::CCursor::getCursor(hand ? Events::CCursor::kHandCursor : Events::CCursor::kArrowCursor));
    }
}

bool isInside(const IControl& control, const MathTools::CPoint& point)
{
    return CControlRoot::isInsideArea(control.getNormalisedArea(), point);
}

void holdMouse(IControl& button, IControlRoot* root)
{
    showHandCursor(root, true);
    root->lockControl(&button);
}

void releaseMouse(IControl& button, IControlRoot* root, const MathTools::CPoint& point)
{
    showHandCursor(root, isInside(button, point));
    root->unlockControl();
}

bool trackHover(IControl& button, IControlRoot* root, const MathTools::CPoint& point)
{
    const bool inside = isInside(button, point);
    showHandCursor(root, inside);
    if (inside)
    {
        root->lockControl(&button);
    }
    else
    {
        root->unlockControl();
    }
    return inside;
}

void reportAction(Events::IActionListener* listener, IControl& button)
{
    if (listener)
    {
        listener->handleActionEvent(Events::CActionEvent(&button));
    }
}

void drawBox(Graphics::CGraphics& graphics, const MathTools::CRect& area, const Graphics::CAlphaColour& fill,
             const Graphics::CAlphaColour& frame)
{
    const MathTools::CDimension corner(area.getWidth() / 16, area.getWidth() / 16);
    graphics.getBrush().setColour(fill);
    graphics.getPen().setColour(frame);
    graphics.fillRoundedRectangle(area, corner);
    graphics.drawRoundedRectangle(area, corner);
}

void drawCaption(Graphics::CGraphics& graphics, const Basics::CString& text, const MathTools::CRect& area,
                 const Graphics::CAlphaColour& colour)
{
    graphics.setTextColour(colour);
    graphics.drawText(text, area, nullptr, Fonts::kDefaultSingleLine);
}

void drawPlainLook(Graphics::CGraphics& graphics, const Basics::CString& caption,
                   const MathTools::CRect& area, const Graphics::CAlphaColour& fill,
                   const Graphics::CAlphaColour& frame, const Graphics::CAlphaColour& text)
{
    drawBox(graphics, area, fill, frame);
    drawCaption(graphics, caption, area, text);
}

void addColourDescriptors(TDescriptorList& list,
                          std::span<const TColourProperty<const Graphics::CAlphaColour>> table)
{
    for (const auto& property : table)
    {
        list.addElement(new CControlDescriptor(property.name, CControlDescriptor::kColourProperty));
    }
}

bool getColourProperty(CControlDescriptor& descriptor,
                       std::span<const TColourProperty<const Graphics::CAlphaColour>> table)
{
    for (const auto& property : table)
    {
        if (descriptor.getName() == property.name)
        {
            descriptor.setValue(Graphics::CAlphaColour::toString(*property.colour));
            return true;
        }
    }
    return false;
}

bool setColourProperty(const CControlDescriptor& descriptor,
                       std::span<const TColourProperty<Graphics::CAlphaColour>> table)
{
    for (const auto& property : table)
    {
        if (descriptor.getName() == property.name)
        {
            *property.colour = Graphics::CAlphaColour::fromString(descriptor.getValue());
            return true;
        }
    }
    return false;
}

} // namespace Vantor::GUI::Controls::ButtonSupport
