#pragma once

#include "framework/basics/CountedObject.hpp"

namespace Vantor::Platform
{
struct NativeLock;
}

namespace Vantor::Threading
{

// The framework's lock: re-entrant for the thread that holds it. The native
// lock is made with the object and released with it; should the system
// refuse to make one, every operation does nothing and tryLock answers false.
class CCriticalSection : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CCriticalSection);

    // How tryLock() waits between its attempts: the platform's sleep by default;
    // tests pass their own to count the pauses without depending on the clock.
    using PauseFunction = void (*)(long milliseconds);

    CCriticalSection();
    explicit CCriticalSection(PauseFunction pause);
    ~CCriticalSection() override;

    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    // Waits until the calling thread holds the lock.
    void lock();
    // Gives up one level of the calling thread's ownership.
    void unlock();
    // With a timeout below 1 this waits without limit and answers true.
    // Otherwise it makes at most ceil(timeout / 5) attempts, 5 ms apart, and
    // answers whether one of them got the lock.
    bool tryLock(long timeoutMilliseconds);

private:
    Platform::NativeLock* m_lock;
    PauseFunction m_pause;
};

} // namespace Vantor::Threading
