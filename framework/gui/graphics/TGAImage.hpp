#pragma once
// Uncompressed 32-bit Targa files, read by the framework itself: true colour,
// 8 alpha bits, no identification field, no colour map, bottom-left origin.

#include "framework/gui/graphics/BaseImage.hpp"

namespace Vantor::GUI::Graphics
{

class CTGAImage : public CBaseImage
{
public:
    VANTOR_DECLARE_CLASS(CTGAImage);

    CTGAImage();
    explicit CTGAImage(const Basics::CString& path);

    const char* getRuntimeClassName() const override { return "CTGAImage"; }
    long getImageType() const override { return kTargaImage; }
    bool loadFromFile(const Basics::CString& path) override;

    // A Targa image from a folder and file name; the file gets the extension "tga".
    static CTGAImage* createImage(const Basics::CString& folder, const Basics::CString& fileName);
};

} // namespace Vantor::GUI::Graphics
