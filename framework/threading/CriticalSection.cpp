#include "framework/threading/CriticalSection.hpp"

#include "framework/platform/Lock.hpp"
#include "framework/platform/Time.hpp"

namespace Vantor::Threading
{

VANTOR_DEFINE_CLASS(Vantor::Threading::CCriticalSection, "CCriticalSection", "CCountedObject")

namespace
{
constexpr long kPollingInterval = 5;
}

CCriticalSection::CCriticalSection() : CCriticalSection(Platform::sleepMilliseconds) {}

CCriticalSection::CCriticalSection(PauseFunction pause) : m_lock(Platform::createLock()), m_pause(pause) {}

CCriticalSection::~CCriticalSection()
{
    Platform::destroyLock(m_lock);
}

void CCriticalSection::lock()
{
    if (m_lock != nullptr)
    {
        Platform::enterLock(m_lock);
    }
}

void CCriticalSection::unlock()
{
    if (m_lock != nullptr)
    {
        Platform::leaveLock(m_lock);
    }
}

bool CCriticalSection::tryLock(long timeoutMilliseconds)
{
    if (m_lock == nullptr)
    {
        return false;
    }
    if (timeoutMilliseconds < 1)
    {
        Platform::enterLock(m_lock);
        return true;
    }
    for (long remaining = timeoutMilliseconds;;)
    {
        if (Platform::tryEnterLock(m_lock))
        {
            return true;
        }
        remaining -= kPollingInterval;
        if (remaining <= 0)
        {
            return false;
        }
        m_pause(kPollingInterval);
    }
}

} // namespace Vantor::Threading
