#include "framework/gui/controls/RolloverButton.hpp"

#include <array>

#include "framework/gui/controls/ButtonSupport.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/ImageManager.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CRolloverButton, "CRolloverButton", "CControl")

CRolloverButton::CRolloverButton(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                                 Events::IActionListener* listener)
    : CControl(root, uniqueId, area, listener), m_labelText(" "),
      m_onLook{ButtonSupport::kOnColour, ButtonSupport::kBlackColour, ButtonSupport::kBlackColour},
      m_offLook{ButtonSupport::kOffColour, ButtonSupport::kBlackColour, ButtonSupport::kBlackColour},
      m_overLook{ButtonSupport::kOverColour, ButtonSupport::kBlackColour, ButtonSupport::kBlackColour}
{
}

CRolloverButton::~CRolloverButton()
{
    replaceImage(m_downImage, nullptr);
    replaceImage(m_overImage, nullptr);
}

const CRolloverButton::SLook* CRolloverButton::lookOfState(long state) const
{
    switch (state)
    {
    case kNormalState:
        return &m_offLook;
    case kOverState:
        return &m_overLook;
    case kDownState:
        return &m_onLook;
    default:
        return nullptr;
    }
}

CRolloverButton::SLook* CRolloverButton::lookOfState(long state)
{
    return const_cast<SLook*>(static_cast<const CRolloverButton*>(this)->lookOfState(state));
}

void CRolloverButton::setStateColours(long state, const Graphics::CAlphaColour& fill,
                                      const Graphics::CAlphaColour& frame, const Graphics::CAlphaColour& text)
{
    if (SLook* look = lookOfState(state))
    {
        *look = SLook{fill, frame, text};
    }
}

void CRolloverButton::showCursor(bool hand)
{
    if (m_cursorChange)
    {
        ButtonSupport::showHandCursor(m_root, hand);
    }
}

void CRolloverButton::changeState(long state)
{
    m_state = state;
    update();
}

void CRolloverButton::handleLeftButtonDown(Events::CMouseEvent&)
{
    showCursor(true);
    m_root->lockControl(this);
    m_held = true;
    changeState(kDownState);
}

void CRolloverButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    const bool inside = ButtonSupport::isInside(*this, event.getMousePosition());
    showCursor(inside);
    m_state = inside ? kOverState : kNormalState;
    m_held = false;
    m_root->unlockControl();
    update();
    // Every release that reaches the button reports, inside or not.
    ButtonSupport::reportAction(m_actionListener, *this);
}

void CRolloverButton::handleMouseMovement(Events::CMouseEvent& event)
{
    const bool inside = ButtonSupport::isInside(*this, event.getMousePosition());
    if (inside)
    {
        showCursor(true);
        m_root->lockControl(this);
        changeState(m_held ? kDownState : kOverState);
        return;
    }
    if (m_held)
    {
        // Leaving while pressed keeps the lock, so the release still reaches the button and reports.
        m_held = false;
        changeState(kNormalState);
        return;
    }
    showCursor(false);
    m_root->unlockControl();
    changeState(kNormalState);
}

void CRolloverButton::handleMouseLeavingArea(Events::CMouseEvent&)
{
    m_held = false;
    changeState(kNormalState);
}

void CRolloverButton::handleMouseCaptureLost()
{
    showCursor(false);
    m_held = false;
    changeState(kNormalState);
}

void CRolloverButton::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
    {
        return;
    }
    const SLook* look = lookOfState(m_state);
    if (look == nullptr)
    {
        return;
    }
    Graphics::IImage* picture =
        m_state == kNormalState ? m_primaryImage : (m_state == kOverState ? m_overImage : m_downImage);
    if (isDrawable(picture))
    {
        drawImageOverControl(graphics, picture);
        return;
    }
    ButtonSupport::drawPlainLook(graphics, m_labelText, m_normalisedArea, look->fill, look->frame,
                                 look->text);
}

// ---- properties ----

template <class TButton> auto CRolloverButton::colourProperties(TButton& button)
{
    using TProperty = ButtonSupport::TColourPropertyOf<TButton>;
    return std::array<TProperty, 9>{{
        {"On Colour", &button.m_onLook.fill},
        {"Off Colour", &button.m_offLook.fill},
        {"Over Colour", &button.m_overLook.fill},
        {"On Frame Colour", &button.m_onLook.frame},
        {"Off Frame Colour", &button.m_offLook.frame},
        {"Over Frame Colour", &button.m_overLook.frame},
        {"On Text Colour", &button.m_onLook.text},
        {"Off Text Colour", &button.m_offLook.text},
        {"Over Text Colour", &button.m_overLook.text},
    }};
}

void CRolloverButton::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Down Image", CControlDescriptor::kImageProperty));
    list.addElement(new CControlDescriptor("Over Image", CControlDescriptor::kImageProperty));
    list.addElement(new CControlDescriptor("Cursor Change", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Label Text", CControlDescriptor::kStringProperty));
    ButtonSupport::addColourDescriptors(list, colourProperties(*this));
}

void CRolloverButton::getProperty(CControlDescriptor& descriptor) const
{
    if (ButtonSupport::getColourProperty(descriptor, colourProperties(*this)) ||
        ButtonSupport::getSharedProperty(*this, descriptor))
    {
        return;
    }
    if (descriptor.getName() == "Over Image")
    {
        descriptor.setValue(Graphics::CImageManager::getNameOfImage(m_overImage));
    }
    else
    {
        CControl::getProperty(descriptor);
    }
}

void CRolloverButton::setProperty(const CControlDescriptor& descriptor)
{
    if (ButtonSupport::setColourProperty(descriptor, colourProperties(*this)) ||
        ButtonSupport::setSharedProperty(*this, descriptor))
    {
        return;
    }
    if (descriptor.getName() == "Over Image")
    {
        setOverImage(Graphics::CImageManager::getImageWithName(descriptor.getValue()));
    }
    else
    {
        CControl::setProperty(descriptor);
    }
}

} // namespace Vantor::GUI::Controls
