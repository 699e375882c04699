#include "framework/threading/CriticalSection.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <thread>
#include <utility>
#include <vector>

using Vantor::Threading::CCriticalSection;

namespace
{

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

// The pauses between polling attempts go through a counting stand-in, so these
// cases depend on the order of events only, never on the clock.
struct SPauses
{
    static inline std::vector<long> lengths;
    // Called on the pause that lets the holder go; null: none does.
    static inline std::function<void()> onPause;
    static void pause(long milliseconds)
    {
        lengths.push_back(milliseconds);
        if (onPause && lengths.size() == 2)
        {
            onPause();
        }
    }
};

// Takes the lock on another thread and keeps it until `release` is set.
std::thread holdUntil(CCriticalSection& section, std::shared_future<void> release)
{
    std::promise<void> taken;
    std::future<void> held = taken.get_future();
    std::thread holder(
        [&section, release, taken = std::move(taken)]() mutable
        {
            section.lock();
            taken.set_value();
            release.wait();
            section.unlock();
        });
    held.wait();
    return holder;
}

TEST(CriticalSectionTest, PollingMakesItsAttemptsFiveMillisecondsApart)
{
    // ceil(timeout / 5) attempts: the pauses come between them.
    const std::pair<long, std::vector<long>> cases[] = {
        {1, {}}, {5, {}}, {6, {5}}, {12, {5, 5}}, {25, {5, 5, 5, 5}}};
    for (const auto& [timeout, pauses] : cases)
    {
        SCOPED_TRACE(timeout);
        SPauses::lengths.clear();
        SPauses::onPause = nullptr;
        CCriticalSection section(&SPauses::pause);
        std::promise<void> release;
        std::thread holder = holdUntil(section, release.get_future().share());
        EXPECT_FALSE(section.tryLock(timeout));
        EXPECT_EQ(SPauses::lengths, pauses);
        release.set_value();
        holder.join();
    }
}

TEST(CriticalSectionTest, PollingSucceedsOnceTheLockIsFreed)
{
    SPauses::lengths.clear();
    CCriticalSection section(&SPauses::pause);
    std::promise<void> release;
    std::thread holder = holdUntil(section, release.get_future().share());
    // The second pause lets the holder go and waits until it has.
    SPauses::onPause = [&]
    {
        release.set_value();
        holder.join();
    };
    EXPECT_TRUE(section.tryLock(2000));
    EXPECT_EQ(SPauses::lengths.size(), 2u) << "the attempt after the release succeeds";
    section.unlock();
    SPauses::onPause = nullptr;

    // A timeout of 0 waits without limit, without polling.
    SPauses::lengths.clear();
    std::promise<void> later;
    std::thread other = holdUntil(section, later.get_future().share());
    std::thread releaser([&] { later.set_value(); });
    EXPECT_TRUE(section.tryLock(0));
    EXPECT_TRUE(SPauses::lengths.empty());
    section.unlock();
    releaser.join();
    other.join();
}
