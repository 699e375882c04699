#include "tests/AllocationHooks.hpp"

#include <atomic>
#include <cstdlib>
#include <new>
#ifdef _WIN32
#include <malloc.h>
#endif

namespace
{
std::atomic<bool> g_failNext{false};
std::atomic<bool> g_failAll{false};
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

// Asked by every allocating form first: fail, or count.
void announce()
{
    if (g_failNext.exchange(false) || g_failAll)
    {
        throw std::bad_alloc();
    }
    if (g_counting.load(std::memory_order_relaxed))
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

void* allocate(std::size_t size)
{
    announce();
    if (void* block = std::malloc(size == 0 ? 1 : size))
    {
        return block;
    }
    throw std::bad_alloc();
}

// Windows' C library has no aligned_alloc; its aligned blocks need their own release.
void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    announce();
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
#ifdef _WIN32
    void* block = _aligned_malloc(rounded, align);
#else
    void* block = std::aligned_alloc(align, rounded);
#endif
    if (block != nullptr)
    {
        return block;
    }
    throw std::bad_alloc();
}

void releaseAligned(void* block)
{
#ifdef _WIN32
    _aligned_free(block);
#else
    std::free(block);
#endif
}
} // namespace

void Vantor::Testing::failNextAllocation()
{
    g_failNext = true;
}

void Vantor::Testing::failAllAllocations(bool fail)
{
    g_failAll = fail;
}

Vantor::Testing::CAllocationCounter::CAllocationCounter()
{
    g_allocations = 0;
    g_counting = true;
}

Vantor::Testing::CAllocationCounter::~CAllocationCounter()
{
    g_counting = false;
}

long Vantor::Testing::CAllocationCounter::count() const
{
    return g_allocations.load();
}

// Every form is replaced, not only the two that the others call: memory is then
// always released by the allocator that made it, and a sanitizer runtime, which
// intercepts each form itself, never pairs its own allocation with free() here.
void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate(size);
    }
    catch (const std::bad_alloc&)
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
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
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
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept
{
    releaseAligned(block);
}
void operator delete[](void* block, std::align_val_t) noexcept
{
    releaseAligned(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    releaseAligned(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    releaseAligned(block);
}
