// The recursive lock on Windows: a heap-held critical section.
#include "framework/platform/Lock.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <new>

namespace Vantor::Platform
{

struct NativeLock
{
    CRITICAL_SECTION section;
};

NativeLock* createLock()
{
    auto* lock = new (std::nothrow) NativeLock;
    if (lock != nullptr)
    {
        ::InitializeCriticalSection(&lock->section);
    }
    return lock;
}

void destroyLock(NativeLock* lock)
{
    if (lock != nullptr)
    {
        ::DeleteCriticalSection(&lock->section);
        delete lock;
    }
}

void enterLock(NativeLock* lock)
{
    ::EnterCriticalSection(&lock->section);
}

bool tryEnterLock(NativeLock* lock)
{
    return ::TryEnterCriticalSection(&lock->section) != FALSE;
}

void leaveLock(NativeLock* lock)
{
    ::LeaveCriticalSection(&lock->section);
}

} // namespace Vantor::Platform
