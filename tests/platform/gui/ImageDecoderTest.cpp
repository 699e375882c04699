#include "framework/platform/ImageDecoder.hpp"

#include <gtest/gtest.h>

#include "tests/ScratchFolder.hpp"

#include <algorithm>
#include <cstdint>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

using namespace Vantor::Platform;

namespace
{

// A 16 x 8 JPEG (baseline, quality 95) filled with the colour (40, 120, 200).
const std::vector<unsigned char> kSolidJpeg = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00,
    0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02, 0x01, 0x01,
    0x01, 0x02, 0x02, 0x02, 0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04, 0x04, 0x03, 0x04,
    0x06, 0x05, 0x06, 0x06, 0x06, 0x05, 0x06, 0x06, 0x06, 0x07, 0x09, 0x08, 0x06, 0x07, 0x09, 0x07, 0x06,
    0x06, 0x08, 0x0B, 0x08, 0x09, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x06, 0x08, 0x0B, 0x0C, 0x0B, 0x0A, 0x0C,
    0x09, 0x0A, 0x0A, 0x0A, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x05, 0x03,
    0x03, 0x05, 0x0A, 0x07, 0x06, 0x07, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x22,
    0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0xFF, 0xC4, 0x00, 0x14,
    0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xFF, 0xC4, 0x00, 0x14, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xFF, 0xC4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01,
    0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0x91, 0x80, 0x6A, 0x08, 0x6F, 0xFF, 0xD9,
};

std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes)
    {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
        {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void putBigEndian(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
    {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
    }
}

std::string contentOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ImageDecoderTest : public ::testing::Test
{
protected:
    std::string path(const std::string& name) const { return m_folder.file(name); }

    // A PNG with straight (not premultiplied) RGBA samples, written here (stored,
    // uncompressed deflate blocks) so that no image library is needed to make it.
    std::string writePng(const std::string& name, int width, int height,
                         const std::vector<unsigned char>& rgba)
    {
        std::string raw;
        for (int y = 0; y < height; ++y)
        {
            raw.push_back('\0'); // filter: none
            raw.append(reinterpret_cast<const char*>(rgba.data()) + static_cast<size_t>(y * width * 4),
                       static_cast<size_t>(width * 4));
        }
        std::string zlib = "\x78\x01";
        zlib.push_back('\x01'); // one final stored block
        appendLittle(zlib, raw.size());
        appendLittle(zlib, ~raw.size());
        zlib += raw;
        uint32_t a = 1, b = 0;
        for (unsigned char c : raw)
        {
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        appendBig(zlib, (b << 16) | a);

        std::string header;
        appendBig(header, static_cast<uint32_t>(width));
        appendBig(header, static_cast<uint32_t>(height));
        header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA
        const std::string file = path(name);
        std::ofstream out(file, std::ios::binary);
        out << "\x89PNG\r\n\x1a\n" << chunk("IHDR", header) << chunk("IDAT", zlib) << chunk("IEND", "");
        return file;
    }

    std::string writeJpeg(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    static void appendBig(std::string& out, uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
        {
            out.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }
    static void appendLittle(std::string& out, size_t value)
    {
        out.push_back(static_cast<char>(value & 0xFF));
        out.push_back(static_cast<char>((value >> 8) & 0xFF));
    }
    static std::string chunk(const char* type, const std::string& data)
    {
        std::string out;
        appendBig(out, static_cast<uint32_t>(data.size()));
        const std::string body = type + data;
        appendBig(out += body, crc32(body));
        return out;
    }

    Vantor::Testing::CScratchFolder m_folder{"vantor_decoder"};
};

} // namespace

// Decoded PNG pixels are premultiplied and in row order. What the tools write as
// screenshots reads back as the same pixels, transparency included; a file that
// cannot be written says why.
TEST_F(ImageDecoderTest, PngPixelsArePremultipliedAndWrittenFilesReadBackTheSame)
{
    // Row 0: opaque red, half-transparent (200, 100, 50); row 1: transparent, opaque white.
    const std::string file =
        writePng("pixels.png", 2, 2, {255, 0, 0, 255, 200, 100, 50, 128, 9, 9, 9, 0, 255, 255, 255, 255});
    const SDecodedImage decoded = decodeImageFile(file, EImageFormat::Png);
    ASSERT_NE(decoded.surface, nullptr) << decoded.error;
    EXPECT_TRUE(decoded.error.empty());
    EXPECT_EQ(decoded.surface->getWidth(), 2);
    EXPECT_EQ(decoded.surface->getHeight(), 2);
    const uint32_t expected[] = {makeColour(255, 0, 0), makeColour(100, 50, 25, 128), 0u,
                                 makeColour(255, 255, 255)};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(decoded.surface->getPixel(i % 2, i / 2), expected[i]) << i;
    }

    std::string error;
    ASSERT_TRUE(writePngFile(*decoded.surface, path("copy.png"), error)) << error;
    const SDecodedImage copy = decodeImageFile(path("copy.png"), EImageFormat::Png);
    ASSERT_NE(copy.surface, nullptr) << copy.error;
    ASSERT_EQ(copy.surface->getWidth(), 2);
    ASSERT_EQ(copy.surface->getHeight(), 2);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(copy.surface->getPixel(i % 2, i / 2), expected[i]) << i;
    }

    error.clear();
    EXPECT_FALSE(writePngFile(*decoded.surface, path("no-such-folder/copy.png"), error));
    EXPECT_FALSE(error.empty());
}

TEST_F(ImageDecoderTest, JpegPixelsAreOpaque)
{
    const std::string file = writeJpeg("solid.jpg", kSolidJpeg);
    const SDecodedImage decoded = decodeImageFile(file, EImageFormat::Jpeg);
    ASSERT_NE(decoded.surface, nullptr) << decoded.error;
    EXPECT_EQ(decoded.surface->getWidth(), 16);
    EXPECT_EQ(decoded.surface->getHeight(), 8);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{15, 7}, std::pair{8, 4}})
    {
        const uint32_t pixel = decoded.surface->getPixel(x, y);
        EXPECT_EQ(alphaOf(pixel), 255);
        EXPECT_NEAR(redOf(pixel), 40, 3);
        EXPECT_NEAR(greenOf(pixel), 120, 3);
        EXPECT_NEAR(blueOf(pixel), 200, 3);
    }
}

TEST_F(ImageDecoderTest, FailuresGiveNoSurfaceAndAReason)
{
    const auto expectFailure = [](const std::string& file, EImageFormat format)
    {
        const SDecodedImage decoded = decodeImageFile(file, format);
        EXPECT_EQ(decoded.surface, nullptr) << file;
        EXPECT_FALSE(decoded.error.empty()) << file;
    };
    expectFailure(path("missing.png"), EImageFormat::Png);
    expectFailure(path("missing.jpg"), EImageFormat::Jpeg);

    std::ofstream(path("text.png")) << "this is not an image";
    std::ofstream(path("text.jpg")) << "this is not an image";
    expectFailure(path("text.png"), EImageFormat::Png);
    expectFailure(path("text.jpg"), EImageFormat::Jpeg);

    // The right data under the wrong decoder.
    const std::string png = writePng("real.png", 1, 1, {1, 2, 3, 255});
    const std::string jpeg = writeJpeg("real.jpg", kSolidJpeg);
    expectFailure(png, EImageFormat::Jpeg);
    expectFailure(jpeg, EImageFormat::Png);

    // A JPEG cut short after its header.
    std::ofstream(path("cut.jpg"), std::ios::binary) << contentOf(jpeg).substr(0, 20);
    expectFailure(path("cut.jpg"), EImageFormat::Jpeg);
}

// A header may claim a million pixels per side; the decoder refuses such an image
// before it asks for memory instead of failing in the allocation.
TEST_F(ImageDecoderTest, ImagesClaimingHugeSizesAreRefused)
{
    const std::string png = writePng("huge.png", 1, 1, {1, 2, 3, 255});
    std::string bytes = contentOf(png);
    // IHDR: length at 8, type at 12, width at 16, height at 20, CRC over type and data at 29.
    putBigEndian(bytes, 16, 1000000);
    putBigEndian(bytes, 20, 1000000);
    putBigEndian(bytes, 29, crc32(bytes.substr(12, 17)));
    std::ofstream(png, std::ios::binary | std::ios::trunc) << bytes;

    const SDecodedImage decoded = decodeImageFile(png, EImageFormat::Png);
    EXPECT_EQ(decoded.surface, nullptr);
    EXPECT_EQ(decoded.error, "The image is too large");

    // A JPEG's start of frame (after its quantisation tables) claims 60000 x 60000.
    std::vector<unsigned char> jpeg = kSolidJpeg;
    const unsigned char startOfFrame[] = {0xFF, 0xC0};
    const auto frame =
        std::search(jpeg.begin(), jpeg.end(), std::begin(startOfFrame), std::end(startOfFrame));
    ASSERT_NE(frame, jpeg.end());
    const auto at = static_cast<std::size_t>(frame - jpeg.begin());
    jpeg[at + 5] = jpeg[at + 7] = 0xEA; // height and width, big-endian
    jpeg[at + 6] = jpeg[at + 8] = 0x60;
    const SDecodedImage decodedJpeg = decodeImageFile(writeJpeg("huge.jpg", jpeg), EImageFormat::Jpeg);
    EXPECT_EQ(decodedJpeg.surface, nullptr);
    EXPECT_EQ(decodedJpeg.error, "The image is too large");
}
