#pragma once

#include "framework/basics/SystemString.hpp"

namespace Vantor::Basics
{

// A web or file address that can be opened in the system's browser.
class CHtmlString : public CSystemString
{
public:
    VANTOR_DECLARE_CLASS(CHtmlString);

    // Opens an address with the system's shell; answers whether it could.
    using AddressOpener = bool (*)(const char* address);

    CHtmlString(const char* text = " ");
    CHtmlString(const CString& text);
    CHtmlString(const CSystemString& text);
    CHtmlString(const CHtmlString& other);
    using CSystemString::operator=;
    CHtmlString& operator=(const CHtmlString& other);

    // Whether the text begins with "http://" / "file://".
    bool isWebAddress() const;
    bool isFileAddress() const;
    // Puts "http://" (web) or "file://" in front of the text.
    void addAddressPrefix(bool web);
    // Prefixes "http://" unless the text already has either prefix, then hands
    // the address to the installed opener. False when none is installed.
    bool openAddress();

    // The platform layer installs the shell call here; tests install a recorder.
    static void setAddressOpener(AddressOpener opener);
};

} // namespace Vantor::Basics
