#include "framework/mathtools/Polygon.hpp"

namespace Vantor::MathTools
{

CPolygon::CPolygon() : m_points(new Collections::TCountedPointerArray<CPoint>()) {}

CPolygon::CPolygon(long numberOfPoints) : CPolygon()
{
    setNumberOfPoints(numberOfPoints);
}

CPolygon::CPolygon(const CPolygon& other) : CPolygon()
{
    *this = other;
}

CPolygon::~CPolygon()
{
    delete m_points;
}

CPolygon& CPolygon::operator=(const CPolygon& other)
{
    if (getNumberOfPoints() != other.getNumberOfPoints())
    {
        setNumberOfPoints(other.getNumberOfPoints());
    }
    for (long i = 0; i < getNumberOfPoints(); i++)
    {
        *getPoint(i) = *other.getPoint(i);
    }
    return *this;
}

bool CPolygon::operator==(const CPolygon& other) const
{
    if (getNumberOfPoints() != other.getNumberOfPoints())
    {
        return false;
    }
    for (long i = 0; i < getNumberOfPoints(); i++)
    {
        if (!(*getPoint(i) == *other.getPoint(i)))
        {
            return false;
        }
    }
    return true;
}

void CPolygon::setNumberOfPoints(long numberOfPoints)
{
    m_points->freePointers();
    for (long i = 0; i < numberOfPoints; i++)
    {
        m_points->addElement(new CPoint());
    }
}

long CPolygon::getNumberOfPoints() const
{
    // Points are only ever appended, so the insert index is their number.
    return m_points->getInsertIndex();
}

CPoint* CPolygon::getPoint(long index) const
{
    if (index < 0 || index >= getNumberOfPoints())
    {
        return nullptr;
    }
    return m_points->getElementAtIndex(index);
}

void CPolygon::setPoint(const CPoint& point, long index)
{
    if (CPoint* target = getPoint(index))
    {
        *target = point;
    }
}

void CPolygon::setPoint(long x, long y, long index)
{
    if (CPoint* target = getPoint(index))
    {
        target->setPoint(x, y);
    }
}

void CPolygon::offset(const CPoint& delta)
{
    for (long i = 0; i < getNumberOfPoints(); i++)
    {
        getPoint(i)->offset(delta);
    }
}

} // namespace Vantor::MathTools

VANTOR_DEFINE_CLASS(Vantor::MathTools::CPolygon, "CPolygon", "CCountedObject")
