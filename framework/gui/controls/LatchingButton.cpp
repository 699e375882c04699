#include "framework/gui/controls/LatchingButton.hpp"

#include <iterator>

#include "framework/gui/controls/ButtonSupport.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/ImageManager.hpp"

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
        ButtonSupport::showHandCursor(m_root, true);
        m_root->lockControl(this);
    }
}

void CLatchingButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    if (m_cursorChange)
    {
        ButtonSupport::showHandCursor(m_root, ButtonSupport::isInside(*this, event.getMousePosition()));
        m_root->unlockControl();
    }
    setValue(1.0 - m_value);
    update();
    if (m_actionListener)
    {
        m_actionListener->handleActionEvent(Events::CActionEvent(this));
    }
}

void CLatchingButton::handleMouseMovement(Events::CMouseEvent& event)
{
    if (!m_cursorChange)
    {
        return;
    }
    const bool inside = ButtonSupport::isInside(*this, event.getMousePosition());
    ButtonSupport::showHandCursor(m_root, inside);
    if (inside)
        m_root->lockControl(this);
    else
        m_root->unlockControl();
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
        ButtonSupport::drawBox(graphics, m_normalisedArea, m_onColour, m_onFrameColour);
        ButtonSupport::drawCaption(graphics, m_labelText, m_normalisedArea, m_onTextColour);
        return;
    }
    if (drawPrimaryImage(graphics))
    {
        return;
    }
    ButtonSupport::drawBox(graphics, m_normalisedArea, m_offColour, m_offFrameColour);
    ButtonSupport::drawCaption(graphics, m_labelText, m_normalisedArea, m_offTextColour);
}

// ---- properties ----

namespace
{
const char* const kColourNames[] = {"On Colour",        "Off Colour",     "On Frame Colour",
                                    "Off Frame Colour", "On Text Colour", "Off Text Colour"};
} // namespace

void CLatchingButton::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Down Image", CControlDescriptor::kImageProperty));
    list.addElement(new CControlDescriptor("Cursor Change", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Label Text", CControlDescriptor::kStringProperty));
    for (const char* name : kColourNames)
    {
        list.addElement(new CControlDescriptor(name, CControlDescriptor::kColourProperty));
    }
}

void CLatchingButton::getProperty(CControlDescriptor& descriptor) const
{
    const Graphics::CAlphaColour* colours[] = {&m_onColour,       &m_offColour,    &m_onFrameColour,
                                               &m_offFrameColour, &m_onTextColour, &m_offTextColour};
    const Basics::CString& name = descriptor.getName();
    for (std::size_t i = 0; i < std::size(kColourNames); i++)
    {
        if (name == kColourNames[i])
        {
            descriptor.setValue(Graphics::CAlphaColour::toString(*colours[i]));
            return;
        }
    }
    if (name == "Down Image")
        descriptor.setValue(Graphics::CImageManager::getNameOfImage(m_downImage));
    else if (name == "Cursor Change")
        descriptor.setValue(m_cursorChange);
    else if (name == "Label Text")
        descriptor.setValue(m_labelText);
    else
        CControl::getProperty(descriptor);
}

void CLatchingButton::setProperty(const CControlDescriptor& descriptor)
{
    Graphics::CAlphaColour* colours[] = {&m_onColour,       &m_offColour,    &m_onFrameColour,
                                         &m_offFrameColour, &m_onTextColour, &m_offTextColour};
    const Basics::CString& name = descriptor.getName();
    for (std::size_t i = 0; i < std::size(kColourNames); i++)
    {
        if (name == kColourNames[i])
        {
            *colours[i] = Graphics::CAlphaColour::fromString(descriptor.getValue());
            return;
        }
    }
    if (name == "Down Image")
        setDownImage(Graphics::CImageManager::getImageWithName(descriptor.getValue()));
    else if (name == "Cursor Change")
        setCursorChange(descriptor.getValueAsBool());
    else if (name == "Label Text")
        m_labelText = descriptor.getValue();
    else
        CControl::setProperty(descriptor);
}

} // namespace Vantor::GUI::Controls
