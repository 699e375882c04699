#pragma once

#include "framework/basics/String.hpp"
#include "framework/platform/Time.hpp"

namespace Vantor::Host
{

// A calendar time: year, month (1 = January), day of week (0 = Sunday), day,
// hour, minute, second and milliseconds, as the system reports them.
class CTime : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CTime);

    // Every field 0.
    CTime();
    explicit CTime(const Platform::SystemTime& time);
    // A stamp that cannot be converted leaves every field 0.
    explicit CTime(const Platform::FileTime& stamp);
    CTime(const CTime& other);
    CTime& operator=(const CTime& other);

    // A new time stamp of this time that the caller deletes; null when the
    // fields are no valid date.
    Platform::FileTime* getFileTime() const;
    // Takes the stamp's time; a stamp that cannot be converted changes nothing.
    void setFileTime(const Platform::FileTime& stamp);
    const Platform::SystemTime& getSystemTime() const { return m_time; }
    void setSystemTime(const Platform::SystemTime& time) { m_time = time; }

    // Short form "05/01/2009" (day, month, year); long form
    // "Monday 5 January 2009".
    void getDateString(Basics::CString& out, bool longForm) const;
    // "14:03:09:07": hour, minute, second, milliseconds (at least two digits).
    void getTimeString(Basics::CString& out) const;
    // The time string.
    void getObjectDescription(char* buffer, long size) const override;

private:
    Platform::SystemTime m_time;
};

} // namespace Vantor::Host
