#pragma once
// An integer point in pixels.
#include "framework/basics/CountedObject.hpp"

namespace Vantor::MathTools
{

class CPoint : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CPoint);

    CPoint(long x = 0, long y = 0);
    CPoint(const CPoint& other);
    CPoint& operator=(const CPoint& other);

    bool operator==(const CPoint& other) const;
    CPoint& operator+=(const CPoint& other);
    CPoint& operator-=(const CPoint& other);

    void offset(const CPoint& delta);
    void offset(long dx, long dy);

    // "[x,y]"
    void getObjectDescription(char* buffer, long size) const override;

    long getXPosition() const { return m_x; }
    long getYPosition() const { return m_y; }
    void setXPosition(long x) { m_x = static_cast<std::int32_t>(x); }
    void setYPosition(long y) { m_y = static_cast<std::int32_t>(y); }
    void setPoint(long x, long y);

private:
    std::int32_t m_x;
    std::int32_t m_y;
};

} // namespace Vantor::MathTools
