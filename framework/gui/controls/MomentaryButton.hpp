#pragma once
// A push button: down only while the left button is held on it; each release
// on it is reported to the action listener. It shows a picture per state (or a
// rounded box when it has none) with an optional caption, and with cursor
// change on it shows the hand cursor while the pointer is over it.

#include "framework/gui/controls/Control.hpp"

namespace Vantor::GUI::Controls
{

class CMomentaryButton : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CMomentaryButton);

    CMomentaryButton(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                     Events::IActionListener* listener = nullptr);
    ~CMomentaryButton() override;

    const char* getRuntimeClassName() const override { return "CMomentaryButton"; }

    // Down exactly at 1.0; repaints, never reports.
    void setValue(double value) override;

    // Hover tracking with the hand cursor, and the root's lock while pressed (on by default).
    virtual void setCursorChange(bool cursorChange) { m_cursorChange = cursorChange; }
    // The picture while down (counted replacement); the primary image is the picture while up.
    virtual void setDownImage(Graphics::IImage* image) { replaceImage(m_downImage, image); }

    void setLabelText(const Basics::CString& text) { m_labelText = text; }
    void setDrawText(bool drawText) { m_drawText = drawText; }
    // Fill, frame and caption colours of the plain look, down (on) and up (off).
    void setOnColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                      const Graphics::CAlphaColour& text);
    void setOffColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                       const Graphics::CAlphaColour& text);

    bool isDown() const { return m_down; }
    bool hasCursorChange() const { return m_cursorChange; }
    Graphics::IImage* getDownImage() const { return m_downImage; }
    const Basics::CString& getLabelText() const { return m_labelText; }

    void drawControl(Graphics::CGraphics& graphics) override;
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // The release will not come (the window lost the pointer): up, the arrow, no report.
    void handleMouseCaptureLost() override;

    // Adds "Down Image", "Cursor Change", "Draw Text", "Label Text" and the six colours.
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

private:
    // Each colour property's name with the colour it stands for, in the order they are listed.
    template <class TButton> static auto colourProperties(TButton& button);

    Graphics::IImage* m_downImage = nullptr;
    bool m_down = false;
    bool m_cursorChange = true;
    bool m_drawText = true;
    Basics::CString m_labelText;
    Graphics::CAlphaColour m_onColour;
    Graphics::CAlphaColour m_offColour;
    Graphics::CAlphaColour m_onFrameColour;
    Graphics::CAlphaColour m_offFrameColour;
    Graphics::CAlphaColour m_onTextColour;
    Graphics::CAlphaColour m_offTextColour;
};

} // namespace Vantor::GUI::Controls
