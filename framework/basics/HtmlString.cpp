#include "framework/basics/HtmlString.hpp"

#include <cstring>

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CHtmlString, "CHtmlString", "CCountedObject")

namespace
{

constexpr const char* kWebPrefix = "http://";
constexpr const char* kFilePrefix = "file://";
constexpr std::size_t kPrefixLength = 7;

CHtmlString::AddressOpener g_opener = nullptr;

} // namespace

CHtmlString::CHtmlString(const char* text) : CSystemString(text) {}

CHtmlString::CHtmlString(const CString& text) : CSystemString(text) {}

CHtmlString::CHtmlString(const CSystemString& text) : CSystemString(text) {}

CHtmlString::CHtmlString(const CHtmlString& other) : CSystemString(other) {}

CHtmlString& CHtmlString::operator=(const CHtmlString& other)
{
    CSystemString::operator=(other);
    return *this;
}

bool CHtmlString::isWebAddress() const
{
    return std::strncmp(getString(), kWebPrefix, kPrefixLength) == 0;
}

bool CHtmlString::isFileAddress() const
{
    return std::strncmp(getString(), kFilePrefix, kPrefixLength) == 0;
}

void CHtmlString::addAddressPrefix(bool web)
{
    CString address(web ? kWebPrefix : kFilePrefix);
    address.appendString(getString());
    setString(address);
}

bool CHtmlString::openAddress()
{
    if (!isWebAddress() && !isFileAddress())
    {
        addAddressPrefix(true);
    }
    return g_opener != nullptr && g_opener(getString());
}

void CHtmlString::setAddressOpener(AddressOpener opener)
{
    g_opener = opener;
}

} // namespace Vantor::Basics
