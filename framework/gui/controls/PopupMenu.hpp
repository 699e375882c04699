#pragma once
// A small menu drawn by the framework itself over a window's controls: a heading
// and a column of items, one of which may be marked as the current one.
//
// The control covers the area it may open in (usually the whole window) and is
// added after the window's other controls, so that it receives only what falls
// on the background. Closed, it draws nothing and opens where the right button
// is pressed; open, it is the root's modal control: a left click on an item
// chooses it (the value becomes the item's index and the action listener is
// told), a click anywhere else or Escape closes it without a choice. The box is
// placed to fit inside the control's area.

#include <string>
#include <vector>

#include "framework/gui/controls/Control.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::GUI::Controls
{

class CPopupMenu : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CPopupMenu);

    static constexpr long kItemHeight = 15;
    static constexpr long kBoxWidth = 100;

    CPopupMenu(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
               Events::IActionListener* listener = nullptr);

    const char* getRuntimeClassName() const override { return "CPopupMenu"; }

    void setHeading(const std::string& heading) { m_heading = heading; }
    void setItems(const std::vector<std::string>& items);
    // The item marked as current (-1 for none).
    void setMarkedItem(long item) { m_markedItem = item; }
    long getMarkedItem() const { return m_markedItem; }
    // Box, text, heading and highlight colours.
    void setMenuColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& text,
                        const Graphics::CAlphaColour& heading, const Graphics::CAlphaColour& highlight);

    // Opens with the box's corner at a point of the control (moved to fit); becomes modal.
    void openAt(const MathTools::CPoint& point);
    void closeMenu();
    bool isOpen() const { return m_open; }
    // The box in control coordinates while open.
    const MathTools::CRect& getBox() const { return m_box; }
    // The item under a point of the control, -1 for none.
    long itemAt(const MathTools::CPoint& point) const;
    // The area of an item in control coordinates.
    MathTools::CRect getItemArea(long item) const;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    bool handleKeyDown(const Events::CKeyboardEvent& event) override;
    void drawControl(Graphics::CGraphics& graphics) override;

private:
    std::string m_heading;
    std::vector<std::string> m_items;
    long m_markedItem = -1;
    long m_hoverItem = -1;
    bool m_open = false;
    MathTools::CRect m_box;
    Graphics::CAlphaColour m_fill;
    Graphics::CAlphaColour m_text;
    Graphics::CAlphaColour m_headingColour;
    Graphics::CAlphaColour m_highlight;
};

} // namespace Vantor::GUI::Controls
