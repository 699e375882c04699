#pragma once
// Draws a picture at a size other than its own: the pictures of a scale's
// artwork set shown at a fractional scale (drawn from the next larger set).
// Each device pixel averages the picture's pixels under it, weighted by how
// much of each it covers (a box filter), which keeps thin lines and text of the
// artwork crisp when shrinking; enlarging interpolates linearly. Portable: it
// works on the premultiplied pixels of any drawing surface.

#include <cstdint>

#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI::Graphics::Resampler
{

// One premultiplied ARGB picture in memory (stride in 32-bit words).
struct SPixels
{
    const std::uint32_t* pixels = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
};

struct STarget
{
    std::uint32_t* pixels = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
};

// Where the picture goes: picture coordinate (u, v) lands on device coordinate
// (originX + u x ratio, originY + v x ratio). Only the device pixels of area are
// written (clipped to the target); the picture is sampled wherever it has
// pixels (edges padded), so that pieces drawn apart join without seams.
struct SPlacement
{
    double originX = 0.0;
    double originY = 0.0;
    double ratio = 1.0;
    Platform::SPixelRect area;
};

// Source-over with a constant alpha 0..255 on top of each pixel's own alpha, or
// (blend false) a plain copy made opaque.
void draw(const SPixels& source, const STarget& target, const SPlacement& placement, bool blend,
          int constantAlpha);

} // namespace Vantor::GUI::Graphics::Resampler
