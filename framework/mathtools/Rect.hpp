#pragma once
// An integer rectangle in pixels, kept as left, top, width and height with
// the exclusive right and bottom edges derived: the rectangle covers the
// columns left … right − 1 and the rows top … bottom − 1.
#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::MathTools
{

class CRect : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CRect);

    CRect(long left = 0, long top = 0, long width = 0, long height = 0);
    CRect(const CPoint& origin, const CDimension& size);
    CRect(const CRect& other);

    // "[left,top,width,height]"
    void getObjectDescription(char* buffer, long size) const override;

    virtual CRect& operator=(const CRect& other);
    // Equal when left, top, width and height are equal.
    virtual bool operator==(const CRect& other) const;

    void setRect(long left, long top, long width, long height);
    void setRect(const CPoint& origin, const CDimension& size);

    // Each setter changes one edge or size; the width and height stay when an
    // edge moves.
    void setLeft(long left);
    void setTop(long top);
    void setWidth(long width);
    void setHeight(long height);

    // Moves the rectangle, keeping its size.
    void setOrigin(const CPoint& origin);
    // Resizes the rectangle, keeping its origin.
    void setDimension(const CDimension& size);

    void offset(const CPoint& delta);
    // Shrinks every side by `amount` (a negative amount grows the rectangle).
    void inset(long amount);
    // Multiplies left, top, width and height, truncating toward zero.
    void scale(double factor);

    long getLeft() const { return m_left; }
    long getTop() const { return m_top; }
    long getRight() const { return m_right; }
    long getBottom() const { return m_bottom; }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    CPoint getOrigin() const { return CPoint(m_left, m_top); }
    CDimension getDimension() const { return CDimension(m_width, m_height); }

    long getCentralXPosition() const;
    long getCentralYPosition() const;

    // Whether the point lies on one of the covered pixels.
    bool isPointInside(const CPoint& point) const;

    // Copies the four edges to a native rectangle record with the members
    // left, top, right and bottom (the Windows RECT layout).
    template <typename NativeRect> void copyToNativeRect(NativeRect& native) const
    {
        native.left = m_left;
        native.top = m_top;
        native.right = m_right;
        native.bottom = m_bottom;
    }

    // Takes the four edges of a native rectangle record; width and height
    // are the differences.
    template <typename NativeRect> void setFromNativeRect(const NativeRect& native)
    {
        setRect(native.left, native.top, native.right - native.left, native.bottom - native.top);
    }

    // The overlap of two rectangles. Disjoint rectangles give a negative width
    // or height, which callers test for.
    static void getIntersection(const CRect& a, const CRect& b, CRect& result);

    // The text form "left,top,width,height" kept in control descriptions.
    static Basics::CString toString(const CRect& rect);
    // Reads the text form; anything other than exactly four comma-separated
    // fields gives the rectangle 0,0,0,0.
    static CRect fromString(const Basics::CString& text);

private:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_left = 0;
    std::int32_t m_right = 0;
    std::int32_t m_top = 0;
    std::int32_t m_bottom = 0;
};

} // namespace Vantor::MathTools
