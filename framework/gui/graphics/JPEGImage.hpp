#pragma once
// JPEG files, decoded by the platform into opaque pixels.

#include "framework/gui/graphics/BaseImage.hpp"

namespace Vantor::GUI::Graphics
{

class CJPEGImage : public CBaseImage
{
public:
    VANTOR_DECLARE_CLASS(CJPEGImage);

    CJPEGImage();
    explicit CJPEGImage(const Basics::CString& path);

    const char* getRuntimeClassName() const override { return "CJPEGImage"; }
    long getImageType() const override { return kJpegImage; }
    bool loadFromFile(const Basics::CString& path) override;

    // An image loaded from a file in a folder.
    static CJPEGImage* createImage(const Basics::CString& folder, const Basics::CString& fileName);
};

} // namespace Vantor::GUI::Graphics
