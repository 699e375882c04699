#include "framework/host/ApplicationInformation.hpp"

#include "framework/basics/ClassManager.hpp"
#include "framework/platform/Module.hpp"

#include <type_traits>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace Vantor::Host
{

static_assert(std::is_same_v<ModuleInstance, Platform::ModuleInstance>,
              "the host layer hands module instances to the platform unchanged");

VANTOR_DEFINE_CLASS(Vantor::Host::CApplicationInformation, "CApplicationInformation", "CCountedObject")

namespace
{

// Each item exists from its first use until release().
struct SItems
{
    Basics::CString* companyName = nullptr;
    Basics::CString* applicationName = nullptr;
    Basics::CString* versionString = nullptr;
    Basics::CString* descriptionString = nullptr;
    Basics::CString* legalNotice = nullptr;
    Basics::CString* registryKeyPath = nullptr;
    Basics::CSystemString* applicationPath = nullptr;
    ModuleInstance moduleInstance = nullptr;
    void* applicationObject = nullptr;
    SProcessorFeatures processorFeatures;
};

SItems& items()
{
    static SItems instance;
    return instance;
}

template <class Text> Text& itemOf(Text*& item)
{
    if (item == nullptr)
    {
        item = new Text(" ");
    }
    return *item;
}

template <class Text> void releaseItem(Text*& item)
{
    delete item;
    item = nullptr;
}

} // namespace

void CApplicationInformation::initialise(const Basics::CString& companyName,
                                         const Basics::CString& applicationName,
                                         const Basics::CString& description, const Basics::CString& version,
                                         const Basics::CString& registryKeyPath,
                                         const Basics::CString& legalNotice, ModuleInstance instance)
{
    setCompanyName(companyName);
    setApplicationName(applicationName);
    setDescriptionString(description);
    setVersionString(version);
    setRegistryKeyPath(registryKeyPath);
    setLegalNotice(legalNotice);
    setApplicationPath(instance);
    setModuleInstance(instance);
    readProcessorFeatures();
}

void CApplicationInformation::release()
{
    SItems& all = items();
    releaseItem(all.companyName);
    releaseItem(all.applicationName);
    releaseItem(all.versionString);
    releaseItem(all.descriptionString);
    releaseItem(all.legalNotice);
    releaseItem(all.registryKeyPath);
    releaseItem(all.applicationPath);
    all.moduleInstance = nullptr;
    all.applicationObject = nullptr;
    all.processorFeatures = SProcessorFeatures();
    Basics::shutdownClassManager(nullptr);
}

const Basics::CString& CApplicationInformation::getCompanyName()
{
    return itemOf(items().companyName);
}

void CApplicationInformation::setCompanyName(const Basics::CString& name)
{
    itemOf(items().companyName).setString(name);
}

const Basics::CString& CApplicationInformation::getApplicationName()
{
    return itemOf(items().applicationName);
}

void CApplicationInformation::setApplicationName(const Basics::CString& name)
{
    itemOf(items().applicationName).setString(name);
}

const Basics::CString& CApplicationInformation::getVersionString()
{
    return itemOf(items().versionString);
}

void CApplicationInformation::setVersionString(const Basics::CString& version)
{
    itemOf(items().versionString).setString(version);
}

const Basics::CString& CApplicationInformation::getDescriptionString()
{
    return itemOf(items().descriptionString);
}

void CApplicationInformation::setDescriptionString(const Basics::CString& description)
{
    itemOf(items().descriptionString).setString(description);
}

const Basics::CString& CApplicationInformation::getLegalNotice()
{
    return itemOf(items().legalNotice);
}

void CApplicationInformation::setLegalNotice(const Basics::CString& notice)
{
    itemOf(items().legalNotice).setString(notice);
}

const Basics::CString& CApplicationInformation::getRegistryKeyPath()
{
    return itemOf(items().registryKeyPath);
}

void CApplicationInformation::setRegistryKeyPath(const Basics::CString& path)
{
    itemOf(items().registryKeyPath).setString(path);
}

const Basics::CSystemString& CApplicationInformation::getApplicationPath()
{
    return itemOf(items().applicationPath);
}

void CApplicationInformation::setApplicationPath(ModuleInstance instance)
{
    Basics::CSystemString& path = itemOf(items().applicationPath);
    path.setString(Platform::getModuleFileName(instance).c_str());
    path.removeLastPathComponent();
}

ModuleInstance CApplicationInformation::getModuleInstance()
{
    return items().moduleInstance;
}

void CApplicationInformation::setModuleInstance(ModuleInstance instance)
{
    items().moduleInstance = instance;
}

void* CApplicationInformation::getApplicationObject()
{
    return items().applicationObject;
}

void CApplicationInformation::setApplicationObject(void* object)
{
    items().applicationObject = object;
}

const SProcessorFeatures& CApplicationInformation::getProcessorFeatures()
{
    return items().processorFeatures;
}

void CApplicationInformation::readProcessorFeatures()
{
    SProcessorFeatures features;
#if defined(__i386__) || defined(__x86_64__)
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0)
    {
        features.mmx = (edx & (1u << 23)) != 0;
        features.sse = (edx & (1u << 25)) != 0;
        features.sse2 = (edx & (1u << 26)) != 0;
        features.hyperThreading = (edx & (1u << 28)) != 0;
        features.sse3 = (ecx & 1u) != 0;
    }
#endif
    items().processorFeatures = features;
}

void CApplicationInformation::getExecutablePath(Basics::CSystemString& out)
{
    out.setString(Platform::getModuleFileName(nullptr).c_str());
}

} // namespace Vantor::Host
