// The built module loaded and unloaded again and again in one process, as a host
// does when it scans, opens and closes projects. Under the sanitizer build the
// leak check at exit catches anything a load leaves behind; in the others the
// heap in use must not grow from round to round (the shipped module carries its
// own C++ runtime, whose allocations the sanitizer build cannot see).
#include <gtest/gtest.h>

#include <cstddef>
#include <dlfcn.h>
#include <malloc.h>

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
    std::size_t heapAfterFirstRound = 0;
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
        if (round == 0)
            heapAfterFirstRound = mallinfo2().uordblks;
    }
    // A leak of even one small block per load would add up over 99 rounds.
    EXPECT_LT(mallinfo2().uordblks, heapAfterFirstRound + 64 * 1024);
}
