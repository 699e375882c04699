#include "framework/threading/CriticalSection.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using Vantor::Threading::CCriticalSection;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace
{

// Holds the lock on another thread until release() is called.
class CHolder
{
public:
    explicit CHolder(CCriticalSection& section)
    {
        m_thread = std::thread(
            [&section, this]
            {
                section.lock();
                m_holding = true;
                while (!m_release)
                {
                    std::this_thread::sleep_for(milliseconds(1));
                }
                section.unlock();
            });
        while (!m_holding)
        {
            std::this_thread::sleep_for(milliseconds(1));
        }
    }
    ~CHolder() { release(); }
    void release()
    {
        m_release = true;
        if (m_thread.joinable())
        {
            m_thread.join();
        }
    }
    // Lets go of the lock after `delay`, without waiting here.
    void releaseAfter(milliseconds delay)
    {
        m_releaser = std::async(std::launch::async,
                                [this, delay]
                                {
                                    std::this_thread::sleep_for(delay);
                                    m_release = true;
                                });
    }

private:
    std::atomic<bool> m_holding{false};
    std::atomic<bool> m_release{false};
    std::thread m_thread;
    std::future<void> m_releaser;
};

} // namespace

TEST(CriticalSectionTest, OwnerMayEnterAgainWhileOthersWait)
{
    CCriticalSection section;
    section.lock();
    EXPECT_TRUE(section.tryLock(12)); // re-entry needs no waiting
    const bool otherGotIt = std::async(std::launch::async, [&] { return section.tryLock(5); }).get();
    EXPECT_FALSE(otherGotIt);
    section.unlock();
    section.unlock();
    const bool otherGotItNow = std::async(std::launch::async,
                                          [&]
                                          {
                                              const bool taken = section.tryLock(5);
                                              section.unlock();
                                              return taken;
                                          })
                                   .get();
    EXPECT_TRUE(otherGotItNow);
}

TEST(CriticalSectionTest, PollingGivesUpAfterItsAttempts)
{
    CCriticalSection section;
    CHolder holder(section);
    // 12 ms allow three attempts with two 5 ms pauses between them.
    const auto start = Clock::now();
    EXPECT_FALSE(section.tryLock(12));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(10));
    EXPECT_LT(waited, milliseconds(500));
}

TEST(CriticalSectionTest, PollingSucceedsOnceTheLockIsFreed)
{
    CCriticalSection section;
    CHolder holder(section);
    holder.releaseAfter(milliseconds(20));
    EXPECT_TRUE(section.tryLock(2000));
    section.unlock();
}

TEST(CriticalSectionTest, ZeroTimeoutWaitsWithoutLimit)
{
    CCriticalSection section;
    CHolder holder(section);
    holder.releaseAfter(milliseconds(60));
    const auto start = Clock::now();
    EXPECT_TRUE(section.tryLock(0));
    EXPECT_GE(Clock::now() - start, milliseconds(50));
    section.unlock();
}
