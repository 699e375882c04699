#pragma once

#include <stdexcept>

namespace Vantor::VstHost
{

// Everything that goes wrong on the host side (a module that does not load, a
// record with a bad magic, a plug-in that throws) arrives as this exception.
// Its text is one complete sentence fit to show a user as is.
class CHostError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace Vantor::VstHost
