// The built module loaded and unloaded again and again in one process, as a host
// does when it scans, opens and closes projects. Under the sanitizer build the
// leak check at exit catches anything a load leaves behind.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "framework/vst/VstAbi.hpp"

using namespace Vantor::Vst;

namespace
{

VstIntPtr VANTOR_VSTCALL lifetimeHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

using EntryPoint = AEffect* (*)(audioMasterCallback);

} // namespace

TEST(ModuleLifetime, LoadingAndUnloadingAHundredTimesLeavesNothingBehind)
{
    for (int round = 0; round < 100; ++round)
    {
        void* module = dlopen(PRESSORALITE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
        auto entry = reinterpret_cast<EntryPoint>(dlsym(module, "VSTPluginMain"));
        ASSERT_NE(entry, nullptr);
        AEffect* effect = entry(lifetimeHost);
        ASSERT_NE(effect, nullptr) << "round " << round;

        float left[64] = {0.5f}, right[64] = {-0.5f};
        float* channels[2] = {left, right};
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
        effect->processReplacing(effect, channels, channels, 64);
        effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);

        ASSERT_EQ(dlclose(module), 0);
        // The module really went: otherwise a load would not run its start-up again.
        if (void* still = dlopen(PRESSORALITE_PATH, RTLD_NOW | RTLD_NOLOAD))
        {
            dlclose(still);
            FAIL() << "the module stayed loaded after round " << round;
        }
    }
}
