#pragma once
// Decoding of compressed image files (PNG, JPEG) into drawing surfaces, and PNG files of surfaces.
// Uncompressed Targa files are read by the framework itself, not here.

#include "framework/platform/DrawingBackend.hpp"

#include <memory>
#include <string>

namespace Vantor::Platform
{

enum class EImageFormat
{
    Png,
    Jpeg
};

// Result of one decode: the pixels as premultiplied ARGB (JPEG pixels are opaque).
struct SDecodedImage
{
    std::unique_ptr<IDrawingSurface> surface;
    std::string error; // why decoding failed; empty on success
};

// Images larger than this are refused before any pixel memory is taken: a file
// header can claim millions of pixels per side, and an editor's images are far
// smaller. Every decoder answers such a file with kImageTooLarge.
inline constexpr unsigned kMaximumImageSide = 16384;
inline constexpr unsigned long long kMaximumImagePixels = 1ull << 25;
inline constexpr const char* kImageTooLarge = "The image is too large";

constexpr bool isImageTooLarge(unsigned width, unsigned height)
{
    return width > kMaximumImageSide || height > kMaximumImageSide ||
           static_cast<unsigned long long>(width) * height > kMaximumImagePixels;
}

// Reads and decodes a file (path in the platform's own form).
SDecodedImage decodeImageFile(const std::string& path, EImageFormat format);

// Writes a surface as an 8-bit RGBA PNG file. False with the reason in error.
bool writePngFile(IDrawingSurface& surface, const std::string& path, std::string& error);

} // namespace Vantor::Platform
