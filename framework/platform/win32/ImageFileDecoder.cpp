// PNG and JPEG decoding through GDI+, straight into premultiplied surface pixels.

#include "framework/platform/ImageDecoder.hpp"
#include "framework/platform/win32/GdiSurface.hpp"

#include <cstring>
#include <fstream>

namespace Vantor::Platform
{

using namespace GdiplusSupport;

namespace
{

// GDI+ decodes whatever format it finds in a file. The framework asks for one
// format (picked by the file's extension), as the Linux decoders do, so the
// file must start with that format's signature.
bool hasSignature(const std::string& path, EImageFormat format)
{
    static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static const unsigned char kJpeg[] = {0xFF, 0xD8, 0xFF};
    const unsigned char* expected = format == EImageFormat::Png ? kPng : kJpeg;
    const std::size_t size = format == EImageFormat::Png ? sizeof(kPng) : sizeof(kJpeg);
    unsigned char start[sizeof(kPng)] = {};
    std::ifstream file(path, std::ios::binary);
    return file.read(reinterpret_cast<char*>(start), static_cast<std::streamsize>(size)) &&
           std::memcmp(start, expected, size) == 0;
}

} // namespace

SDecodedImage decodeImageFile(const std::string& path, EImageFormat format)
{
    SDecodedImage result;
    const char* kind = format == EImageFormat::Png ? "PNG" : "JPEG";
    if (!hasSignature(path, format))
    {
        result.error = std::string("Cannot decode the ") + kind + " file " + path + ": no " + kind + " data";
        return result;
    }
    if (!start())
    {
        result.error = std::string("GDI+ is not available to decode ") + kind + " images";
        return result;
    }
    const std::wstring widePath = toWide(path);
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(widePath.c_str(), &bitmap) != Ok || bitmap == nullptr)
    {
        result.error = std::string("Cannot decode the ") + kind + " file " + path;
        return result;
    }
    UINT width = 0;
    UINT height = 0;
    GdipGetImageWidth(bitmap, &width);
    GdipGetImageHeight(bitmap, &height);
    std::unique_ptr<CGdiSurface> surface =
        CGdiSurface::create(static_cast<int>(width), static_cast<int>(height));
    if (surface && width > 0 && height > 0)
    {
        // GDI+ converts into our own buffer: premultiplied ARGB, top-down rows.
        int stride = 0;
        BitmapData data{};
        data.Width = width;
        data.Height = height;
        data.PixelFormat = PixelFormat32bppPARGB;
        data.Scan0 = surface->lockPixels(stride);
        data.Stride = stride * 4;
        const Rect area(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        if (GdipBitmapLockBits(bitmap, &area, ImageLockModeRead | ImageLockModeUserInputBuf,
                               PixelFormat32bppPARGB, &data) == Ok)
        {
            GdipBitmapUnlockBits(bitmap, &data);
            result.surface = std::move(surface);
        }
    }
    GdipDisposeImage(bitmap);
    if (!result.surface)
    {
        result.error = std::string("Cannot convert the ") + kind + " file " + path;
    }
    return result;
}

bool writePngFile(IDrawingSurface&, const std::string&, std::string& error)
{
    // Only the Linux tools write screenshots.
    error = "Writing PNG files is not supported on this platform";
    return false;
}

} // namespace Vantor::Platform
