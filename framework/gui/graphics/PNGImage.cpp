#include "framework/gui/graphics/PNGImage.hpp"

#include "framework/platform/ImageDecoder.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CPNGImage, "CPNGImage", "CCountedObject")

CPNGImage::CPNGImage() : CBaseImage(true) {}

CPNGImage::CPNGImage(const Basics::CString& path) : CBaseImage(true)
{
    loadFromFile(path);
}

bool CPNGImage::loadFromFile(const Basics::CString& path)
{
    beginLoad(path);
    if (getExtension(path) != "png")
    {
        return fail("Filename is not of PNG type");
    }
    return decodeFile(path, static_cast<int>(Platform::EImageFormat::Png));
}

CPNGImage* CPNGImage::createImage(const Basics::CString& folder, const Basics::CString& fileName)
{
    return new CPNGImage(joinPath(folder, fileName));
}

} // namespace Vantor::GUI::Graphics
