#include "plugin/Module.hpp"

#include "ProductVersion.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/ErrorBox.hpp"
#include "plugin/Quellor.hpp"

#include <memory>

namespace Vantor::Quellor
{

namespace
{
constexpr const char* kCompanyName = "Corvella";
constexpr const char* kApplicationName = "PressoraLite";
constexpr const char* kDescription = "Vst Compressor";
constexpr const char* kRegistryKeyPath = "Software\\Tamsk\\PressoraLite";
constexpr const char* kLegalNotice = "PressoraLite (c) Corvella. All rights reserved.";

constexpr const char* kEntryFailureText =
    "Caught exception in main function of Pressora. Cannot continue to load";
constexpr const char* kEntryFailureCaption = "Exception occurred";

// Set while the library loads, before any host can call the entry point.
EditorFactory g_editorFactory = nullptr;
} // namespace

void setEditorFactory(EditorFactory factory)
{
    g_editorFactory = factory;
}

void attachModule(Host::ModuleInstance instance)
{
    try
    {
        Host::CApplicationInformation::initialise(kCompanyName, kApplicationName, kDescription,
                                                  Product::kVersion, kRegistryKeyPath, kLegalNotice,
                                                  instance);
    }
    catch (...)
    {
        // The texts then read as unset; the effect still works.
    }
}

void detachModule()
{
    try
    {
        Host::CApplicationInformation::release();
    }
    catch (...)
    {
    }
}

Vst::AEffect* createEffect(Vst::audioMasterCallback audioMaster)
{
    if (audioMaster == nullptr || audioMaster(nullptr, Vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    {
        return nullptr;
    }
    try
    {
        std::unique_ptr<CQuellor> effect(new CQuellor(audioMaster));
        if (g_editorFactory != nullptr)
        {
            g_editorFactory(*effect);
        }
        return effect.release()->getAeffect();
    }
    catch (...)
    {
        Platform::showErrorBox(kEntryFailureText, kEntryFailureCaption);
        return nullptr;
    }
}

} // namespace Vantor::Quellor

extern "C" Vantor::Vst::AEffect* VANTOR_VSTCALL VSTPluginMain(Vantor::Vst::audioMasterCallback audioMaster)
{
    return Vantor::Quellor::createEffect(audioMaster);
}
