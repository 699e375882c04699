#include "framework/gui/controls/LatchingButton.hpp"

#include "framework/gui/controls/ButtonSupport.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/graphics/Graphics.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CLatchingButton, "CLatchingButton", "CControl")

CLatchingButton::CLatchingButton(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                                 Events::IActionListener* listener)
    : CControl(root, uniqueId, area, listener), m_labelText(" "), m_onColour(ButtonSupport::kOnColour),
      m_offColour(ButtonSupport::kOffColour), m_onFrameColour(ButtonSupport::kBlackColour),
      m_offFrameColour(ButtonSupport::kBlackColour), m_onTextColour(ButtonSupport::kBlackColour),
      m_offTextColour(ButtonSupport::kBlackColour)
{
    m_value = 0.0;
}

CLatchingButton::~CLatchingButton()
{
    replaceImage(m_downImage, nullptr);
}

void CLatchingButton::setValue(double value)
{
    m_value = value;
    m_on = (value >= 0.5);
}

void CLatchingButton::setOnColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                                   const Graphics::CAlphaColour& text)
{
    m_onColour = fill;
    m_onFrameColour = frame;
    m_onTextColour = text;
}

void CLatchingButton::setOffColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                                    const Graphics::CAlphaColour& text)
{
    m_offColour = fill;
    m_offFrameColour = frame;
    m_offTextColour = text;
}

void CLatchingButton::handleLeftButtonDown(Events::CMouseEvent&)
{
    // Pressing only takes the mouse; the release toggles.
    if (m_cursorChange)
    {
        ButtonSupport::holdMouse(*this, m_root);
    }
}

void CLatchingButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    if (m_cursorChange)
    {
        ButtonSupport::releaseMouse(*this, m_root, event.getMousePosition());
    }
    setValue(1.0 - m_value);
    update();
    ButtonSupport::reportAction(m_actionListener, *this);
}

void CLatchingButton::handleMouseMovement(Events::CMouseEvent& event)
{
    if (m_cursorChange)
    {
        ButtonSupport::trackHover(*this, m_root, event.getMousePosition());
    }
}

void CLatchingButton::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
    {
        return;
    }
    // A state with its picture shows just the picture; the caption belongs to the plain look.
    if (m_on)
    {
        if (isDrawable(m_downImage))
        {
            drawImageOverControl(graphics, m_downImage);
            return;
        }
        ButtonSupport::drawPlainLook(graphics, m_labelText, m_normalisedArea, m_onColour, m_onFrameColour,
                                     m_onTextColour);
        return;
    }
    if (drawPrimaryImage(graphics))
    {
        return;
    }
    ButtonSupport::drawPlainLook(graphics, m_labelText, m_normalisedArea, m_offColour, m_offFrameColour,
                                 m_offTextColour);
}

// ---- properties ----

template <class TButton> auto CLatchingButton::colourProperties(TButton& button)
{
    return ButtonSupport::onOffColourProperties(button.m_onColour, button.m_offColour, button.m_onFrameColour,
                                                button.m_offFrameColour, button.m_onTextColour,
                                                button.m_offTextColour);
}

void CLatchingButton::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Down Image", CControlDescriptor::kImageProperty));
    list.addElement(new CControlDescriptor("Cursor Change", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Label Text", CControlDescriptor::kStringProperty));
    ButtonSupport::addColourDescriptors(list, colourProperties(*this));
}

void CLatchingButton::getProperty(CControlDescriptor& descriptor) const
{
    if (ButtonSupport::getColourProperty(descriptor, colourProperties(*this)) ||
        ButtonSupport::getSharedProperty(*this, descriptor))
    {
        return;
    }
    CControl::getProperty(descriptor);
}

void CLatchingButton::setProperty(const CControlDescriptor& descriptor)
{
    if (ButtonSupport::setColourProperty(descriptor, colourProperties(*this)) ||
        ButtonSupport::setSharedProperty(*this, descriptor))
    {
        return;
    }
    CControl::setProperty(descriptor);
}

} // namespace Vantor::GUI::Controls
