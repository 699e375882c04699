#include "framework/platform/cairo/CairoText.hpp"

#include "framework/platform/PixelTools.hpp"

namespace Vantor::Platform::CairoText
{

std::string latin1ToUtf8(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
        {
            result.push_back(c);
        }
        else
        {
            result.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            result.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return result;
}

void selectFont(cairo_t* context, const SFontDescription& font)
{
    cairo_select_font_face(context, font.faceName.c_str(),
                           font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    // The size is the character (em) height in pixels, which is cairo's font size.
    cairo_set_font_size(context, font.size > 0 ? font.size : 1);
}

namespace
{

using PixelTools::EPlace;

double place(EPlace how, double start, double room, double extent)
{
    switch (how)
    {
    case EPlace::Centre:
        return start + (room - extent) / 2.0;
    case EPlace::End:
        return start + room - extent;
    default:
        return start;
    }
}

} // namespace

STextPlacement placeText(cairo_t* context, const std::string& utf8, const SPixelRect& area, int alignment)
{
    cairo_font_extents_t fontExtents;
    cairo_font_extents(context, &fontExtents);
    cairo_text_extents_t textExtents;
    cairo_text_extents(context, utf8.c_str(), &textExtents);

    STextPlacement placement;
    placement.width = textExtents.x_advance;
    placement.height = fontExtents.height;
    placement.originX = place(PixelTools::horizontalPlaceOf(alignment), area.x, area.width, placement.width);
    const double top = place(PixelTools::verticalPlaceOf(alignment), area.y, area.height, placement.height);
    placement.baselineY = top + fontExtents.ascent;
    return placement;
}

} // namespace Vantor::Platform::CairoText

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps the patterns of resolved faces in caches for the life of the process
// and frees them only in FcFini, which a library must not call (the host may use fontconfig
// too). Sanitizer builds are told so, so that leak checks report only our own leaks.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif
