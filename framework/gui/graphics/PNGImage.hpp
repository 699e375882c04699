#pragma once
// PNG files, decoded by the platform into premultiplied pixels.

#include "framework/gui/graphics/BaseImage.hpp"

namespace Vantor::GUI::Graphics
{

class CPNGImage : public CBaseImage
{
public:
    VANTOR_DECLARE_CLASS(CPNGImage);

    CPNGImage();
    explicit CPNGImage(const Basics::CString& path);

    const char* getRuntimeClassName() const override { return "CPNGImage"; }
    long getImageType() const override { return kPngImage; }
    bool loadFromFile(const Basics::CString& path) override;

    // An image loaded from a file in a folder.
    static CPNGImage* createImage(const Basics::CString& folder, const Basics::CString& fileName);
};

} // namespace Vantor::GUI::Graphics
