#include "tools/artwork/Painting.hpp"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace Vantor::Artwork
{

CSurface makeSurface(int width, int height)
{
    CSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    {
        throw std::runtime_error("cannot make a " + std::to_string(width) + " x " + std::to_string(height) +
                                 " image");
    }
    return surface;
}

CSurface makeSurface(int width, int height, int density)
{
    return makeSurface(width * density, height * density);
}

CContext makeScaledContext(cairo_surface_t* surface, int density)
{
    CContext context = makeContext(surface);
    if (density != 1)
    {
        cairo_scale(context.get(), density, density);
    }
    return context;
}

CContext makeContext(cairo_surface_t* surface)
{
    CContext context(cairo_create(surface));
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(context.get(), options);
    cairo_font_options_destroy(options);
    return context;
}

SColour SColour::bytes(int red, int green, int blue, double alpha)
{
    return {red / 255.0, green / 255.0, blue / 255.0, alpha};
}

SColour SColour::withAlpha(double newAlpha) const
{
    return {red, green, blue, newAlpha};
}

SColour SColour::mixedWith(const SColour& other, double amount) const
{
    const auto mix = [amount](double a, double b) { return a + (b - a) * amount; };
    return {mix(red, other.red), mix(green, other.green), mix(blue, other.blue), mix(alpha, other.alpha)};
}

SColour SColour::scaled(double factor) const
{
    const auto scale = [factor](double channel) { return std::clamp(channel * factor, 0.0, 1.0); };
    return {scale(red), scale(green), scale(blue), alpha};
}

void setColour(cairo_t* context, const SColour& colour)
{
    cairo_set_source_rgba(context, colour.red, colour.green, colour.blue, colour.alpha);
}

void addStop(cairo_pattern_t* pattern, double offset, const SColour& colour)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.red, colour.green, colour.blue, colour.alpha);
}

void roundedRectangle(cairo_t* context, double x, double y, double width, double height, double radius)
{
    const double r = std::min({radius, width / 2.0, height / 2.0});
    cairo_new_sub_path(context);
    cairo_arc(context, x + width - r, y + r, r, -M_PI / 2.0, 0.0);
    cairo_arc(context, x + width - r, y + height - r, r, 0.0, M_PI / 2.0);
    cairo_arc(context, x + r, y + height - r, r, M_PI / 2.0, M_PI);
    cairo_arc(context, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(context);
}

namespace
{

void selectStyle(cairo_t* context, const STextStyle& style)
{
    cairo_select_font_face(context, style.face,
                           style.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context, style.size);
}

double advanceOf(cairo_t* context, const std::string& text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(context, text.c_str(), &extents);
    return extents.x_advance;
}

} // namespace

double textWidth(cairo_t* context, const std::string& text, const STextStyle& style)
{
    selectStyle(context, style);
    if (style.tracking == 0.0 || text.empty())
    {
        return advanceOf(context, text);
    }
    double width = 0.0;
    for (const char c : text)
    {
        width += advanceOf(context, std::string(1, c)) + style.tracking;
    }
    return width - style.tracking;
}

void drawText(cairo_t* context, const std::string& text, double x, double baselineY, const STextStyle& style,
              EAlign align)
{
    const double width = textWidth(context, text, style);
    double left = x;
    if (align == EAlign::Centre)
    {
        left = x - width / 2.0;
    }
    else if (align == EAlign::Right)
    {
        left = x - width;
    }
    selectStyle(context, style);
    if (style.tracking == 0.0)
    {
        cairo_move_to(context, left, baselineY);
        cairo_show_text(context, text.c_str());
        return;
    }
    for (const char c : text)
    {
        const std::string glyph(1, c);
        cairo_move_to(context, left, baselineY);
        cairo_show_text(context, glyph.c_str());
        left += advanceOf(context, glyph) + style.tracking;
    }
}

double CGrain::next()
{
    // 32-bit xorshift: fixed sequence for a given seed.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state & 0xFFFFu) / 32767.5 - 1.0;
}

void addGrain(cairo_surface_t* surface, int x, int y, int width, int height, double strength, unsigned seed)
{
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int right = std::min(x + width, cairo_image_surface_get_width(surface));
    const int bottom = std::min(y + height, cairo_image_surface_get_height(surface));
    CGrain grain(seed);
    for (int row = std::max(y, 0); row < bottom; ++row)
    {
        auto* pixels = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(row) * stride);
        for (int column = std::max(x, 0); column < right; ++column)
        {
            const double offset = grain.next() * strength * 255.0;
            std::uint32_t& pixel = pixels[column];
            if ((pixel >> 24) != 0xFF)
            {
                continue;
            }
            std::uint32_t result = 0xFF000000u;
            for (const int shift : {16, 8, 0})
            {
                const double channel = static_cast<double>((pixel >> shift) & 0xFF) + offset;
                result |= static_cast<std::uint32_t>(std::lround(std::clamp(channel, 0.0, 255.0))) << shift;
            }
            pixel = result;
        }
    }
    cairo_surface_mark_dirty(surface);
}

void requireFont(const std::string& family)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* found = nullptr;
    std::string matched;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch)
    {
        matched = reinterpret_cast<const char*>(found);
    }
    if (match != nullptr)
    {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    if (matched != family)
    {
        throw std::runtime_error("the font \"" + family + "\" is not installed (fontconfig offers \"" +
                                 matched + "\" instead)");
    }
}

namespace
{

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::vector<unsigned char> encodePng(cairo_surface_t* surface)
{
    std::vector<unsigned char> bytes;
    if (cairo_surface_write_to_png_stream(surface, appendBytes, &bytes) != CAIRO_STATUS_SUCCESS)
    {
        throw std::runtime_error("cannot encode an image as PNG");
    }
    return bytes;
}

void writePng(cairo_surface_t* surface, const std::string& path)
{
    const std::vector<unsigned char> bytes = encodePng(surface);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
    {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace Vantor::Artwork
