#include "framework/basics/SystemString.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CSystemString, "CSystemString", "CCountedObject")

namespace
{

#if defined(_WIN32)
char g_separator = '\\';
#else
char g_separator = '/';
#endif

// The components of a path. A leading run of separators is the root of an
// absolute path ("/" or "\\\\server") and is component 0 as it stands; after it
// every non-empty text between separators is one component, so doubled and
// trailing separators add none and what is counted can also be read.
std::vector<std::string> splitPath(const char* text, char separator)
{
    std::vector<std::string> components;
    const char* c = text;
    while (*c == separator)
    {
        ++c;
    }
    if (c != text)
    {
        components.emplace_back(text, c);
    }
    while (*c != '\0')
    {
        const char* end = c;
        while (*end != '\0' && *end != separator)
        {
            ++end;
        }
        if (end != c)
        {
            components.emplace_back(c, end);
        }
        c = *end == '\0' ? end : end + 1;
    }
    return components;
}

} // namespace

char CSystemString::getSeparator()
{
    return g_separator;
}

void CSystemString::setSeparator(char separator)
{
    g_separator = separator;
}

CSystemString::CSystemString(const char* text) : CString(text) {}

CSystemString::CSystemString(const CString& text) : CString(text) {}

CSystemString::CSystemString(const CSystemString& other) : CString(other) {}

CSystemString& CSystemString::operator=(const CSystemString& other)
{
    if (this != &other)
    {
        setString(other);
    }
    return *this;
}

CString& CSystemString::operator=(const char* text)
{
    setString(text);
    return *this;
}

CString& CSystemString::operator+=(const char* text)
{
    appendSeparator();
    appendString(text);
    return *this;
}

CString& CSystemString::operator+=(const CString& text)
{
    return operator+=(text.getString());
}

bool CSystemString::hasExtension(const CString& extension) const
{
    return hasExtension(extension.getString());
}

bool CSystemString::hasExtension(const char* extension) const
{
    if (extension == nullptr)
    {
        return false;
    }
    const long length = static_cast<long>(std::strlen(extension));
    const long ownLength = m_size - 1;
    return length <= ownLength &&
           std::memcmp(m_text + ownLength - length, extension, static_cast<std::size_t>(length)) == 0;
}

bool CSystemString::hasAnyExtension() const
{
    return findLastDot() > 0;
}

bool CSystemString::hasNoExtension() const
{
    return !hasAnyExtension();
}

void CSystemString::appendExtension(const CString& extension, bool replace)
{
    appendExtension(extension.getString(), replace);
}

void CSystemString::appendExtension(const char* extension, bool replace)
{
    if (replace)
    {
        removeExtension();
    }
    appendString(".");
    appendString(extension);
}

void CSystemString::removeExtension()
{
    const long dot = findLastDot();
    if (dot > 0)
    {
        storeText(m_text, dot);
    }
}

void CSystemString::removeFileName()
{
    const long separator = findLastSeparator();
    if (separator >= 0)
    {
        storeText(m_text, separator + 1);
    }
}

CString CSystemString::getPath() const
{
    if (hasNoExtension())
    {
        return CString(m_text);
    }
    const long separator = findLastSeparator();
    return separator < 0 ? CString("") : getSubString(0, separator);
}

void CSystemString::appendSeparator()
{
    appendString(getSeparator());
}

void CSystemString::appendPath(const CString& part)
{
    if (characterAt(m_size - 2) != getSeparator())
    {
        appendSeparator();
    }
    appendString(part);
}

CString CSystemString::getDrive(bool withSeparator) const
{
    if (!withSeparator)
    {
        return getSubString(0, 0);
    }
    const long separator = findForward(getSeparator());
    return separator < 0 ? CString("") : getSubString(0, separator);
}

CString CSystemString::getExtension() const
{
    const long dot = findLastDot();
    return dot < 0 ? CString("") : CString(m_text + dot);
}

CString CSystemString::getFileName() const
{
    const long separator = findLastSeparator();
    return separator < 0 ? CString("") : CString(m_text + separator + 1);
}

std::int32_t CSystemString::getNumberOfPathComponents() const
{
    return static_cast<std::int32_t>(splitPath(m_text, getSeparator()).size());
}

CString* CSystemString::getPathComponent(long index) const
{
    const std::vector<std::string> components = splitPath(m_text, getSeparator());
    if (index < 0 || index >= static_cast<long>(components.size()))
    {
        return nullptr;
    }
    auto* component = new CString(components[static_cast<std::size_t>(index)].c_str());
    // The first component names where the path starts ("C:" becomes "C:\\");
    // an absolute path's root already is a separator.
    if (index == 0 && component->characterAt(0) != getSeparator())
    {
        component->appendString(getSeparator());
    }
    return component;
}

CString CSystemString::getLastPathComponent() const
{
    const std::vector<std::string> components = splitPath(m_text, getSeparator());
    return components.empty() ? CString() : CString(components.back().c_str());
}

void CSystemString::removeLastPathComponent()
{
    const long separator = findLastSeparator();
    if (separator - 1 > 0)
    {
        storeText(m_text, separator);
    }
}

void CSystemString::removeDrive()
{
    const long separator = findForward(getSeparator());
    if (separator < 0)
    {
        setString("");
    }
    else
    {
        storeText(m_text + separator, m_size - 1 - separator);
    }
}

void CSystemString::convertSlashes()
{
    replaceCharWithChar(getSeparator() == '\\' ? '/' : '\\', getSeparator());
}

} // namespace Vantor::Basics
