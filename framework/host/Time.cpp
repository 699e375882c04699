#include "framework/host/Time.hpp"

namespace Vantor::Host
{

VANTOR_DEFINE_CLASS(Vantor::Host::CTime, "CTime", "CCountedObject")

namespace
{

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// Names outside the tables (an unset time has month 0) read as "".
template <std::size_t Count> const char* nameAt(const char* const (&names)[Count], std::size_t index)
{
    return index < Count ? names[index] : "";
}

} // namespace

CTime::CTime() = default;

CTime::CTime(const Platform::SystemTime& time) : m_time(time) {}

CTime::CTime(const Platform::FileTime& stamp)
{
    setFileTime(stamp);
}

CTime::CTime(const CTime& other) : CCountedObject(other), m_time(other.m_time) {}

CTime& CTime::operator=(const CTime& other)
{
    m_time = other.m_time;
    return *this;
}

Platform::FileTime* CTime::getFileTime() const
{
    Platform::FileTime stamp;
    if (!Platform::systemTimeToFileTime(m_time, stamp))
    {
        return nullptr;
    }
    return new Platform::FileTime(stamp);
}

void CTime::setFileTime(const Platform::FileTime& stamp)
{
    Platform::fileTimeToSystemTime(stamp, m_time);
}

void CTime::getDateString(Basics::CString& out, bool longForm) const
{
    if (longForm)
    {
        out.setStringWithFormat("%s %d %s %d", nameAt(kDayNames, m_time.dayOfWeek), m_time.day,
                                nameAt(kMonthNames, m_time.month - 1u), m_time.year);
    }
    else
    {
        out.setStringWithFormat("%.02d/%.02d/%.04d", m_time.day, m_time.month, m_time.year);
    }
}

void CTime::getTimeString(Basics::CString& out) const
{
    out.setStringWithFormat("%.02d:%.02d:%.02d:%.02d", m_time.hour, m_time.minute, m_time.second,
                            m_time.milliseconds);
}

void CTime::getObjectDescription(char* buffer, long size) const
{
    Basics::CString text;
    getTimeString(text);
    Basics::copyTextToBuffer(text.getString(), buffer, size);
}

} // namespace Vantor::Host
