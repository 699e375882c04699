#include "framework/gui/controls/PopupMenu.hpp"

#include <algorithm>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/KeyboardEvent.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/Graphics.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CPopupMenu, "CPopupMenu", "CControl")

namespace
{
// Room around the items inside the box, and the width of the mark's column.
constexpr long kPadding = 3;
constexpr long kMarkColumn = 14;
} // namespace

CPopupMenu::CPopupMenu(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                       Events::IActionListener* listener)
    : CControl(root, uniqueId, area, listener), m_fill(34, 36, 40, 250), m_text(205, 200, 177, 255),
      m_headingColour(128, 130, 128, 255), m_highlight(70, 74, 82, 255)
{
    m_mouseEnabled = true;
    m_keyboardEnabled = true;
    m_value = -1.0;
}

void CPopupMenu::setItems(const std::vector<std::string>& items)
{
    m_items = items;
}

void CPopupMenu::setMenuColours(const Graphics::CAlphaColour& fill, const Graphics::CAlphaColour& text,
                                const Graphics::CAlphaColour& heading,
                                const Graphics::CAlphaColour& highlight)
{
    m_fill = fill;
    m_text = text;
    m_headingColour = heading;
    m_highlight = highlight;
}

void CPopupMenu::openAt(const MathTools::CPoint& point)
{
    const long rows = static_cast<long>(m_items.size()) + (m_heading.empty() ? 0 : 1);
    const long width = std::min(kBoxWidth, m_size.getWidth());
    const long height = std::min(rows * kItemHeight + 2 * kPadding, m_size.getHeight());
    const long left = std::clamp(point.getXPosition(), 0L, m_size.getWidth() - width);
    const long top = std::clamp(point.getYPosition(), 0L, m_size.getHeight() - height);
    m_box.setRect(left, top, width, height);
    m_hoverItem = -1;
    m_open = true;
    m_root->setModalControl(this);
    update();
}

void CPopupMenu::closeMenu()
{
    if (!m_open)
    {
        return;
    }
    m_open = false;
    m_hoverItem = -1;
    if (m_root->getModalControl() == this)
    {
        m_root->clearModalControl();
    }
    update();
}

MathTools::CRect CPopupMenu::getItemArea(long item) const
{
    const long headingRows = m_heading.empty() ? 0 : 1;
    return MathTools::CRect(m_box.getLeft() + kPadding,
                            m_box.getTop() + kPadding + (item + headingRows) * kItemHeight,
                            m_box.getWidth() - 2 * kPadding, kItemHeight);
}

long CPopupMenu::itemAt(const MathTools::CPoint& point) const
{
    if (!m_open)
    {
        return -1;
    }
    for (long item = 0; item < static_cast<long>(m_items.size()); ++item)
    {
        const MathTools::CRect area = getItemArea(item);
        if (point.getXPosition() >= area.getLeft() && point.getXPosition() < area.getRight() &&
            point.getYPosition() >= area.getTop() && point.getYPosition() < area.getBottom())
        {
            return item;
        }
    }
    return -1;
}

void CPopupMenu::handleRightButtonDown(Events::CMouseEvent& event)
{
    if (!m_open)
    {
        openAt(event.getMousePosition());
    }
}

void CPopupMenu::handleLeftButtonDown(Events::CMouseEvent& event)
{
    if (!m_open)
    {
        return;
    }
    const long item = itemAt(event.getMousePosition());
    closeMenu();
    if (item < 0)
    {
        return;
    }
    setValue(static_cast<double>(item));
    if (m_actionListener)
    {
        m_actionListener->handleActionEvent(Events::CActionEvent(this));
    }
}

void CPopupMenu::handleMouseMovement(Events::CMouseEvent& event)
{
    if (!m_open)
    {
        return;
    }
    const long item = itemAt(event.getMousePosition());
    if (item != m_hoverItem)
    {
        m_hoverItem = item;
        m_root->updateArea(MathTools::CRect(m_area.getLeft() + m_box.getLeft(),
                                            m_area.getTop() + m_box.getTop(), m_box.getWidth(),
                                            m_box.getHeight()));
    }
}

bool CPopupMenu::handleKeyDown(const Events::CKeyboardEvent& event)
{
    if (m_open && event.getKeyCode() == Events::kKeyEscape)
    {
        closeMenu();
        return true;
    }
    return false;
}

void CPopupMenu::drawControl(Graphics::CGraphics& graphics)
{
    if (!m_open)
    {
        return;
    }
    // A soft shadow, the box, then the rows.
    graphics.getBrush().setColour(Graphics::CAlphaColour(0, 0, 0, 90));
    MathTools::CRect shadow = m_box;
    shadow.offset(MathTools::CPoint(2, 2));
    graphics.fillRectangle(shadow);
    graphics.getBrush().setColour(m_fill);
    graphics.getPen().setColour(Graphics::CAlphaColour(0, 0, 0, 255));
    graphics.fillRectangle(m_box);
    graphics.drawRectangle(m_box);

    Fonts::CFont* font = Fonts::CFont::getDefaultFont();
    if (!m_heading.empty())
    {
        graphics.setTextColour(m_headingColour);
        MathTools::CRect heading(m_box.getLeft() + kPadding + 4, m_box.getTop() + kPadding,
                                 m_box.getWidth() - 2 * kPadding - 4, kItemHeight);
        graphics.drawText(m_heading.c_str(), heading, font, Fonts::kLeftCentre);
    }
    for (long item = 0; item < static_cast<long>(m_items.size()); ++item)
    {
        const MathTools::CRect area = getItemArea(item);
        if (item == m_hoverItem)
        {
            graphics.getBrush().setColour(m_highlight);
            graphics.fillRectangle(area);
        }
        if (item == m_markedItem)
        {
            const long diameter = 5;
            graphics.getBrush().setColour(m_text);
            graphics.setAntiAliasingMode(Graphics::CGraphics::kAntiAliasSmoothing);
            graphics.fillEllipse(MathTools::CRect(area.getLeft() + (kMarkColumn - diameter) / 2,
                                                  area.getTop() + (area.getHeight() - diameter) / 2, diameter,
                                                  diameter));
            graphics.setAntiAliasingMode(Graphics::CGraphics::kDefaultSmoothing);
        }
        graphics.setTextColour(m_text);
        const MathTools::CRect text(area.getLeft() + kMarkColumn, area.getTop(),
                                    area.getWidth() - kMarkColumn, area.getHeight());
        graphics.drawText(m_items[static_cast<std::size_t>(item)].c_str(), text, font, Fonts::kLeftCentre);
    }
}

} // namespace Vantor::GUI::Controls
