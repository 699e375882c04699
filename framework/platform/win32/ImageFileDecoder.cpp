// PNG and JPEG decoding through GDI+, straight into premultiplied surface pixels.

#include "framework/platform/ImageDecoder.hpp"
#include "framework/platform/win32/GdiSurface.hpp"

#include <cstring>
#include <cwchar>
#include <fstream>
#include <vector>

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

// The PNG encoder among the ones GDI+ offers.
bool findPngEncoder(CLSID& found)
{
    UINT count = 0;
    UINT size = 0;
    if (GdipGetImageEncodersSize(&count, &size) != Ok || count == 0 || size == 0)
    {
        return false;
    }
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, size, encoders) != Ok)
    {
        return false;
    }
    for (UINT index = 0; index < count; ++index)
    {
        if (encoders[index].MimeType != nullptr && std::wcscmp(encoders[index].MimeType, L"image/png") == 0)
        {
            found = encoders[index].Clsid;
            return true;
        }
    }
    return false;
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

bool writePngFile(IDrawingSurface& surface, const std::string& path, std::string& error)
{
    if (!start())
    {
        error = "GDI+ is not available to write PNG files";
        return false;
    }
    CLSID encoder{};
    if (!findPngEncoder(encoder))
    {
        error = "GDI+ has no PNG encoder";
        return false;
    }
    // A bitmap over the surface's own premultiplied pixels; GDI+ writes them out
    // as straight RGBA, as PNG keeps them.
    int stride = 0;
    uint32_t* pixels = surface.lockPixels(stride);
    GpBitmap* bitmap = nullptr;
    const bool made =
        GdipCreateBitmapFromScan0(surface.getWidth(), surface.getHeight(), stride * 4, PixelFormat32bppPARGB,
                                  reinterpret_cast<BYTE*>(pixels), &bitmap) == Ok &&
        bitmap != nullptr;
    const bool saved = made && GdipSaveImageToFile(bitmap, toWide(path).c_str(), &encoder, nullptr) == Ok;
    if (bitmap != nullptr)
    {
        GdipDisposeImage(bitmap);
    }
    surface.unlockPixels();
    if (!saved)
    {
        error = "Cannot write the PNG file " + path;
    }
    return saved;
}

} // namespace Vantor::Platform
