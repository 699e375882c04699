#include "framework/host/Time.hpp"

#include <gtest/gtest.h>

#include <memory>

using Vantor::Basics::CString;
using Vantor::Host::CTime;
using Vantor::Platform::FileTime;
using Vantor::Platform::SystemTime;

namespace
{

// Monday 5 January 2009, 14:03:09 and 7 ms.
SystemTime mondayMorning()
{
    return {2009, 1, 1, 5, 14, 3, 9, 7};
}

std::string dateOf(const CTime& time, bool longForm)
{
    CString text;
    time.getDateString(text, longForm);
    return text.getString();
}

std::string timeOf(const CTime& time)
{
    CString text;
    time.getTimeString(text);
    return text.getString();
}

} // namespace

TEST(TimeTextTest, DateAndTimeTexts)
{
    const CTime time(mondayMorning());
    EXPECT_EQ(dateOf(time, false), "05/01/2009");
    EXPECT_EQ(dateOf(time, true), "Monday 5 January 2009");
    EXPECT_EQ(timeOf(time), "14:03:09:07");
    char description[64];
    time.getObjectDescription(description, sizeof(description));
    EXPECT_STREQ(description, "14:03:09:07");

    const SystemTime late{2009, 12, 6, 31, 14, 3, 9, 999};
    EXPECT_EQ(dateOf(CTime(late), true), "Saturday 31 December 2009");
    EXPECT_EQ(timeOf(CTime(late)), "14:03:09:999");
}

TEST(TimeTextTest, AnUnsetTimeStillGivesTexts)
{
    const CTime time;
    EXPECT_EQ(dateOf(time, false), "00/00/0000");
    EXPECT_EQ(dateOf(time, true), "Sunday 0  0"); // no month 0
    EXPECT_EQ(timeOf(time), "00:00:00:00");
}

TEST(TimeConversionTest, FileTimesRoundTripAndBadOnesChangeNothing)
{
    const CTime time(mondayMorning());
    std::unique_ptr<FileTime> stamp(time.getFileTime());
    ASSERT_NE(stamp, nullptr);
    const CTime back(*stamp);
    EXPECT_EQ(dateOf(back, true), "Monday 5 January 2009");
    EXPECT_EQ(timeOf(back), "14:03:09:07");

    // The first stamp out of range leaves every field as it was.
    CTime kept(mondayMorning());
    kept.setFileTime(FileTime{std::uint64_t{1} << 63});
    EXPECT_EQ(dateOf(kept, true), "Monday 5 January 2009");
    EXPECT_EQ(timeOf(kept), "14:03:09:07");

    EXPECT_EQ(CTime().getFileTime(), nullptr); // month 0 is no date
}
