#include "framework/gui/graphics/Resampler.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Vantor::GUI::Graphics::Resampler
{

namespace
{

// The picture's columns (or rows) under one device column (or row) and their weights,
// which add up to 1.
struct STaps
{
    int first = 0;
    int count = 0;
    float weights[8] = {};
};

STaps tapsFor(int device, double origin, double ratio, int size)
{
    STaps taps;
    if (ratio < 1.0)
    {
        // Shrinking: the picture interval the device pixel covers.
        const double from = (device - origin) / ratio;
        const double to = (device + 1 - origin) / ratio;
        const int first = static_cast<int>(std::floor(from));
        const int last = static_cast<int>(std::ceil(to)) - 1;
        float total = 0.0f;
        for (int index = first; index <= last && taps.count < 8; ++index)
        {
            const double covered = std::min(to, index + 1.0) - std::max(from, static_cast<double>(index));
            const int clamped = std::clamp(index, 0, size - 1);
            if (taps.count == 0)
            {
                taps.first = clamped;
            }
            // Padded edges repeat the outermost pixel; taps are kept in order from `first`.
            const int slot = std::clamp(clamped - taps.first, 0, 7);
            taps.count = std::max(taps.count, slot + 1);
            taps.weights[slot] += static_cast<float>(covered);
            total += static_cast<float>(covered);
        }
        for (int slot = 0; slot < taps.count; ++slot)
        {
            taps.weights[slot] /= total > 0.0f ? total : 1.0f;
        }
        return taps;
    }
    // Enlarging (or the same size): linear between the two nearest pixel centres.
    const double centre = (device + 0.5 - origin) / ratio - 0.5;
    const int lower = static_cast<int>(std::floor(centre));
    const auto fraction = static_cast<float>(centre - lower);
    const int a = std::clamp(lower, 0, size - 1);
    const int b = std::clamp(lower + 1, 0, size - 1);
    taps.first = a;
    if (a == b)
    {
        taps.count = 1;
        taps.weights[0] = 1.0f;
        return taps;
    }
    taps.count = 2;
    taps.weights[0] = 1.0f - fraction;
    taps.weights[1] = fraction;
    return taps;
}

std::uint32_t channel(std::uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFFu;
}

} // namespace

void draw(const SPixels& source, const STarget& target, const SPlacement& placement, bool blend,
          int constantAlpha)
{
    if (source.pixels == nullptr || target.pixels == nullptr || source.width <= 0 || source.height <= 0 ||
        placement.ratio <= 0.0)
    {
        return;
    }
    const int left = std::max(placement.area.x, 0);
    const int top = std::max(placement.area.y, 0);
    const int right = std::min(placement.area.right(), target.width);
    const int bottom = std::min(placement.area.bottom(), target.height);
    if (right <= left || bottom <= top)
    {
        return;
    }
    std::vector<STaps> columns(static_cast<std::size_t>(right - left));
    for (int x = left; x < right; ++x)
    {
        columns[static_cast<std::size_t>(x - left)] =
            tapsFor(x, placement.originX, placement.ratio, source.width);
    }
    const float alphaScale = static_cast<float>(std::clamp(constantAlpha, 0, 255)) / 255.0f;
    for (int y = top; y < bottom; ++y)
    {
        const STaps row = tapsFor(y, placement.originY, placement.ratio, source.height);
        std::uint32_t* out = target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride;
        for (int x = left; x < right; ++x)
        {
            const STaps& column = columns[static_cast<std::size_t>(x - left)];
            float sum[4] = {};
            for (int r = 0; r < row.count; ++r)
            {
                const std::uint32_t* line =
                    source.pixels + static_cast<std::ptrdiff_t>(row.first + r) * source.stride;
                for (int c = 0; c < column.count; ++c)
                {
                    const float weight = row.weights[r] * column.weights[c];
                    const std::uint32_t pixel = line[column.first + c];
                    sum[0] += weight * static_cast<float>(channel(pixel, 24));
                    sum[1] += weight * static_cast<float>(channel(pixel, 16));
                    sum[2] += weight * static_cast<float>(channel(pixel, 8));
                    sum[3] += weight * static_cast<float>(channel(pixel, 0));
                }
            }
            std::uint32_t& pixel = out[x];
            if (!blend)
            {
                pixel = 0xFF000000u |
                        (static_cast<std::uint32_t>(std::lround(std::min(sum[1], 255.0f))) << 16) |
                        (static_cast<std::uint32_t>(std::lround(std::min(sum[2], 255.0f))) << 8) |
                        static_cast<std::uint32_t>(std::lround(std::min(sum[3], 255.0f)));
                continue;
            }
            const float alpha = sum[0] * alphaScale;
            const float keep = 1.0f - alpha / 255.0f;
            std::uint32_t result = 0;
            for (int index = 0; index < 4; ++index)
            {
                const int shift = 24 - 8 * index;
                const float value =
                    sum[index] * alphaScale + static_cast<float>(channel(pixel, shift)) * keep;
                result |= static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 255.0f))) << shift;
            }
            pixel = result;
        }
    }
}

} // namespace Vantor::GUI::Graphics::Resampler
