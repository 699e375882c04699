#pragma once
// Calendar times, file time stamps and sleeping.
#include <cstdint>

namespace Vantor::Platform
{

// A broken-down calendar time (the layout of a Windows SYSTEMTIME).
struct SystemTime
{
    std::uint16_t year = 0;
    std::uint16_t month = 0;     // 1 = January
    std::uint16_t dayOfWeek = 0; // 0 = Sunday
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// A file time stamp: 100-nanosecond intervals since 1 January 1601, UTC.
struct FileTime
{
    std::uint64_t ticks = 0;
};

// Converts a time stamp to calendar form; false (and `out` untouched) when
// the stamp is out of the convertible range.
bool fileTimeToSystemTime(const FileTime& in, SystemTime& out);

// Converts a calendar time to a time stamp; false (and `out` untouched)
// when a field is out of range. The day of week is ignored.
bool systemTimeToFileTime(const SystemTime& in, FileTime& out);

// Current local wall-clock time.
SystemTime getLocalTime();

// Suspends the calling thread for about the given time.
void sleepMilliseconds(long milliseconds);

} // namespace Vantor::Platform
