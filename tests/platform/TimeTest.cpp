#include "framework/platform/Time.hpp"

#include <gtest/gtest.h>

#include <vector>

using namespace Vantor::Platform;

namespace
{

SystemTime makeTime(int year, int month, int day, int hour, int minute, int second, int milliseconds)
{
    const auto u = [](int v) { return static_cast<std::uint16_t>(v); };
    return {u(year), u(month), 0, u(day), u(hour), u(minute), u(second), u(milliseconds)};
}

std::vector<int> fields(const SystemTime& t)
{
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds};
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
    EXPECT_EQ(fields(out), fields(makeTime(2009, 1, 5, 14, 3, 9, 7)));
    EXPECT_EQ(out.dayOfWeek, 1);
}

TEST(TimeTest, CalendarTimesRoundTripThroughFileTimes)
{
    for (const SystemTime& time : {makeTime(1601, 1, 1, 0, 0, 0, 0), makeTime(2000, 2, 29, 23, 59, 59, 999),
                                   makeTime(30827, 12, 31, 23, 59, 59, 999)})
    {
        FileTime stamp;
        ASSERT_TRUE(systemTimeToFileTime(time, stamp)) << time.year;
        SystemTime back;
        ASSERT_TRUE(fileTimeToSystemTime(stamp, back));
        EXPECT_EQ(fields(back), fields(time));
    }
    FileTime stamp;
    ASSERT_TRUE(systemTimeToFileTime(makeTime(1970, 1, 1, 0, 0, 1, 0), stamp));
    EXPECT_EQ(stamp.ticks, kUnixEpochTicks + kTicksPerSecond);
}

// A stamp beyond the range fails as seen through the host's time class.
TEST(TimeTest, CalendarTimesOutOfRangeFailAndLeaveTheStampAlone)
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
}

TEST(TimeTest, LocalTimeIsAValidCalendarTime)
{
    const SystemTime now = getLocalTime();
    EXPECT_GE(now.year, 2020);
    EXPECT_LE(now.dayOfWeek, 6);
    FileTime stamp;
    EXPECT_TRUE(systemTimeToFileTime(now, stamp)) << "a valid calendar time";
}
