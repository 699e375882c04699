// The LV2 DSP library: its descriptors (exported as lv2_descriptor, the only
// symbol it exports) and its load and unload hooks. Nothing here lets an
// exception reach the host.
#include <lv2/core/lv2.h>

#include <cstring>
#include <new>

#include "framework/platform/LibraryHooks.hpp"
#include "lv2/Lv2Compressor.hpp"
#include "lv2/Ports.hpp"
#include "plugin/Module.hpp"
#include "plugin/RuntimePool.hpp"

namespace
{
using Vantor::Quellor::Lv2::CLv2Compressor;

CLv2Compressor* instanceOf(LV2_Handle handle)
{
    return static_cast<CLv2Compressor*>(handle);
}

template <bool kSideChain>
LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const*)
{
    try
    {
        return new CLv2Compressor(sampleRate, kSideChain);
    }
    catch (...)
    {
        return nullptr;
    }
}

void connectPort(LV2_Handle handle, uint32_t port, void* data)
{
    instanceOf(handle)->connectPort(port, data);
}

void activate(LV2_Handle handle)
{
    instanceOf(handle)->activate();
}

void run(LV2_Handle handle, uint32_t frames)
{
    instanceOf(handle)->run(frames);
}

void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle)
{
    delete instanceOf(handle);
}

const void* extensionData(const char*)
{
    return nullptr;
}

const LV2_Descriptor kDescriptors[] = {
    {Vantor::Quellor::Lv2::kPluginUri, instantiate<false>, connectPort, activate, run, deactivate, cleanup,
     extensionData},
    {Vantor::Quellor::Lv2::kSideChainPluginUri, instantiate<true>, connectPort, activate, run, deactivate,
     cleanup, extensionData},
};
} // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index < sizeof kDescriptors / sizeof kDescriptors[0] ? &kDescriptors[index] : nullptr;
}

// Load: the application information (the effect's texts); unload: its release.
void Vantor::Platform::onLibraryLoad(ModuleInstance module)
{
    Vantor::Quellor::attachModule(module);
}

void Vantor::Platform::onLibraryUnload(bool processEnding)
{
    Vantor::Quellor::detachModule();
    Vantor::Quellor::releaseRuntimePool(processEnding);
}
