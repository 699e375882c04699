#pragma once
// Files dropped at a point of a window or control.

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/collections/CountedPointerArray.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::GUI::Events
{

class CDropEvent : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CDropEvent);

    explicit CDropEvent(const MathTools::CPoint& dropPoint = MathTools::CPoint());
    // The same files (shared) at the same point.
    CDropEvent(const CDropEvent& other);
    CDropEvent& operator=(const CDropEvent&) = delete;

    const MathTools::CPoint& getDropPoint() const { return m_dropPoint; }
    void setDropPoint(const MathTools::CPoint& point) { m_dropPoint = point; }

    // Appends a copy of a file name.
    void addFile(const char* fileName);
    long getNumberOfFiles() const { return m_files.getInsertIndex(); }
    // The file name at an index, null out of range.
    const Basics::CString* getFile(long index) const;

private:
    MathTools::CPoint m_dropPoint;
    Collections::TCountedPointerArray<Basics::CString> m_files;
};

} // namespace Vantor::GUI::Events
