// PNG (libpng's simplified reader) and JPEG (libjpeg) decoding into cairo surfaces.

#include "framework/platform/ImageDecoder.hpp"

#include "framework/platform/PixelTools.hpp"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <png.h>
#include <vector>

#include <jpeglib.h>

namespace Vantor::Platform
{

namespace
{

// Copies rows of 8-bit samples (RGBA or RGB) into a surface as premultiplied words.
void storeRow(uint32_t* target, const unsigned char* samples, int width, int channels)
{
    for (int x = 0; x < width; ++x)
    {
        const unsigned char* p = samples + static_cast<size_t>(x) * channels;
        const unsigned alpha = channels == 4 ? p[3] : 255u;
        target[x] = PixelTools::premultiply(makeColour(p[0], p[1], p[2], static_cast<int>(alpha)));
    }
}

SDecodedImage decodePng(const std::string& path)
{
    SDecodedImage result;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0)
    {
        result.error = image.message;
        return result;
    }
    if (isImageTooLarge(image.width, image.height))
    {
        png_image_free(&image);
        result.error = kImageTooLarge;
        return result;
    }
    image.format = PNG_FORMAT_RGBA;
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    std::vector<unsigned char> samples(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr) == 0)
    {
        result.error = image.message;
        png_image_free(&image);
        return result;
    }
    auto surface = createDrawingSurface(width, height);
    if (!surface)
    {
        result.error = "Cannot create a surface for the image";
        return result;
    }
    int stride = 0;
    uint32_t* pixels = surface->lockPixels(stride);
    for (int y = 0; y < height; ++y)
    {
        storeRow(pixels + static_cast<size_t>(y) * stride,
                 samples.data() + static_cast<size_t>(y) * width * 4, width, 4);
    }
    surface->unlockPixels();
    result.surface = std::move(surface);
    return result;
}

// libjpeg reports fatal errors through a longjmp back into the decoder.
struct SJpegState
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    FILE* file = nullptr;
    std::unique_ptr<IDrawingSurface> surface;
    std::vector<unsigned char> row;
    bool created = false;

    ~SJpegState()
    {
        if (created)
        {
            jpeg_destroy_decompress(&info);
        }
        if (file != nullptr)
        {
            std::fclose(file);
        }
    }
};

void onJpegError(j_common_ptr info)
{
    auto* state = static_cast<SJpegState*>(info->client_data);
    info->err->format_message(info, state->message);
    std::longjmp(state->jump, 1);
}

void onJpegWarning(j_common_ptr, int) {}

SDecodedImage decodeJpeg(const std::string& path)
{
    SDecodedImage result;
    auto state = std::make_unique<SJpegState>();
    state->file = std::fopen(path.c_str(), "rb");
    if (state->file == nullptr)
    {
        result.error = "Cannot open file " + path;
        return result;
    }
    state->info.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = onJpegError;
    state->errors.emit_message = onJpegWarning;
    state->info.client_data = state.get();
    if (setjmp(state->jump) != 0)
    {
        result.error = state->message;
        return result;
    }
    jpeg_create_decompress(&state->info);
    state->created = true;
    jpeg_stdio_src(&state->info, state->file);
    jpeg_read_header(&state->info, TRUE);
    if (isImageTooLarge(state->info.image_width, state->info.image_height))
    {
        result.error = kImageTooLarge;
        return result;
    }
    state->info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&state->info);
    const int width = static_cast<int>(state->info.output_width);
    const int height = static_cast<int>(state->info.output_height);
    state->surface = createDrawingSurface(width, height);
    if (!state->surface)
    {
        result.error = "Cannot create a surface for the image";
        return result;
    }
    state->row.resize(static_cast<size_t>(width) * 3);
    int stride = 0;
    uint32_t* pixels = state->surface->lockPixels(stride);
    while (state->info.output_scanline < state->info.output_height)
    {
        JSAMPROW rows[1] = {state->row.data()};
        const int y = static_cast<int>(state->info.output_scanline);
        jpeg_read_scanlines(&state->info, rows, 1);
        storeRow(pixels + static_cast<size_t>(y) * stride, state->row.data(), width, 3);
    }
    state->surface->unlockPixels();
    jpeg_finish_decompress(&state->info);
    result.surface = std::move(state->surface);
    return result;
}

} // namespace

SDecodedImage decodeImageFile(const std::string& path, EImageFormat format)
{
    return format == EImageFormat::Png ? decodePng(path) : decodeJpeg(path);
}

bool writePngFile(IDrawingSurface& surface, const std::string& path, std::string& error)
{
    const int width = surface.getWidth();
    const int height = surface.getHeight();
    std::vector<unsigned char> samples(static_cast<size_t>(width) * height * 4);
    int stride = 0;
    const uint32_t* pixels = surface.lockPixels(stride);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            // Straight (not premultiplied) samples, as PNG keeps them.
            const uint32_t pixel = pixels[static_cast<size_t>(y) * stride + x];
            const uint32_t alpha = pixel >> 24;
            const auto straight = [alpha](uint32_t component)
            {
                return static_cast<unsigned char>(
                    alpha == 0 ? 0 : std::min(255u, (component * 255 + alpha / 2) / alpha));
            };
            unsigned char* p = &samples[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = straight((pixel >> 16) & 0xFF);
            p[1] = straight((pixel >> 8) & 0xFF);
            p[2] = straight(pixel & 0xFF);
            p[3] = static_cast<unsigned char>(alpha);
        }
    }
    surface.unlockPixels();
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    if (png_image_write_to_file(&image, path.c_str(), 0, samples.data(), 0, nullptr) == 0)
    {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

} // namespace Vantor::Platform
