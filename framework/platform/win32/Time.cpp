// Calendar and file times on Windows (KERNEL32).
#include "framework/platform/Time.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <chrono>

namespace Vantor::Platform
{

namespace
{

SystemTime fromNative(const SYSTEMTIME& in)
{
    SystemTime out;
    out.year = in.wYear;
    out.month = in.wMonth;
    out.dayOfWeek = in.wDayOfWeek;
    out.day = in.wDay;
    out.hour = in.wHour;
    out.minute = in.wMinute;
    out.second = in.wSecond;
    out.milliseconds = in.wMilliseconds;
    return out;
}

// Whether the day exists in its month and year. Windows checks this itself, but
// not every implementation of the call does (wine takes 29 February 2001 for
// 1 March), and a stamp for a day that does not exist must not come back.
bool isCalendarDay(const SystemTime& in)
{
    using namespace std::chrono;
    return year_month_day{year{in.year}, month{in.month}, day{in.day}}.ok();
}

} // namespace

bool fileTimeToSystemTime(const FileTime& in, SystemTime& out)
{
    FILETIME stamp;
    stamp.dwLowDateTime = static_cast<DWORD>(in.ticks & 0xFFFFFFFFu);
    stamp.dwHighDateTime = static_cast<DWORD>(in.ticks >> 32);
    SYSTEMTIME native;
    if (!::FileTimeToSystemTime(&stamp, &native))
    {
        return false;
    }
    out = fromNative(native);
    return true;
}

bool systemTimeToFileTime(const SystemTime& in, FileTime& out)
{
    SYSTEMTIME native;
    native.wYear = in.year;
    native.wMonth = in.month;
    native.wDayOfWeek = in.dayOfWeek;
    native.wDay = in.day;
    native.wHour = in.hour;
    native.wMinute = in.minute;
    native.wSecond = in.second;
    native.wMilliseconds = in.milliseconds;
    FILETIME stamp;
    if (!isCalendarDay(in) || !::SystemTimeToFileTime(&native, &stamp))
    {
        return false;
    }
    out.ticks = (static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
    return true;
}

SystemTime getLocalTime()
{
    SYSTEMTIME native;
    ::GetLocalTime(&native);
    return fromNative(native);
}

void sleepMilliseconds(long milliseconds)
{
    if (milliseconds > 0)
    {
        ::Sleep(static_cast<DWORD>(milliseconds));
    }
}

} // namespace Vantor::Platform
