#pragma once
// An integer size in pixels.
#include "framework/basics/CountedObject.hpp"

namespace Vantor::MathTools
{

class CDimension : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CDimension);

    CDimension(long width = 0, long height = 0);
    CDimension(const CDimension& other);
    CDimension& operator=(const CDimension& other);
    bool operator==(const CDimension& other) const;

    void setDimension(long width, long height);
    void setWidth(long width) { m_width = static_cast<std::int32_t>(width); }
    void setHeight(long height) { m_height = static_cast<std::int32_t>(height); }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }

private:
    std::int32_t m_width;
    std::int32_t m_height;
};

} // namespace Vantor::MathTools
