#include "framework/platform/Lock.hpp"

#include <gtest/gtest.h>

#include <future>

using namespace Vantor::Platform;

namespace
{

bool tryFromAnotherThread(NativeLock* lock)
{
    return std::async(std::launch::async,
                      [lock]
                      {
                          const bool taken = tryEnterLock(lock);
                          if (taken)
                          {
                              leaveLock(lock);
                          }
                          return taken;
                      })
        .get();
}

} // namespace

TEST(LockTest, IsReentrantForItsOwnerAndExclusiveForOthers)
{
    NativeLock* lock = createLock();
    ASSERT_NE(lock, nullptr);
    enterLock(lock);
    EXPECT_TRUE(tryEnterLock(lock)); // the owner may enter again
    EXPECT_FALSE(tryFromAnotherThread(lock));
    leaveLock(lock);
    EXPECT_FALSE(tryFromAnotherThread(lock)); // still held once
    leaveLock(lock);
    EXPECT_TRUE(tryFromAnotherThread(lock));
    destroyLock(lock);
    destroyLock(nullptr);
}
