#pragma once
// A polygon of integer points, each a counted CPoint owned through the
// polygon's array.
#include "framework/collections/CountedPointerArray.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::MathTools
{

class CPolygon : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CPolygon);

    CPolygon();
    // That many points at (0,0).
    explicit CPolygon(long numberOfPoints);
    CPolygon(const CPolygon& other);
    ~CPolygon() override;

    virtual CPolygon& operator=(const CPolygon& other);
    // Equal when both hold the same number of points and every point is equal.
    virtual bool operator==(const CPolygon& other) const;

    // Releases all points, then appends that many points at (0,0).
    void setNumberOfPoints(long numberOfPoints);
    long getNumberOfPoints() const;

    // The point object, or null when the index is out of range.
    CPoint* getPoint(long index) const;
    void setPoint(const CPoint& point, long index);
    void setPoint(long x, long y, long index);

    void offset(const CPoint& delta);

private:
    Collections::TCountedPointerArray<CPoint>* m_points;
};

} // namespace Vantor::MathTools
