#pragma once

#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"

namespace Vantor::Host
{

// A loaded module (the plug-in library, a DLL or the executable) as the
// platform identifies it: the module's instance handle on Windows, an address
// inside the module elsewhere. Null stands for the executable.
using ModuleInstance = void*;

// What the processor offers, read once when the application information is
// filled in. Nothing in the framework depends on it.
struct SProcessorFeatures
{
    bool mmx = false;
    bool sse = false;
    bool sse2 = false;
    bool sse3 = false;
    bool hyperThreading = false;
};

// The process-wide facts about the running product: its texts, the folder
// of the module it was loaded from and that module's instance. The module
// entry fills them in when the library is loaded and releases them when it
// is unloaded; no other thread runs in the module at those times, so there
// is no locking. A text that was never set reads as " ".
class CApplicationInformation : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CApplicationInformation);

    // Fills every item in the customary order: company name, application
    // name, description, version, registry key path, legal notice, the
    // application path from the module's file name, the module instance and
    // the processor features.
    static void initialise(const Basics::CString& companyName, const Basics::CString& applicationName,
                           const Basics::CString& description, const Basics::CString& version,
                           const Basics::CString& registryKeyPath, const Basics::CString& legalNotice,
                           ModuleInstance instance);
    // Deletes every item (they read as unset again) and shuts the class
    // registry down without a report.
    static void release();

    static const Basics::CString& getCompanyName();
    static void setCompanyName(const Basics::CString& name);
    static const Basics::CString& getApplicationName();
    static void setApplicationName(const Basics::CString& name);
    static const Basics::CString& getVersionString();
    static void setVersionString(const Basics::CString& version);
    static const Basics::CString& getDescriptionString();
    static void setDescriptionString(const Basics::CString& description);
    static const Basics::CString& getLegalNotice();
    static void setLegalNotice(const Basics::CString& notice);
    static const Basics::CString& getRegistryKeyPath();
    static void setRegistryKeyPath(const Basics::CString& path);

    // The folder of the module file, without a trailing separator.
    static const Basics::CSystemString& getApplicationPath();
    // Takes the folder of the given module's file (null: the executable).
    static void setApplicationPath(ModuleInstance instance);

    static ModuleInstance getModuleInstance();
    static void setModuleInstance(ModuleInstance instance);

    // The application's main object; the framework never looks at it.
    static void* getApplicationObject();
    static void setApplicationObject(void* object);

    static const SProcessorFeatures& getProcessorFeatures();
    static void readProcessorFeatures();

    // The full file name of the running program.
    static void getExecutablePath(Basics::CSystemString& out);

private:
    CApplicationInformation() = default;
};

} // namespace Vantor::Host
