#include "framework/host/DLLLoader.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/host/FileUtilities.hpp"
#include "framework/platform/Module.hpp"

#include <type_traits>

namespace Vantor::Host
{

static_assert(std::is_same_v<Platform::LibraryHandle, void*>, "the loader keeps the platform's handle as is");

VANTOR_DEFINE_CLASS(Vantor::Host::CDLLLoader, "CDLLLoader", "CCountedObject")

CDLLLoader::CDLLLoader() : m_library(nullptr) {}

CDLLLoader::CDLLLoader(const Basics::CString& path) : m_library(nullptr)
{
    loadDll(path);
}

CDLLLoader::~CDLLLoader()
{
    unloadDll();
}

void CDLLLoader::loadDll(const Basics::CString& path)
{
    if (!CFileUtilities::fileExists(path))
    {
        Basics::CString reason(path);
        reason += " doesnt exist";
        throw Exceptions::CException(reason, "CDLLLoader::loadDll(const CString &)");
    }
    unloadDll();
    m_path = path;
    m_library = Platform::loadLibrary(path.getString());
}

void* CDLLLoader::getFunction(const Basics::CString& name) const
{
    return Platform::getLibrarySymbol(m_library, name.getString());
}

void CDLLLoader::unloadDll()
{
    Platform::freeLibrary(m_library);
    m_library = nullptr;
}

} // namespace Vantor::Host
