#include "framework/host/FileUtilities.hpp"

#include <cstdio>

namespace Vantor::Host
{

VANTOR_DEFINE_CLASS(Vantor::Host::CFileUtilities, "CFileUtilities", "CCountedObject")

bool CFileUtilities::fileExists(const Basics::CString& path)
{
    std::FILE* file = std::fopen(path.getString(), "rb");
    if (file == nullptr)
    {
        return false;
    }
    std::fclose(file);
    return true;
}

} // namespace Vantor::Host
