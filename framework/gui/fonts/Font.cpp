#include "framework/gui/fonts/Font.hpp"

#include <cstring>

#include "framework/io/XMLAttribute.hpp"
#include "framework/io/XMLNode.hpp"

namespace Vantor::GUI::Fonts
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Fonts::CFont, "CFont", "CCountedObject")

namespace
{
constexpr const char* kAlignmentNames[] = {
    "Left / Top",      "Center / Top",   "Right / Top",         "Left / Center",
    "Center / Center", "Right / Center", "Left / Bottom",       "Center / Bottom",
    "Right / Bottom",  "Default Label",  "Default Single Line",
};
} // namespace

const char* getAlignmentName(long alignment)
{
    return (alignment >= kLeftTop && alignment <= kDefaultSingleLine) ? kAlignmentNames[alignment] : "";
}

CFont::CFont() : m_faceName("")
{
    rebuildNativeFont();
}

CFont::CFont(const Basics::CString& faceName, const long size, const bool italic, const bool bold)
    : m_faceName(faceName), m_size(size), m_bold(bold), m_italic(italic)
{
    rebuildNativeFont();
}

CFont::CFont(const CFont& other)
    : CCountedObject(), m_faceName(other.m_faceName), m_size(other.m_size), m_bold(other.m_bold),
      m_italic(other.m_italic)
{
    rebuildNativeFont();
}

CFont& CFont::operator=(const CFont& other)
{
    m_faceName = other.m_faceName;
    m_size = other.m_size;
    m_bold = other.m_bold;
    m_italic = other.m_italic;
    rebuildNativeFont();
    return *this;
}

void CFont::setFaceName(const Basics::CString& faceName)
{
    m_faceName = faceName;
    rebuildNativeFont();
}

void CFont::setSize(long size)
{
    m_size = size;
    rebuildNativeFont();
}

void CFont::setBold(bool bold)
{
    m_bold = bold;
    rebuildNativeFont();
}

void CFont::setItalic(bool italic)
{
    m_italic = italic;
    rebuildNativeFont();
}

void CFont::rebuildNativeFont()
{
    m_logicalFont = SLogicalFont();
    m_logicalFont.height = -m_size;
    m_logicalFont.weight = m_bold ? 700 : 400;
    m_logicalFont.italic = m_italic;
    std::strncpy(m_logicalFont.faceName, m_faceName.getString(), SLogicalFont::kFaceNameSize - 1);
}

Platform::SFontDescription CFont::getNativeFont() const
{
    Platform::SFontDescription description;
    description.faceName = m_logicalFont.faceName;
    description.size = static_cast<int>(-m_logicalFont.height);
    description.bold = m_logicalFont.weight >= 700;
    description.italic = m_logicalFont.italic;
    return description;
}

Basics::CString CFont::toString() const
{
    Basics::CString text;
    text.setStringWithFormat("%s,%li", m_faceName.getString(), m_size);
    return text;
}

bool CFont::fromString(const Basics::CString& text)
{
    const long comma = text.findBackwards(',');
    if (comma < 0)
    {
        return false;
    }
    m_faceName = (comma > 0) ? text.getSubString(0, comma - 1) : Basics::CString("");
    m_size = Basics::CString::stringToLong(text.getString() + comma + 1);
    rebuildNativeFont();
    return true;
}

bool CFont::writeToXml(IO::CXMLNode* node) const
{
    if (node == nullptr)
    {
        return false;
    }
    node->createAttribute("font_name", "")->setValue(m_faceName);
    node->createAttribute("font_size", "")->setValue(m_size);
    node->createAttribute("italic", "")->setValue(m_italic);
    node->createAttribute("bold", "")->setValue(m_bold);
    return true;
}

bool CFont::readFromXml(IO::CXMLNode* node)
{
    if (node == nullptr)
    {
        return false;
    }
    m_faceName = node->getAttributeValue("font_name");
    m_size = Basics::CString::stringToLong(node->getAttributeValue("font_size"));
    m_italic = node->getAttributeValue("italic") == "True";
    m_bold = node->getAttributeValue("bold") == "True";
    rebuildNativeFont();
    return true;
}

namespace
{
CFont* g_defaultFont = nullptr;
}

CFont* CFont::getDefaultFont()
{
    if (g_defaultFont == nullptr)
    {
        g_defaultFont = new CFont("Arial", kDefaultSize, false, false);
        g_defaultFont->referenced();
    }
    return g_defaultFont;
}

void CFont::releaseDefaultFont()
{
    if (g_defaultFont)
    {
        g_defaultFont->dereference();
        g_defaultFont = nullptr;
    }
}

} // namespace Vantor::GUI::Fonts
