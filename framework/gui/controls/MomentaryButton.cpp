#include "framework/gui/controls/MomentaryButton.hpp"

#include "framework/gui/controls/ButtonSupport.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/graphics/Graphics.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CMomentaryButton, "CMomentaryButton", "CControl")

CMomentaryButton::CMomentaryButton(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                                   Events::IActionListener* listener)
    : CControl(root, uniqueId, area, listener), m_labelText(" "), m_onColour(ButtonSupport::kOnColour),
      m_offColour(ButtonSupport::kOffColour), m_onFrameColour(ButtonSupport::kBlackColour),
      m_offFrameColour(ButtonSupport::kBlackColour), m_onTextColour(ButtonSupport::kBlackColour),
      m_offTextColour(ButtonSupport::kBlackColour)
{
}

CMomentaryButton::~CMomentaryButton()
{
    replaceImage(m_downImage, nullptr);
}

void CMomentaryButton::setValue(double value)
{
    m_value = value;
    m_down = (value == 1.0);
    update();
}

void CMomentaryButton::setOnColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                                    const Graphics::CAlphaColour& text)
{
    m_onColour = fill;
    m_onFrameColour = frame;
    m_onTextColour = text;
}

void CMomentaryButton::setOffColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                                     const Graphics::CAlphaColour& text)
{
    m_offColour = fill;
    m_offFrameColour = frame;
    m_offTextColour = text;
}

void CMomentaryButton::handleLeftButtonDown(Events::CMouseEvent&)
{
    if (m_cursorChange)
    {
        ButtonSupport::holdMouse(*this, m_root);
    }
    m_down = true;
    update();
}

void CMomentaryButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    if (m_cursorChange)
    {
        ButtonSupport::releaseMouse(*this, m_root, event.getMousePosition());
    }
    m_down = false;
    update();
    ButtonSupport::reportAction(m_actionListener, *this);
}

void CMomentaryButton::handleMouseMovement(Events::CMouseEvent& event)
{
    // Leaving lets go: the release then lands elsewhere and reports nothing.
    if (m_cursorChange && !ButtonSupport::trackHover(*this, m_root, event.getMousePosition()))
    {
        m_down = false;
        update();
    }
}

void CMomentaryButton::handleMouseCaptureLost()
{
    if (m_cursorChange)
    {
        ButtonSupport::showHandCursor(m_root, false);
    }
    m_down = false;
    update();
}

void CMomentaryButton::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
    {
        return;
    }
    Graphics::CAlphaColour textColour = m_offTextColour;
    if (!m_down)
    {
        if (!drawPrimaryImage(graphics))
        {
            ButtonSupport::drawBox(graphics, m_normalisedArea, m_offColour, m_offFrameColour);
        }
    }
    else
    {
        if (isDrawable(m_downImage))
        {
            drawImageOverControl(graphics, m_downImage);
        }
        else
        {
            ButtonSupport::drawBox(graphics, m_normalisedArea, m_onColour, m_onFrameColour);
        }
        textColour = m_onTextColour;
    }
    if (m_drawText)
    {
        ButtonSupport::drawCaption(graphics, m_labelText, m_normalisedArea, textColour);
    }
}

// ---- properties ----

template <class TButton> auto CMomentaryButton::colourProperties(TButton& button)
{
    return ButtonSupport::onOffColourProperties(button.m_onColour, button.m_offColour, button.m_onFrameColour,
                                                button.m_offFrameColour, button.m_onTextColour,
                                                button.m_offTextColour);
}

void CMomentaryButton::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Down Image", CControlDescriptor::kImageProperty));
    list.addElement(new CControlDescriptor("Cursor Change", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Draw Text", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Label Text", CControlDescriptor::kStringProperty));
    ButtonSupport::addColourDescriptors(list, colourProperties(*this));
}

void CMomentaryButton::getProperty(CControlDescriptor& descriptor) const
{
    if (ButtonSupport::getColourProperty(descriptor, colourProperties(*this)) ||
        ButtonSupport::getSharedProperty(*this, descriptor))
    {
        return;
    }
    if (descriptor.getName() == "Draw Text")
    {
        descriptor.setValue(m_drawText);
    }
    else
    {
        CControl::getProperty(descriptor);
    }
}

void CMomentaryButton::setProperty(const CControlDescriptor& descriptor)
{
    if (ButtonSupport::setColourProperty(descriptor, colourProperties(*this)) ||
        ButtonSupport::setSharedProperty(*this, descriptor))
    {
        return;
    }
    if (descriptor.getName() == "Draw Text")
    {
        m_drawText = descriptor.getValueAsBool();
    }
    else
    {
        CControl::setProperty(descriptor);
    }
}

} // namespace Vantor::GUI::Controls
