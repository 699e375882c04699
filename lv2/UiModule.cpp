// The LV2 UI library: the editor's descriptors (exported as lv2ui_descriptor,
// the only symbol it exports) and the library's load and unload hooks. The UI
// embeds in the host's window (ui:parent), is driven by the host's idle calls
// (ui:idleInterface), tells the host its size (ui:resize), wraps gestures in
// ui:touch and keeps the host's ui:scaleFactor. Nothing here lets an exception
// reach the host.
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "editor/EditorModule.hpp"
#include "framework/platform/LibraryHooks.hpp"
#include "lv2/Lv2Editor.hpp"
#include "lv2/Ports.hpp"
#include "plugin/Module.hpp"
#include "plugin/RuntimePool.hpp"

namespace
{
using Vantor::Quellor::Lv2::CLv2Editor;

// One UI instance and what it needs to read the host's options.
struct SInstance
{
    CLv2Editor* editor = nullptr;
    LV2_URID scaleFactorKey = 0;
    LV2_URID floatType = 0;
};

SInstance* instanceOf(LV2UI_Handle handle)
{
    return static_cast<SInstance*>(handle);
}

// The host's scale factor among its options, 0 when it gives none.
float hostScaleOf(const SInstance& instance, const LV2_Options_Option* options)
{
    return Vantor::Quellor::Lv2::scaleFactorOf(options, instance.scaleFactorKey, instance.floatType, 0.0f);
}

// A later change of the host's options: a new scale redraws the editor at it.
uint32_t takeOptions(SInstance& instance, const LV2_Options_Option* options)
{
    const float scale = hostScaleOf(instance, options);
    if (scale > 0.0f)
    {
        instance.editor->setHostScale(scale);
    }
    return LV2_OPTIONS_SUCCESS;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char*, const char* bundlePath,
                         LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features)
{
    try
    {
        Vantor::Quellor::Lv2::SUiHost host;
        host.write = write;
        host.controller = controller;
        void* parent = nullptr;
        const LV2_URID_Map* map = nullptr;
        const LV2_Options_Option* options = nullptr;
        for (const LV2_Feature* const* feature = features; feature != nullptr && *feature != nullptr;
             ++feature)
        {
            const char* uri = (*feature)->URI;
            void* data = (*feature)->data;
            if (std::strcmp(uri, LV2_UI__parent) == 0)
            {
                parent = data;
            }
            else if (std::strcmp(uri, LV2_UI__resize) == 0)
            {
                host.resize = static_cast<const LV2UI_Resize*>(data);
            }
            else if (std::strcmp(uri, LV2_UI__touch) == 0)
            {
                host.touch = static_cast<const LV2UI_Touch*>(data);
            }
            else if (std::strcmp(uri, LV2_URID__map) == 0)
            {
                map = static_cast<const LV2_URID_Map*>(data);
            }
            else if (std::strcmp(uri, LV2_OPTIONS__options) == 0)
            {
                options = static_cast<const LV2_Options_Option*>(data);
            }
        }
        if (parent == nullptr || widget == nullptr)
        {
            std::fprintf(stderr, "PressoraLite: the host gave the editor no parent window\n");
            return nullptr;
        }
        std::string resources = bundlePath != nullptr ? bundlePath : ".";
        if (!resources.empty() && resources.back() != '/')
        {
            resources += '/';
        }
        resources += "Resources";

        auto* instance = new SInstance;
        if (map != nullptr && map->map != nullptr)
        {
            instance->scaleFactorKey = map->map(map->handle, LV2_UI__scaleFactor);
            instance->floatType = map->map(map->handle, LV2_ATOM__Float);
        }
        try
        {
            instance->editor =
                new CLv2Editor(host, resources.c_str(), reinterpret_cast<std::uintptr_t>(parent),
                               hostScaleOf(*instance, options));
        }
        catch (...)
        {
            delete instance;
            throw;
        }
        *widget = reinterpret_cast<LV2UI_Widget>(instance->editor->getWidget());
        if (host.resize != nullptr && host.resize->ui_resize != nullptr)
        {
            host.resize->ui_resize(host.resize->handle, instance->editor->getWidth(),
                                   instance->editor->getHeight());
        }
        return instance;
    }
    catch (...)
    {
        std::fprintf(stderr, "PressoraLite: the editor could not be opened\n");
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle)
{
    SInstance* instance = instanceOf(handle);
    try
    {
        delete instance->editor;
    }
    catch (...)
    {
    }
    delete instance;
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer)
{
    try
    {
        instanceOf(handle)->editor->portEvent(port, bufferSize, format, buffer);
    }
    catch (...)
    {
    }
}

int idle(LV2UI_Handle handle)
{
    try
    {
        instanceOf(handle)->editor->idle();
    }
    catch (...)
    {
    }
    return 0;
}

uint32_t getOptions(LV2_Handle, LV2_Options_Option*)
{
    return LV2_OPTIONS_ERR_UNKNOWN;
}

uint32_t setOptions(LV2_Handle handle, const LV2_Options_Option* options)
{
    return takeOptions(*static_cast<SInstance*>(handle), options);
}

const LV2UI_Idle_Interface kIdleInterface = {idle};
const LV2_Options_Interface kOptionsInterface = {getOptions, setOptions};

const void* extensionData(const char* uri)
{
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0)
    {
        return &kIdleInterface;
    }
    if (std::strcmp(uri, LV2_OPTIONS__interface) == 0)
    {
        return &kOptionsInterface;
    }
    return nullptr;
}

const LV2UI_Descriptor kDescriptors[] = {
    {Vantor::Quellor::Lv2::kUiUri, instantiate, cleanup, portEvent, extensionData},
    {Vantor::Quellor::Lv2::kSideChainUiUri, instantiate, cleanup, portEvent, extensionData},
};
} // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index < sizeof kDescriptors / sizeof kDescriptors[0] ? &kDescriptors[index] : nullptr;
}

// Load: the application information, then the GUI framework's shared objects (no
// display yet: the first instantiate opens it). Unload in the reverse order.
void Vantor::Platform::onLibraryLoad(ModuleInstance module)
{
    Vantor::Quellor::attachModule(module);
    Vantor::Quellor::attachEditorModule();
}

void Vantor::Platform::onLibraryUnload(bool processEnding)
{
    Vantor::Quellor::detachEditorModule();
    Vantor::Quellor::detachModule();
    Vantor::Quellor::releaseRuntimePool(processEnding);
}
