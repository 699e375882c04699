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

// Reads and decodes a file (path in the platform's own form).
SDecodedImage decodeImageFile(const std::string& path, EImageFormat format);

// Writes a surface as an 8-bit RGBA PNG file. False with the reason in error.
bool writePngFile(IDrawingSurface& surface, const std::string& path, std::string& error);

} // namespace Vantor::Platform
