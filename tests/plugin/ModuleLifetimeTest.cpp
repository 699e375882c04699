// The built module loaded and unloaded again and again in one process, as a host
// does when it scans, opens and closes projects. Under the sanitizer build the
// leak check at exit catches anything a load leaves behind; in the others the
// heap in use must not grow from round to round (the shipped module carries its
// own C++ runtime, whose allocations the sanitizer build cannot see).
#include <gtest/gtest.h>

#include <cstddef>

#include "framework/platform/Module.hpp"
#include "framework/vst/VstAbi.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <malloc.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <malloc.h>
#endif

using namespace Vantor::Vst;
namespace Platform = Vantor::Platform;

namespace
{

VstIntPtr VANTOR_VSTCALL lifetimeHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

using EntryPoint = AEffect* (*)(audioMasterCallback);

// How much the heap may grow over the 99 loads after the first. The threading
// runtime linked into the Windows DLL keeps a few blocks of its own at every load
// (under 1 KB together: mutexes it made on first use and its record of the loading
// thread), and nothing outside the runtime can free them.
#ifdef _WIN32
constexpr std::size_t kAllowedGrowth = (64 + 99) * 1024;
#else
constexpr std::size_t kAllowedGrowth = 64 * 1024;
#endif

// Whether the module holding this code address is still mapped into the process.
bool stillLoaded(void* code)
{
#ifdef _WIN32
    HMODULE module = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(code), &module) != 0;
#else
    static_cast<void>(code);
    void* still = dlopen(PRESSORALITE_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (still != nullptr)
    {
        dlclose(still);
    }
    return still != nullptr;
#endif
}

// Bytes of the C runtime's heap in use (the module allocates from the same heap).
std::size_t heapInUse()
{
#ifdef _WIN32
    std::size_t used = 0;
    _HEAPINFO block{};
    while (_heapwalk(&block) == _HEAPOK)
    {
        used += block._useflag == _USEDENTRY ? block._size : 0;
    }
    return used;
#else
    return mallinfo2().uordblks;
#endif
}

} // namespace

TEST(ModuleLifetime, LoadingAndUnloadingAHundredTimesLeavesNothingBehind)
{
    std::size_t heapAfterFirstRound = 0;
    for (int round = 0; round < 100; ++round)
    {
        Platform::LibraryHandle module = Platform::loadLibrary(PRESSORALITE_PATH);
        ASSERT_NE(module, nullptr) << "round " << round;
        auto entry = reinterpret_cast<EntryPoint>(Platform::getLibrarySymbol(module, "VSTPluginMain"));
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

        Platform::freeLibrary(module);
        // The module really went: otherwise a load would not run its start-up again.
        ASSERT_FALSE(stillLoaded(reinterpret_cast<void*>(entry)))
            << "the module stayed loaded after round " << round;
        if (round == 0)
        {
            heapAfterFirstRound = heapInUse();
        }
    }
    // A leak of even one small block per load would add up over 99 rounds.
    EXPECT_LT(heapInUse(), heapAfterFirstRound + kAllowedGrowth);
}
