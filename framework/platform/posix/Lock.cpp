// The recursive lock on POSIX systems: a recursive pthread mutex.
#include "framework/platform/Lock.hpp"

#include <pthread.h>

#include <new>

namespace Vantor::Platform
{

struct NativeLock
{
    pthread_mutex_t mutex;
};

NativeLock* createLock()
{
    auto* lock = new (std::nothrow) NativeLock;
    if (lock == nullptr)
    {
        return nullptr;
    }
    pthread_mutexattr_t attributes;
    ::pthread_mutexattr_init(&attributes);
    ::pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    const int result = ::pthread_mutex_init(&lock->mutex, &attributes);
    ::pthread_mutexattr_destroy(&attributes);
    if (result != 0)
    {
        delete lock;
        return nullptr;
    }
    return lock;
}

void destroyLock(NativeLock* lock)
{
    if (lock != nullptr)
    {
        ::pthread_mutex_destroy(&lock->mutex);
        delete lock;
    }
}

void enterLock(NativeLock* lock)
{
    ::pthread_mutex_lock(&lock->mutex);
}

bool tryEnterLock(NativeLock* lock)
{
    return ::pthread_mutex_trylock(&lock->mutex) == 0;
}

void leaveLock(NativeLock* lock)
{
    ::pthread_mutex_unlock(&lock->mutex);
}

} // namespace Vantor::Platform
