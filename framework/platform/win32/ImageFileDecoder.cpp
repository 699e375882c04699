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

// What a file's header says of it: whether it starts with the format's
// signature, and the size it declares (0 x 0 where that was not found).
struct SFileHeader
{
    bool hasSignature = false;
    unsigned width = 0;
    unsigned height = 0;
};

unsigned bigEndian(const unsigned char* bytes, int count)
{
    unsigned value = 0;
    for (int i = 0; i < count; ++i)
    {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// GDI+ decodes whatever format it finds in a file, and takes the pixel memory a
// header claims before it reads a single row. The framework asks for one format
// (picked by the file's extension), as the Linux decoders do, so the file must
// start with that format's signature; and the size is read here first, so that
// a header claiming millions of pixels per side is refused before GDI+ sees it.
SFileHeader readHeader(const std::string& path, EImageFormat format)
{
    SFileHeader header;
    std::ifstream file(path, std::ios::binary);
    unsigned char bytes[24] = {};
    if (format == EImageFormat::Png)
    {
        // Signature, then the IHDR chunk: length, type, width, height.
        static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        header.hasSignature =
            file.read(reinterpret_cast<char*>(bytes), 8) && std::memcmp(bytes, kPng, 8) == 0;
        if (header.hasSignature && file.read(reinterpret_cast<char*>(bytes), 16))
        {
            header.width = bigEndian(bytes + 8, 4);
            header.height = bigEndian(bytes + 12, 4);
        }
        return header;
    }
    // JPEG: start of image, then segments (marker, big-endian length) up to the
    // first start-of-frame, which holds precision, height and width.
    header.hasSignature = file.read(reinterpret_cast<char*>(bytes), 3) && bytes[0] == 0xFF &&
                          bytes[1] == 0xD8 && bytes[2] == 0xFF;
    file.seekg(2);
    while (header.hasSignature && file.read(reinterpret_cast<char*>(bytes), 4) && bytes[0] == 0xFF)
    {
        const unsigned marker = bytes[1];
        const unsigned length = bigEndian(bytes + 2, 2);
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame)
        {
            if (file.read(reinterpret_cast<char*>(bytes), 5))
            {
                header.height = bigEndian(bytes + 1, 2);
                header.width = bigEndian(bytes + 3, 2);
            }
            break;
        }
        if (length < 2)
        {
            break;
        }
        file.seekg(length - 2, std::ios::cur);
    }
    return header;
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
    const SFileHeader header = readHeader(path, format);
    if (!header.hasSignature)
    {
        result.error = std::string("Cannot decode the ") + kind + " file " + path + ": no " + kind + " data";
        return result;
    }
    if (isImageTooLarge(header.width, header.height))
    {
        result.error = kImageTooLarge;
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
    if (isImageTooLarge(width, height))
    {
        GdipDisposeImage(bitmap);
        result.error = kImageTooLarge;
        return result;
    }
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
