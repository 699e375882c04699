#include "tests/basics/FailingAllocation.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> g_failNext{false};
std::atomic<bool> g_failAll{false};
} // namespace

void Vantor::Testing::failNextAllocation()
{
    g_failNext = true;
}

// Replacements of the global allocation functions. All forms that the program
// and the standard library use are replaced together, so that memory is always
// released by the allocator that made it (sanitizers check this).
void Vantor::Testing::failAllAllocations(bool fail)
{
    g_failAll = fail;
}

void* operator new(std::size_t size)
{
    if (g_failNext.exchange(false) || g_failAll)
    {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
    {
        return memory;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return operator new(size);
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

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
