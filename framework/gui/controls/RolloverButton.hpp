#pragma once
// A push button with three looks: normal, "over" while the pointer hovers on
// it and down while pressed. Each left-button release that reaches it is
// reported to the action listener.

#include "framework/gui/controls/Control.hpp"

namespace Vantor::GUI::Controls
{

class CRolloverButton : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CRolloverButton);

    enum EState : long
    {
        kNormalState = 0,
        kOverState = 1,
        kDownState = 2,
    };

    CRolloverButton(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                    Events::IActionListener* listener = nullptr);
    ~CRolloverButton() override;

    const char* getRuntimeClassName() const override { return "CRolloverButton"; }

    // The hand cursor over the button (on by default).
    virtual void setCursorChange(bool cursorChange) { m_cursorChange = cursorChange; }
    // Pictures of the down and over looks (counted replacements); the primary image is the normal look.
    virtual void setDownImage(Graphics::IImage* image) { replaceImage(m_downImage, image); }
    virtual void setOverImage(Graphics::IImage* image) { replaceImage(m_overImage, image); }

    void setLabelText(const Basics::CString& text) { m_labelText = text; }
    // Fill, frame and caption colours of the plain look in one state.
    void setStateColours(long state, const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& frame,
                         const Graphics::CAlphaColour& text);

    long getState() const { return m_state; }
    bool isHeld() const { return m_held; }
    bool hasCursorChange() const { return m_cursorChange; }
    Graphics::IImage* getDownImage() const { return m_downImage; }
    Graphics::IImage* getOverImage() const { return m_overImage; }
    const Basics::CString& getLabelText() const { return m_labelText; }

    void drawControl(Graphics::CGraphics& graphics) override;
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // The pointer left the window: back to normal.
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    // The release will not come (the window lost the pointer): normal, the arrow, no report.
    void handleMouseCaptureLost() override;

    // Adds "Down Image", "Over Image", "Cursor Change", "Label Text" and the nine colours.
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

private:
    // Fill, frame and text colour of one state's plain look.
    struct SLook
    {
        Graphics::CAlphaColour fill;
        Graphics::CAlphaColour frame;
        Graphics::CAlphaColour text;
    };

    void showCursor(bool hand);
    void changeState(long state);
    const SLook* lookOfState(long state) const;
    SLook* lookOfState(long state);
    // Each colour property's name with the colour it stands for, in the order they are listed.
    template <class TButton> static auto colourProperties(TButton& button);

    Graphics::IImage* m_downImage = nullptr;
    Graphics::IImage* m_overImage = nullptr;
    long m_state = kNormalState;
    bool m_cursorChange = true;
    bool m_held = false;
    Basics::CString m_labelText;
    SLook m_onLook;
    SLook m_offLook;
    SLook m_overLook;
};

} // namespace Vantor::GUI::Controls
