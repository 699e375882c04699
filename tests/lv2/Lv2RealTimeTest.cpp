// run() of the built DSP library allocates nothing. The library carries its own
// C++ runtime, whose operator new nobody outside can replace; it ends in the C
// library's malloc, which this program replaces (for the whole process) by one
// that counts while a test arms it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>

#include "tests/lv2/Lv2TestHost.hpp"
#include "tests/plugin/QuellorTestSupport.hpp"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VANTOR_COUNTS_MALLOC 0
#else
#define VANTOR_COUNTS_MALLOC 1
#endif

namespace
{
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

#if VANTOR_COUNTS_MALLOC
void counted()
{
    if (g_counting.load(std::memory_order_relaxed))
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    }
}
#endif
} // namespace

#if VANTOR_COUNTS_MALLOC
// glibc's own allocator under its internal names; every form that allocates is counted.
extern "C"
{
    void* __libc_malloc(std::size_t size);
    void* __libc_calloc(std::size_t count, std::size_t size);
    void* __libc_realloc(void* block, std::size_t size);
    void* __libc_memalign(std::size_t alignment, std::size_t size);
    void __libc_free(void* block);

    void* malloc(std::size_t size) noexcept
    {
        counted();
        return __libc_malloc(size);
    }
    void* calloc(std::size_t count, std::size_t size) noexcept
    {
        counted();
        return __libc_calloc(count, size);
    }
    void* realloc(void* block, std::size_t size) noexcept
    {
        counted();
        return __libc_realloc(block, size);
    }
    void* memalign(std::size_t alignment, std::size_t size) noexcept
    {
        counted();
        return __libc_memalign(alignment, size);
    }
    void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept
    {
        counted();
        return __libc_memalign(alignment, size);
    }
    int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept
    {
        counted();
        *block = __libc_memalign(alignment, size);
        return *block != nullptr ? 0 : 12; // ENOMEM
    }
    void free(void* block) noexcept
    {
        __libc_free(block);
    }
}
#endif

TEST(Lv2RealTime, RunAllocatesNothingOnAnyPathOrCallSize)
{
#if !VANTOR_COUNTS_MALLOC
    GTEST_SKIP() << "the sanitizer owns malloc";
#endif
    using namespace Lv2Test;
    CWorld world;
    const QuellorTest::SStereo input = QuellorTest::programme(40000);
    std::vector<float> left(input.size()), right(input.size());
    for (const char* uri : {Vantor::Quellor::Lv2::kPluginUri, Vantor::Quellor::Lv2::kSideChainPluginUri})
    {
        CInstance instance(world, uri, 44100.0);
        ASSERT_TRUE(instance.valid());
        g_allocations = 0;
        g_counting = true;
        std::size_t done = 0;
        // Every call changes a control and some switch the bypass: every path runs.
        for (const uint32_t frames : {0u, 1u, 17u, 512u, 4096u, 300u, 5000u, 64u, 3u, 2048u})
        {
            instance.setParameter(static_cast<int>(done % 6), static_cast<float>(frames % 7) * 0.1f);
            instance.setEnabled(frames % 3 != 0);
            instance.run(input.left.data() + done, input.right.data() + done, left.data() + done,
                         right.data() + done, frames, input.right.data() + done, input.left.data() + done);
            done += frames;
        }
        g_counting = false;
        EXPECT_EQ(g_allocations.load(), 0) << uri;
    }
    // The counter itself works: lilv allocates when it makes an instance.
    g_allocations = 0;
    g_counting = true;
    {
        CInstance instance(world, Vantor::Quellor::Lv2::kPluginUri, 44100.0);
    }
    g_counting = false;
    EXPECT_GT(g_allocations.load(), 0);
}
