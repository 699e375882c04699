// Calendar and file times on POSIX systems.
#include "framework/platform/Time.hpp"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <limits>

namespace Vantor::Platform
{

namespace
{

using namespace std::chrono;

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint64_t kTicksPerMillisecond = 10'000;
constexpr std::uint64_t kTicksPerDay = kTicksPerSecond * 86'400;
constexpr sys_days kEpoch = sys_days{year{1601} / January / 1};
// The same limits as the Windows conversions: stamps must fit a signed
// 64-bit value and years run from 1601 to 30827.
constexpr std::uint64_t kLastTick = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
constexpr int kLastYear = 30827;

} // namespace

bool fileTimeToSystemTime(const FileTime& in, SystemTime& out)
{
    if (in.ticks > kLastTick)
    {
        return false;
    }
    const auto dayNumber = static_cast<long>(in.ticks / kTicksPerDay);
    std::uint64_t rest = in.ticks % kTicksPerDay;
    const sys_days date = kEpoch + days{dayNumber};
    const year_month_day ymd{date};
    SystemTime result;
    result.year = static_cast<std::uint16_t>(static_cast<int>(ymd.year()));
    result.month = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month()));
    result.day = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()));
    result.dayOfWeek = static_cast<std::uint16_t>(weekday{date}.c_encoding());
    result.hour = static_cast<std::uint16_t>(rest / (kTicksPerSecond * 3600));
    rest %= kTicksPerSecond * 3600;
    result.minute = static_cast<std::uint16_t>(rest / (kTicksPerSecond * 60));
    rest %= kTicksPerSecond * 60;
    result.second = static_cast<std::uint16_t>(rest / kTicksPerSecond);
    rest %= kTicksPerSecond;
    result.milliseconds = static_cast<std::uint16_t>(rest / kTicksPerMillisecond);
    out = result;
    return true;
}

bool systemTimeToFileTime(const SystemTime& in, FileTime& out)
{
    const year_month_day ymd{year{in.year}, month{in.month}, day{in.day}};
    if (in.year < 1601 || in.year > kLastYear || !ymd.ok() || in.hour > 23 || in.minute > 59 ||
        in.second > 59 || in.milliseconds > 999)
    {
        return false;
    }
    const auto dayNumber = static_cast<std::uint64_t>((sys_days{ymd} - kEpoch).count());
    out.ticks = dayNumber * kTicksPerDay +
                (in.hour * 3600ULL + in.minute * 60ULL + in.second) * kTicksPerSecond +
                in.milliseconds * kTicksPerMillisecond;
    return true;
}

SystemTime getLocalTime()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    SystemTime result;
    result.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    result.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    result.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
    result.day = static_cast<std::uint16_t>(local.tm_mday);
    result.hour = static_cast<std::uint16_t>(local.tm_hour);
    result.minute = static_cast<std::uint16_t>(local.tm_min);
    result.second = static_cast<std::uint16_t>(local.tm_sec);
    result.milliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1'000'000);
    return result;
}

void sleepMilliseconds(long milliseconds)
{
    if (milliseconds <= 0)
    {
        return;
    }
    timespec wait{milliseconds / 1000, (milliseconds % 1000) * 1'000'000L};
    while (::nanosleep(&wait, &wait) != 0 && errno == EINTR)
    {
        // interrupted by a signal: sleep the rest
    }
}

} // namespace Vantor::Platform
