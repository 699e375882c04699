#include "framework/gui/controls/ButtonSupport.hpp"

#include "framework/gui/controls/ControlRoot.hpp"
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

} // namespace Vantor::GUI::Controls::ButtonSupport
