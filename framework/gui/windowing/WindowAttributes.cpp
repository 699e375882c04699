#include "framework/gui/windowing/WindowAttributes.hpp"

#include "framework/gui/windowing/WindowIcon.hpp"

namespace Vantor::GUI::Windowing
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Windowing::CWindowAttributes, "CWindowAttributes", "CCountedObject")

CWindowAttributes::CWindowAttributes() : m_title("Application"), m_backgroundColour(255, 255, 255) {}

CWindowAttributes::CWindowAttributes(const CWindowAttributes& other)
    : CCountedObject(), m_title("Application")
{
    *this = other;
}

CWindowAttributes& CWindowAttributes::operator=(const CWindowAttributes& other)
{
    if (this == &other)
    {
        return *this;
    }
    m_title = other.m_title;
    m_backgroundColour = other.m_backgroundColour;
    m_alpha = other.m_alpha;
    setWindowIcon(other.m_icon);
    m_enabled = other.m_enabled;
    m_dropShadow = other.m_dropShadow;
    m_style = other.m_style;
    m_extendedStyle = other.m_extendedStyle;
    return *this;
}

CWindowAttributes::~CWindowAttributes()
{
    setWindowIcon(nullptr);
}

void CWindowAttributes::setWindowIcon(CWindowIcon* icon)
{
    if (icon == m_icon)
    {
        return;
    }
    if (icon)
    {
        icon->referenced();
    }
    if (m_icon)
    {
        m_icon->dereference();
    }
    m_icon = icon;
}

void CWindowAttributes::setWindowStyle(long preset)
{
    switch (preset)
    {
    case 0:
        setWindowStyle(kDefaultStyle, kDefaultExtendedStyle);
        break;
    case 1:
    case 2:
        setWindowStyle(0xCA0000u, 0x10u);
        break;
    case 3:
        setWindowStyle(0x80000000u, 0x08080008u);
        break;
    default:
        break;
    }
}

void CWindowAttributes::setWindowStyle(std::uint32_t style, std::uint32_t extendedStyle)
{
    m_style = style;
    m_extendedStyle = extendedStyle;
}

} // namespace Vantor::GUI::Windowing
