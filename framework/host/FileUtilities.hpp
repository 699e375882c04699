#pragma once

#include "framework/basics/String.hpp"

namespace Vantor::Host
{

// File-system functions of the framework; never instantiated.
class CFileUtilities : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CFileUtilities);

    // Whether the file can be opened for reading.
    static bool fileExists(const Basics::CString& path);

private:
    CFileUtilities() = default;
};

} // namespace Vantor::Host
