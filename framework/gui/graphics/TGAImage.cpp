#include "framework/gui/graphics/TGAImage.hpp"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "framework/platform/DrawingBackend.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CTGAImage, "CTGAImage", "CCountedObject")

namespace
{
constexpr std::size_t kHeaderSize = 18;

struct STargaHeader
{
    std::uint8_t identificationLength;
    std::uint8_t colourMapType;
    std::uint8_t imageType;
    std::uint16_t colourMapFirstIndex;
    std::uint16_t colourMapLength;
    std::uint8_t colourMapEntrySize;
    std::uint16_t xOrigin;
    std::uint16_t yOrigin;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t pixelDepth;
    std::uint8_t imageDescriptor;
};

STargaHeader parseHeader(const std::uint8_t* bytes)
{
    auto word = [bytes](int offset)
    { return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8)); };
    return STargaHeader{bytes[0], bytes[1], bytes[2], word(3),  word(5),   bytes[7],
                        word(8),  word(10), word(12), word(14), bytes[16], bytes[17]};
}

// Uncompressed true colour (type 2), 32 bits with 8 alpha bits and bottom-left origin (descriptor 8).
bool isSupported(const STargaHeader& header)
{
    return header.identificationLength == 0 && header.colourMapType == 0 && header.imageType == 2 &&
           header.pixelDepth == 32 && header.imageDescriptor == 8;
}

std::uint32_t premultiplied(const std::uint8_t* bgra)
{
    const std::uint32_t alpha = bgra[3];
    const std::uint32_t blue = bgra[0] * alpha / 255;
    const std::uint32_t green = bgra[1] * alpha / 255;
    const std::uint32_t red = bgra[2] * alpha / 255;
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}
} // namespace

CTGAImage::CTGAImage() : CBaseImage(true) {}

CTGAImage::CTGAImage(const Basics::CString& path) : CBaseImage(true)
{
    loadFromFile(path);
}

bool CTGAImage::loadFromFile(const Basics::CString& path)
{
    beginLoad(path);
    if (getExtension(path) != "tga")
    {
        return fail("Filename is not of TARGA type");
    }
    std::ifstream file(path.getString(), std::ios::binary);
    if (!file)
    {
        return fail("Could not find file with matching details");
    }
    std::uint8_t headerBytes[kHeaderSize] = {};
    file.read(reinterpret_cast<char*>(headerBytes), kHeaderSize);
    const STargaHeader header = parseHeader(headerBytes);
    if (!file || !isSupported(header))
    {
        m_filename = "";
        return fail("Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8");
    }
    const int width = header.width;
    const int height = header.height;
    if (width == 0 || height == 0)
    {
        return fail("The file describes an image without pixels");
    }
    // The pixels must all be there: a header alone (or a cut file) claiming a
    // large image takes no memory and gives no half-black picture.
    const std::size_t pixelBytes = static_cast<std::size_t>(width) * height * 4;
    std::error_code ignored;
    const auto fileSize = std::filesystem::file_size(path.getString(), ignored);
    if (ignored || fileSize < kHeaderSize + pixelBytes)
    {
        return fail("The file holds fewer pixels than its header announces");
    }
    std::vector<std::uint8_t> pixels(pixelBytes);
    file.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    file.close();
    if (!file)
    {
        return fail("The file holds fewer pixels than its header announces");
    }

    std::unique_ptr<Platform::IDrawingSurface> bitmap = Platform::createDrawingSurface(width, height, 0);
    if (!bitmap)
    {
        return fail("Failed to create window DIB section from targa data");
    }
    // The file stores rows bottom-up; the surface holds them top-down.
    int stride = 0;
    std::uint32_t* target = bitmap->lockPixels(stride);
    for (int row = 0; row < height; row++)
    {
        const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(height - 1 - row) * width * 4;
        std::uint32_t* line = target + static_cast<std::ptrdiff_t>(row) * stride;
        for (int column = 0; column < width; column++)
        {
            line[column] = premultiplied(source + static_cast<std::ptrdiff_t>(column) * 4);
        }
    }
    bitmap->unlockPixels();
    return takePixels(std::move(bitmap));
}

CTGAImage* CTGAImage::createImage(const Basics::CString& folder, const Basics::CString& fileName)
{
    std::filesystem::path path(joinPath(folder, fileName).getString());
    path.replace_extension("tga");
    return new CTGAImage(Basics::CString(path.string().c_str()));
}

} // namespace Vantor::GUI::Graphics
