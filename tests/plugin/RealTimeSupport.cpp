#include "tests/plugin/RealTimeSupport.hpp"

#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>
#ifdef _WIN32
#include <malloc.h>
#endif

#include "plugin/Quellor.hpp"
#include "tests/plugin/QuellorTestSupport.hpp"

namespace
{
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void* countedAllocation(std::size_t size)
{
    if (g_counting.load(std::memory_order_relaxed))
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
    {
        return block;
    }
    throw std::bad_alloc();
}

// Windows' C library has no aligned_alloc; its aligned blocks need their own release.
void* alignedAllocate(std::size_t alignment, std::size_t size)
{
#ifdef _WIN32
    return _aligned_malloc(size, alignment);
#else
    return std::aligned_alloc(alignment, size);
#endif
}

void alignedRelease(void* block)
{
#ifdef _WIN32
    _aligned_free(block);
#else
    std::free(block);
#endif
}

void* countedAlignedAllocation(std::size_t size, std::align_val_t alignment)
{
    if (g_counting.load(std::memory_order_relaxed))
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    }
    const auto align = static_cast<std::size_t>(alignment);
    if (void* block = alignedAllocate(align, (size + align - 1) / align * align))
    {
        return block;
    }
    throw std::bad_alloc();
}
} // namespace

// Every allocating form is replaced, not only the two that the library's array
// and nothrow forms call: a sanitizer runtime intercepts each form itself and
// would pair its own allocation with the free() below.
void* operator new(std::size_t size)
{
    return countedAllocation(size);
}
void* operator new[](std::size_t size)
{
    return countedAllocation(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return countedAllocation(size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void* operator new(std::size_t size, std::align_val_t alignment)
{
    return countedAlignedAllocation(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return countedAlignedAllocation(size, alignment);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept
{
    alignedRelease(block);
}
void operator delete[](void* block, std::align_val_t) noexcept
{
    alignedRelease(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    alignedRelease(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    alignedRelease(block);
}

namespace RealTimeTest
{

CAllocationCounter::CAllocationCounter()
{
    g_allocations = 0;
    g_counting = true;
}

CAllocationCounter::~CAllocationCounter()
{
    g_counting = false;
}

long CAllocationCounter::count() const
{
    return g_allocations.load();
}

long audioThreadAllocations(Vantor::Quellor::CQuellor& effect)
{
    using Vantor::Quellor::CQuellor;
    using Vantor::Vst::VstInt32;
    QuellorTest::SStereo input = QuellorTest::programme(8192);
    QuellorTest::SStereo output = input;
    QuellorTest::CMidiBlock midi;
    midi.addMidi(0xB0, 5, 0);
    midi.addMidi(0xB0, 71, 20);
    midi.addMidi(0xB0, 70, 100);
    midi.addMidi(0xB0, 74, 64);
    midi.addMidi(0x90, 60, 100);
    Vantor::Vst::VstEvents* events = midi.events();

    long allocations = -1;
    std::thread audio(
        [&]
        {
            CAllocationCounter counter;
            std::size_t done = 0;
            for (VstInt32 size : {1, 5, 16, 17, 64, 511, 512, 4096})
            {
                float* inputs[2] = {input.left.data() + done, input.right.data() + done};
                float* outputs[2] = {output.left.data() + done, output.right.data() + done};
                effect.processEvents(events);
                for (int index = 0; index < CQuellor::kNumParameters; ++index)
                {
                    effect.setParameter(index, 0.25f);
                }
                effect.processReplacing(inputs, outputs, size);
                done += static_cast<std::size_t>(size);
            }
            effect.processReplacing(nullptr, nullptr, 0);
            allocations = counter.count();
        });
    audio.join();
    return allocations;
}

} // namespace RealTimeTest
