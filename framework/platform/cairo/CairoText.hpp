#pragma once
// Text through cairo's font selection (fontconfig resolves the face name, so a
// missing face falls back to a similar installed one).

#include "framework/platform/BackendGuard.hpp"

#include "framework/platform/DrawingBackend.hpp"

#include <cairo.h>
#include <string>

namespace Vantor::Platform::CairoText
{

// Framework text is 8-bit Latin-1; cairo wants UTF-8.
std::string latin1ToUtf8(const std::string& text);

// Selects the face, weight, slant and pixel size on a context.
void selectFont(cairo_t* context, const SFontDescription& font);

// Where one line of text goes: its baseline origin and its box.
struct STextPlacement
{
    double originX = 0.0;
    double baselineY = 0.0;
    double width = 0.0;  // advance, trailing spaces included
    double height = 0.0; // line spacing of the font
};

// Places already UTF-8 text in an area by one of the framework's alignments (font selected).
STextPlacement placeText(cairo_t* context, const std::string& utf8, const SPixelRect& area, int alignment);

} // namespace Vantor::Platform::CairoText
