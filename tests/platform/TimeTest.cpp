#include "framework/platform/Time.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

using namespace Vantor::Platform;

namespace
{

SystemTime makeTime(int year, int month, int day, int hour, int minute, int second, int milliseconds)
{
    SystemTime time;
    time.year = static_cast<std::uint16_t>(year);
    time.month = static_cast<std::uint16_t>(month);
    time.day = static_cast<std::uint16_t>(day);
    time.hour = static_cast<std::uint16_t>(hour);
    time.minute = static_cast<std::uint16_t>(minute);
    time.second = static_cast<std::uint16_t>(second);
    time.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return time;
}

// 100-ns ticks between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t kUnixEpochTicks = 116'444'736'000'000'000ULL;
constexpr std::uint64_t kTicksPerSecond = 10'000'000ULL;

} // namespace

TEST(TimeTest, FileTimesConvertToCalendarDatesWithWeekday)
{
    SystemTime out;
    ASSERT_TRUE(fileTimeToSystemTime(FileTime{0}, out));
    EXPECT_EQ(out.year, 1601);
    EXPECT_EQ(out.month, 1);
    EXPECT_EQ(out.day, 1);
    EXPECT_EQ(out.dayOfWeek, 1); // 1 January 1601 was a Monday

    // 2009-01-05 14:03:09.0079 UTC, a Monday: milliseconds are truncated.
    const std::uint64_t seconds = 1231164189;
    ASSERT_TRUE(fileTimeToSystemTime(FileTime{kUnixEpochTicks + seconds * kTicksPerSecond + 79'999}, out));
    EXPECT_EQ(out.year, 2009);
    EXPECT_EQ(out.month, 1);
    EXPECT_EQ(out.day, 5);
    EXPECT_EQ(out.dayOfWeek, 1);
    EXPECT_EQ(out.hour, 14);
    EXPECT_EQ(out.minute, 3);
    EXPECT_EQ(out.second, 9);
    EXPECT_EQ(out.milliseconds, 7);
}

TEST(TimeTest, CalendarTimesRoundTripThroughFileTimes)
{
    for (const SystemTime& time :
         {makeTime(1601, 1, 1, 0, 0, 0, 0), makeTime(2000, 2, 29, 23, 59, 59, 999),
          makeTime(2009, 1, 5, 14, 3, 9, 7), makeTime(30827, 12, 31, 23, 59, 59, 999)})
    {
        FileTime stamp;
        ASSERT_TRUE(systemTimeToFileTime(time, stamp)) << time.year;
        SystemTime back;
        ASSERT_TRUE(fileTimeToSystemTime(stamp, back));
        EXPECT_EQ(back.year, time.year);
        EXPECT_EQ(back.month, time.month);
        EXPECT_EQ(back.day, time.day);
        EXPECT_EQ(back.hour, time.hour);
        EXPECT_EQ(back.minute, time.minute);
        EXPECT_EQ(back.second, time.second);
        EXPECT_EQ(back.milliseconds, time.milliseconds);
    }
    FileTime stamp;
    ASSERT_TRUE(systemTimeToFileTime(makeTime(1970, 1, 1, 0, 0, 1, 0), stamp));
    EXPECT_EQ(stamp.ticks, kUnixEpochTicks + kTicksPerSecond);
}

TEST(TimeTest, ConversionsOutOfRangeFailAndLeaveTheTargetAlone)
{
    const FileTime untouchedStamp{42};
    for (const SystemTime& bad : {makeTime(1600, 12, 31, 0, 0, 0, 0), makeTime(2001, 2, 29, 0, 0, 0, 0),
                                  makeTime(2009, 13, 1, 0, 0, 0, 0), makeTime(2009, 1, 0, 0, 0, 0, 0),
                                  makeTime(2009, 1, 1, 24, 0, 0, 0), makeTime(2009, 1, 1, 0, 60, 0, 0),
                                  makeTime(2009, 1, 1, 0, 0, 60, 0), makeTime(2009, 1, 1, 0, 0, 0, 1000)})
    {
        FileTime stamp = untouchedStamp;
        EXPECT_FALSE(systemTimeToFileTime(bad, stamp));
        EXPECT_EQ(stamp.ticks, untouchedStamp.ticks);
    }
    SystemTime time = makeTime(1999, 9, 9, 9, 9, 9, 9);
    EXPECT_FALSE(fileTimeToSystemTime(FileTime{std::uint64_t{1} << 63}, time));
    EXPECT_EQ(time.year, 1999);
}

TEST(TimeTest, LocalTimeIsPlausibleAndSleepWaits)
{
    const SystemTime now = getLocalTime();
    EXPECT_GE(now.year, 2020);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_LE(now.dayOfWeek, 6);
    EXPECT_LE(now.milliseconds, 999);

    const auto before = std::chrono::steady_clock::now();
    sleepMilliseconds(20);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(20));
}
