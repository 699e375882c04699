#include "framework/platform/ImageDecoder.hpp"

#include <gtest/gtest.h>

#include <cstdint>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <png.h>
#include <vector>

#include <jpeglib.h>

using namespace Vantor::Platform;

namespace
{

class ImageDecoderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vantor_decoder_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    // A PNG with straight (not premultiplied) RGBA samples.
    std::string writePng(const std::string& name, int width, int height,
                         const std::vector<unsigned char>& rgba)
    {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(width);
        image.height = static_cast<png_uint_32>(height);
        image.format = PNG_FORMAT_RGBA;
        const std::string file = path(name);
        EXPECT_NE(png_image_write_to_file(&image, file.c_str(), 0, rgba.data(), 0, nullptr), 0);
        return file;
    }

    std::string writeJpeg(const std::string& name, int width, int height, unsigned char r, unsigned char g,
                          unsigned char b)
    {
        const std::string file = path(name);
        FILE* out = std::fopen(file.c_str(), "wb");
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, out);
        info.image_width = static_cast<JDIMENSION>(width);
        info.image_height = static_cast<JDIMENSION>(height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 95, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
        for (int x = 0; x < width; ++x)
        {
            row[x * 3] = r;
            row[x * 3 + 1] = g;
            row[x * 3 + 2] = b;
        }
        while (info.next_scanline < info.image_height)
        {
            JSAMPROW rows[1] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        std::fclose(out);
        return file;
    }

    std::filesystem::path m_folder;
};

} // namespace

TEST_F(ImageDecoderTest, PngPixelsArePremultipliedAndInRowOrder)
{
    // Row 0: opaque red, half-transparent (200, 100, 50); row 1: transparent, opaque white.
    const std::string file =
        writePng("pixels.png", 2, 2, {255, 0, 0, 255, 200, 100, 50, 128, 9, 9, 9, 0, 255, 255, 255, 255});
    const SDecodedImage decoded = decodeImageFile(file, EImageFormat::Png);
    ASSERT_NE(decoded.surface, nullptr) << decoded.error;
    EXPECT_TRUE(decoded.error.empty());
    EXPECT_EQ(decoded.surface->getWidth(), 2);
    EXPECT_EQ(decoded.surface->getHeight(), 2);
    EXPECT_EQ(decoded.surface->getPixel(0, 0), makeColour(255, 0, 0));
    EXPECT_EQ(decoded.surface->getPixel(1, 0), makeColour(100, 50, 25, 128));
    EXPECT_EQ(decoded.surface->getPixel(0, 1), 0u);
    EXPECT_EQ(decoded.surface->getPixel(1, 1), makeColour(255, 255, 255));
}

TEST_F(ImageDecoderTest, JpegPixelsAreOpaque)
{
    const std::string file = writeJpeg("solid.jpg", 16, 8, 40, 120, 200);
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
    const std::string jpeg = writeJpeg("real.jpg", 4, 4, 1, 2, 3);
    expectFailure(png, EImageFormat::Jpeg);
    expectFailure(jpeg, EImageFormat::Png);

    // A JPEG cut short after its header.
    std::ifstream whole(jpeg, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    std::ofstream(path("cut.jpg"), std::ios::binary) << bytes.substr(0, 20);
    expectFailure(path("cut.jpg"), EImageFormat::Jpeg);
}

namespace
{

std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes)
    {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}

} // namespace

// A header may claim a million pixels per side; the decoder refuses such an image
// before it asks for memory instead of failing in the allocation.
TEST_F(ImageDecoderTest, ImagesClaimingHugeSizesAreRefused)
{
    const std::string png = writePng("huge.png", 1, 1, {1, 2, 3, 255});
    std::ifstream whole(png, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    whole.close();
    // IHDR: length at 8, type at 12, width at 16, height at 20, CRC over type and data at 29.
    putBigEndian(bytes, 16, 1000000);
    putBigEndian(bytes, 20, 1000000);
    putBigEndian(bytes, 29, crc32(bytes.substr(12, 17)));
    std::ofstream(png, std::ios::binary | std::ios::trunc) << bytes;

    const SDecodedImage decoded = decodeImageFile(png, EImageFormat::Png);
    EXPECT_EQ(decoded.surface, nullptr);
    EXPECT_EQ(decoded.error, "The image is too large");
}
