#include "framework/gui/graphics/JPEGImage.hpp"

#include "framework/platform/ImageDecoder.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CJPEGImage, "CJPEGImage", "CCountedObject")

CJPEGImage::CJPEGImage() : CBaseImage(false) {}

CJPEGImage::CJPEGImage(const Basics::CString& path) : CBaseImage(false)
{
    loadFromFile(path);
}

bool CJPEGImage::loadFromFile(const Basics::CString& path)
{
    beginLoad(path);
    if (getExtension(path) != "jpg" && getExtension(path) != "jpeg")
    {
        return fail("Filename is not of JPEG type");
    }
    return decodeFile(path, static_cast<int>(Platform::EImageFormat::Jpeg));
}

CJPEGImage* CJPEGImage::createImage(const Basics::CString& folder, const Basics::CString& fileName)
{
    return new CJPEGImage(joinPath(folder, fileName));
}

} // namespace Vantor::GUI::Graphics
