#include "framework/gui/controls/TextLabel.hpp"

#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/Graphics.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CTextLabel, "CTextLabel", "CControl")

CTextLabel::CTextLabel(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                       const Basics::CString& text)
    : CControl(root, uniqueId, area), m_textColour(0, 0, 0, 255), m_text(text),
      m_alignment(Fonts::kDefaultLabel)
{
    m_mouseEnabled = false;
    m_dropFileEnabled = true;
    setFont(Fonts::CFont::getDefaultFont());
    update();
}

CTextLabel::~CTextLabel()
{
    if (m_font)
    {
        m_font->dereference();
    }
}

void CTextLabel::setColours(const Graphics::CAlphaColour& frame, const Graphics::CAlphaColour& background,
                            const Graphics::CAlphaColour& text)
{
    setDefaultControlColours(background, frame);
    m_textColour = text;
}

void CTextLabel::setTextColour(const Graphics::CAlphaColour& text)
{
    setColours(m_frameColour, m_backgroundColour, text);
}

void CTextLabel::setFont(Fonts::CFont* font)
{
    if (font == nullptr || font == m_font)
    {
        return;
    }
    font->referenced();
    if (m_font)
    {
        m_font->dereference();
    }
    m_font = font;
}

void CTextLabel::setText(const Basics::CString& text)
{
    m_text = text;
    update();
}

void CTextLabel::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
    {
        return;
    }
    // Without an image and default drawing the label is transparent over what lies beneath.
    drawPrimaryImage(graphics, m_defaultDrawing);
    graphics.setTextColour(m_textColour);
    graphics.drawText(m_text, MathTools::CRect(1, 1, m_size.getWidth(), m_size.getHeight()), m_font,
                      m_alignment);
}

void CTextLabel::handleFileDrop(const Events::CDropEvent& event)
{
    const Basics::CString* first = event.getNumberOfFiles() > 0 ? event.getFile(0) : nullptr;
    if (first && first->getString()[0] != '\0')
    {
        setText(*first);
    }
}

// ---- properties ----

void CTextLabel::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Text", CControlDescriptor::kStringProperty));
    list.addElement(new CControlDescriptor("Text Colour", CControlDescriptor::kColourProperty));
    auto* alignment = new CControlDescriptor("Alignment", CControlDescriptor::kLongProperty);
    for (long value = Fonts::kLeftTop; value <= Fonts::kDefaultSingleLine; value++)
    {
        alignment->addChoice(Fonts::getAlignmentName(value));
    }
    list.addElement(alignment);
    list.addElement(new CControlDescriptor("Font", CControlDescriptor::kFontProperty));
}

void CTextLabel::getProperty(CControlDescriptor& descriptor) const
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Text")
    {
        descriptor.setValue(m_text);
    }
    else if (name == "Text Colour")
    {
        descriptor.setValue(Graphics::CAlphaColour::toString(m_textColour));
    }
    else if (name == "Alignment")
    {
        descriptor.setValue(m_alignment);
    }
    else if (name == "Font")
    {
        descriptor.setValue(m_font ? m_font->toString() : Basics::CString(""));
    }
    else
    {
        CControl::getProperty(descriptor);
    }
}

void CTextLabel::setProperty(const CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Text")
    {
        m_text = descriptor.getValue();
    }
    else if (name == "Text Colour")
    {
        m_textColour = Graphics::CAlphaColour::fromString(descriptor.getValue());
    }
    else if (name == "Alignment")
    {
        m_alignment = descriptor.getValueAsLong();
    }
    else if (name == "Font")
    {
        // A font of its own: the shared default font is never changed by a label.
        auto* font = new Fonts::CFont();
        font->referenced();
        if (font->fromString(descriptor.getValue()))
        {
            setFont(font);
        }
        font->dereference();
    }
    else
    {
        CControl::setProperty(descriptor);
    }
}

} // namespace Vantor::GUI::Controls
