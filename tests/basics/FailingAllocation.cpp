#include "tests/basics/FailingAllocation.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_failNext{false};
}

void Vantor::Testing::failNextAllocation()
{
    g_failNext = true;
}

// Replacements of the global allocation functions; every other form of new and
// delete forwards to these.
void *operator new(std::size_t size)
{
    if (g_failNext.exchange(false))
        throw std::bad_alloc();
    if (void *memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void *operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void *memory) noexcept
{
    std::free(memory);
}

void operator delete[](void *memory) noexcept
{
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void *memory, std::size_t) noexcept
{
    std::free(memory);
}
