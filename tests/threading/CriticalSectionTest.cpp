#include "framework/threading/CriticalSection.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using Vantor::Threading::CCriticalSection;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace
{

// Takes the lock on another thread, keeps it for `hold` and lets go; returns once it is held.
std::thread holdFor(CCriticalSection& section, milliseconds hold)
{
    std::promise<void> taken;
    std::future<void> held = taken.get_future();
    std::thread holder(
        [&section, hold, taken = std::move(taken)]() mutable
        {
            section.lock();
            taken.set_value();
            std::this_thread::sleep_for(hold);
            section.unlock();
        });
    held.wait();
    return holder;
}

bool tryLockElsewhere(CCriticalSection& section, long timeout)
{
    return std::async(std::launch::async,
                      [&]
                      {
                          const bool taken = section.tryLock(timeout);
                          if (taken)
                          {
                              section.unlock();
                          }
                          return taken;
                      })
        .get();
}

} // namespace

TEST(CriticalSectionTest, OwnerMayEnterAgainWhileOthersWait)
{
    CCriticalSection section;
    section.lock();
    EXPECT_TRUE(section.tryLock(12)); // re-entry needs no waiting
    EXPECT_FALSE(tryLockElsewhere(section, 5));
    section.unlock();
    EXPECT_FALSE(tryLockElsewhere(section, 5)) << "one unlock per lock";
    section.unlock();
    EXPECT_TRUE(tryLockElsewhere(section, 5));
}

TEST(CriticalSectionTest, PollingGivesUpAfterItsAttempts)
{
    CCriticalSection section;
    std::thread holder = holdFor(section, milliseconds(300));
    // 12 ms allow three attempts with two 5 ms pauses between them.
    const auto start = Clock::now();
    EXPECT_FALSE(section.tryLock(12));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(10));
    EXPECT_LT(waited, milliseconds(250));
    holder.join();
}

TEST(CriticalSectionTest, PollingSucceedsOnceTheLockIsFreed)
{
    // A timeout of 0 waits without limit.
    for (long timeout : {2000L, 0L})
    {
        SCOPED_TRACE(timeout);
        CCriticalSection section;
        std::thread holder = holdFor(section, milliseconds(60));
        const auto start = Clock::now();
        EXPECT_TRUE(section.tryLock(timeout));
        EXPECT_GE(Clock::now() - start, milliseconds(50));
        section.unlock();
        holder.join();
    }
}
