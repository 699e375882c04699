#include "framework/gui/graphics/BaseImage.hpp"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "framework/gui/graphics/JPEGImage.hpp"
#include "framework/gui/graphics/PNGImage.hpp"
#include "framework/gui/graphics/TGAImage.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/ImageDecoder.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CBaseImage, "CBaseImage", "CCountedObject")

CBaseImage::CBaseImage(bool hasAlpha) : m_filename(""), m_lastError(""), m_hasAlpha(hasAlpha) {}

CBaseImage::~CBaseImage() = default;

void CBaseImage::getObjectDescription(char* buffer, long size) const
{
    if (!m_imageLoaded)
    {
        Basics::copyTextToBuffer("No Image loaded", buffer, size);
        return;
    }
    Basics::CString text;
    text.setStringWithFormat("File loaded is = %s", m_filename.getString());
    Basics::copyTextToBuffer(text.getString(), buffer, size);
}

bool CBaseImage::loadFromFile(const Basics::CString& path)
{
    beginLoad(path);
    return fail("No image loader for this file");
}

void CBaseImage::unloadImage()
{
    m_imageLoaded = false;
    m_filename = "";
    m_imageSize.setDimension(0, 0);
    m_normalisedArea.setRect(0, 0, 0, 0);
    m_bitmap.reset();
}

void CBaseImage::beginLoad(const Basics::CString& path)
{
    unloadImage();
    m_filename = path;
}

bool CBaseImage::fail(const char* reason)
{
    m_lastError = reason;
    return false;
}

bool CBaseImage::decodeFile(const Basics::CString& path, int format)
{
    Platform::SDecodedImage decoded =
        Platform::decodeImageFile(path.getString(), static_cast<Platform::EImageFormat>(format));
    if (!decoded.surface)
    {
        return fail("Failed to aquire HBITMAP from Bitmap image");
    }
    return takePixels(std::move(decoded.surface));
}

bool CBaseImage::takePixels(std::unique_ptr<Platform::IDrawingSurface> bitmap)
{
    m_bitmap = std::move(bitmap);
    m_imageLoaded = true;
    measure();
    return true;
}

void CBaseImage::setImageDensity(int density)
{
    m_density = (density >= 1 && density <= 3) ? density : 1;
    measure();
}

void CBaseImage::measure()
{
    if (!m_bitmap)
    {
        return;
    }
    const long width = m_bitmap->getWidth() / m_density;
    const long height = m_bitmap->getHeight() / m_density;
    m_imageSize.setDimension(width, height);
    m_normalisedArea.setRect(0, 0, width, height);
}

std::string CBaseImage::getExtension(const Basics::CString& path)
{
    std::string extension = std::filesystem::path(path.getString()).extension().string();
    if (!extension.empty())
    {
        extension.erase(0, 1);
    }
    for (char& c : extension)
    {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

Basics::CString CBaseImage::joinPath(const Basics::CString& folder, const Basics::CString& fileName)
{
    const std::filesystem::path joined = std::filesystem::path(folder.getString()) / fileName.getString();
    return Basics::CString(joined.string().c_str());
}

void CBaseImage::reportLoadFailure(const Basics::CString& path, const char* reason)
{
    std::error_code error;
    const bool missing = !std::filesystem::exists(path.getString(), error);
    std::fprintf(stderr, "%s: cannot load the picture %s: %s\n",
                 Host::CApplicationInformation::getApplicationName().getString(), path.getString(),
                 missing ? "no such file" : reason);
    std::fflush(stderr);
}

IImage* CBaseImage::createImage(const Basics::CString& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path.getString(), error))
    {
        return nullptr;
    }
    const std::string extension = getExtension(path);
    if (extension == "jpg" || extension == "jpeg")
    {
        return new CJPEGImage(path);
    }
    if (extension == "tga")
    {
        return new CTGAImage(path);
    }
    if (extension == "png")
    {
        return new CPNGImage(path);
    }
    return nullptr;
}

} // namespace Vantor::GUI::Graphics
