#pragma once
// One line of text in a rectangle, with a font, a colour and one of the
// framework's eleven alignments. It ignores the mouse; a file dropped on it
// replaces its text with the file's path.

#include "framework/gui/controls/Control.hpp"

namespace Vantor::GUI::Fonts
{
class CFont;
}

namespace Vantor::GUI::Controls
{

class CTextLabel : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CTextLabel);

    // Not mouse enabled, drop-file enabled, default font, black text, "Default Label" alignment.
    CTextLabel(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
               const Basics::CString& text);
    ~CTextLabel() override;

    const char* getRuntimeClassName() const override { return "CTextLabel"; }

    // Sets the frame and background colours of the default look and the text colour; no redraw.
    virtual void setColours(const Graphics::CAlphaColour& frame, const Graphics::CAlphaColour& background,
                            const Graphics::CAlphaColour& text);
    virtual void setTextColour(const Graphics::CAlphaColour& text);
    // A flag kept for owners; the label itself never reads it.
    virtual void setFlag(bool flag) { m_flag = flag; }
    // Counted replacement; null keeps the current font.
    virtual void setFont(Fonts::CFont* font);
    // Stores the text and repaints.
    virtual void setText(const Basics::CString& text);
    // One of the alignments 0..10; no redraw.
    virtual void setAlignment(long alignment) { m_alignment = alignment; }

    bool getFlag() const { return m_flag; }
    Fonts::CFont* getFont() const { return m_font; }
    const Graphics::CAlphaColour& getTextColour() const { return m_textColour; }
    const Basics::CString& getText() const { return m_text; }
    long getAlignment() const { return m_alignment; }

    void drawControl(Graphics::CGraphics& graphics) override;
    // The first dropped file's path becomes the text.
    void handleFileDrop(const Events::CDropEvent& event) override;

    // Adds "Text", "Text Colour", "Alignment" and "Font".
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

private:
    bool m_flag = true;
    Fonts::CFont* m_font = nullptr;
    Graphics::CAlphaColour m_textColour;
    Basics::CString m_text;
    long m_alignment;
};

} // namespace Vantor::GUI::Controls
