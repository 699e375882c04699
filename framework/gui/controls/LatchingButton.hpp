#pragma once
// An on/off button: each left-button release that reaches it toggles it
// between off (value 0) and on (value 1) and reports the change. Its look and
// hover tracking are those of the momentary button.

#include "framework/gui/controls/Control.hpp"

namespace Vantor::GUI::Controls
{

class CLatchingButton : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CLatchingButton);

    // Off (value 0).
    CLatchingButton(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                    Events::IActionListener* listener = nullptr);
    ~CLatchingButton() override;

    const char* getRuntimeClassName() const override { return "CLatchingButton"; }

    // On from 0.5 up; no redraw, no report.
    void setValue(double value) override;

    virtual bool isOn() const { return m_on; }
    // Hover tracking with the hand cursor, and the root's lock while pressed (on by default).
    virtual void setCursorChange(bool cursorChange) { m_cursorChange = cursorChange; }
    // The picture while on (counted replacement); the primary image is the picture while off.
    virtual void setDownImage(Graphics::IImage* image) { replaceImage(m_downImage, image); }

    void setLabelText(const Basics::CString& text) { m_labelText = text; }
    // Fill, frame and caption colours of the plain look, on and off.
    void setOnColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                      const Graphics::CAlphaColour& text);
    void setOffColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                       const Graphics::CAlphaColour& text);

    bool hasCursorChange() const { return m_cursorChange; }
    Graphics::IImage* getDownImage() const { return m_downImage; }
    const Basics::CString& getLabelText() const { return m_labelText; }

    void drawControl(Graphics::CGraphics& graphics) override;
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;

    // Adds "Down Image", "Cursor Change", "Label Text" and the six colours.
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

private:
    // Each colour property's name with the colour it stands for, in the order they are listed.
    template <class TButton> static auto colourProperties(TButton& button);

    Graphics::IImage* m_downImage = nullptr;
    bool m_on = false;
    bool m_cursorChange = true;
    Basics::CString m_labelText;
    Graphics::CAlphaColour m_onColour;
    Graphics::CAlphaColour m_offColour;
    Graphics::CAlphaColour m_onFrameColour;
    Graphics::CAlphaColour m_offFrameColour;
    Graphics::CAlphaColour m_onTextColour;
    Graphics::CAlphaColour m_offTextColour;
};

} // namespace Vantor::GUI::Controls
