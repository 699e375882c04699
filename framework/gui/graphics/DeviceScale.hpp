#pragma once
// Logical and device pixels. Windows, controls and events work in logical
// pixels (the 1x units a panel is designed in); a window drawn at a scale s
// covers round(s x size) device pixels. Coordinates map with halves rounded
// up, so that 158 logical rows give 198 device rows at 1.25, and the edges of
// neighbouring boxes map to the same device column. At scale 1 every mapping
// is the identity.

#include <cmath>

#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::GUI::Graphics::DeviceScale
{

// The smallest and largest scale a window draws at.
inline constexpr double kMinimum = 1.0;
inline constexpr double kMaximum = 3.0;

// A logical coordinate on the device: round(value x scale), halves up.
inline long toDevice(long value, double scale)
{
    return scale == 1.0 ? value : static_cast<long>(std::floor(static_cast<double>(value) * scale + 0.5));
}

// A logical size on the device: round(size x scale), halves up.
inline long sizeToDevice(long size, double scale)
{
    return toDevice(size, scale);
}

// The device rectangle a logical one is drawn into: both edges mapped.
inline MathTools::CRect toDevice(const MathTools::CRect& rect, double scale)
{
    if (scale == 1.0)
    {
        return rect;
    }
    const long left = toDevice(rect.getLeft(), scale);
    const long top = toDevice(rect.getTop(), scale);
    return MathTools::CRect(left, top, toDevice(rect.getLeft() + rect.getWidth(), scale) - left,
                            toDevice(rect.getTop() + rect.getHeight(), scale) - top);
}

// The logical pixel a device pixel lies in (floor of device / scale).
inline long toLogical(long device, double scale)
{
    return scale == 1.0 ? device : static_cast<long>(std::floor(static_cast<double>(device) / scale));
}

inline MathTools::CPoint toLogical(const MathTools::CPoint& device, double scale)
{
    return MathTools::CPoint(toLogical(device.getXPosition(), scale),
                             toLogical(device.getYPosition(), scale));
}

// The smallest logical rectangle whose device rectangle covers a device area.
inline MathTools::CRect coveringLogical(const MathTools::CRect& device, double scale)
{
    if (scale == 1.0)
    {
        return device;
    }
    const long left = toLogical(device.getLeft(), scale);
    const long top = toLogical(device.getTop(), scale);
    const auto ceiling = [scale](long value)
    { return static_cast<long>(std::ceil(static_cast<double>(value) / scale)); };
    return MathTools::CRect(left, top, ceiling(device.getLeft() + device.getWidth()) - left,
                            ceiling(device.getTop() + device.getHeight()) - top);
}

// The device pixels a logical area touches, rounded outwards (what must repaint).
inline MathTools::CRect coveringDevice(const MathTools::CRect& logical, double scale)
{
    if (scale == 1.0)
    {
        return logical;
    }
    const auto floorOf = [scale](long value)
    { return static_cast<long>(std::floor(static_cast<double>(value) * scale)); };
    const auto ceilingOf = [scale](long value)
    { return static_cast<long>(std::ceil(static_cast<double>(value) * scale)); };
    const long left = floorOf(logical.getLeft());
    const long top = floorOf(logical.getTop());
    return MathTools::CRect(left, top, ceilingOf(logical.getLeft() + logical.getWidth()) - left,
                            ceilingOf(logical.getTop() + logical.getHeight()) - top);
}

// A scale clamped into kMinimum..kMaximum; NaN and infinities give 1.
inline double clampScale(double scale)
{
    if (!std::isfinite(scale))
    {
        return kMinimum;
    }
    return scale < kMinimum ? kMinimum : (scale > kMaximum ? kMaximum : scale);
}

} // namespace Vantor::GUI::Graphics::DeviceScale
