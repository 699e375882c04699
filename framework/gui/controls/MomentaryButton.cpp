#include "framework/gui/controls/MomentaryButton.hpp"

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
        ButtonSupport::showHandCursor(m_root, true);
        m_root->lockControl(this);
    }
    m_down = true;
    update();
}

void CMomentaryButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    if (m_cursorChange)
    {
        ButtonSupport::showHandCursor(m_root, ButtonSupport::isInside(*this, event.getMousePosition()));
        m_root->unlockControl();
    }
    m_down = false;
    update();
    if (m_actionListener)
    {
        m_actionListener->handleActionEvent(Events::CActionEvent(this));
    }
}

void CMomentaryButton::handleMouseMovement(Events::CMouseEvent& event)
{
    if (!m_cursorChange)
    {
        return;
    }
    if (ButtonSupport::isInside(*this, event.getMousePosition()))
    {
        // Holding the lock while hovered makes the move that leaves the button reach it.
        ButtonSupport::showHandCursor(m_root, true);
        m_root->lockControl(this);
        return;
    }
    // Leaving lets go: the release then lands elsewhere and reports nothing.
    ButtonSupport::showHandCursor(m_root, false);
    m_root->unlockControl();
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

namespace
{
const char* const kColourNames[] = {"On Colour",        "Off Colour",     "On Frame Colour",
                                    "Off Frame Colour", "On Text Colour", "Off Text Colour"};
} // namespace

void CMomentaryButton::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Down Image", CControlDescriptor::kImageProperty));
    list.addElement(new CControlDescriptor("Cursor Change", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Draw Text", CControlDescriptor::kBoolProperty));
    list.addElement(new CControlDescriptor("Label Text", CControlDescriptor::kStringProperty));
    for (const char* name : kColourNames)
    {
        list.addElement(new CControlDescriptor(name, CControlDescriptor::kColourProperty));
    }
}

void CMomentaryButton::getProperty(CControlDescriptor& descriptor) const
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
    else if (name == "Draw Text")
        descriptor.setValue(m_drawText);
    else if (name == "Label Text")
        descriptor.setValue(m_labelText);
    else
        CControl::getProperty(descriptor);
}

void CMomentaryButton::setProperty(const CControlDescriptor& descriptor)
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
    else if (name == "Draw Text")
        m_drawText = descriptor.getValueAsBool();
    else if (name == "Label Text")
        m_labelText = descriptor.getValue();
    else
        CControl::setProperty(descriptor);
}

} // namespace Vantor::GUI::Controls
