#pragma once
// A picture loaded once and drawn many times by the graphics context.

#include <memory>

#include "framework/basics/String.hpp"
#include "framework/gui/events/CountedInterface.hpp"
#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::Platform
{
class IDrawingSurface;
}

namespace Vantor::GUI::Graphics
{

class IImage : public ICountedInterface
{
public:
    enum EImageType : long
    {
        kUnknownImage = 0,
        kTargaImage = 1,
        kPngImage = 2,
        kJpegImage = 3,
    };

    // "No Image loaded" or "File loaded is = <file name>".
    virtual void getObjectDescription(char* buffer, long size) const = 0;
    // The runtime class name: "CBaseImage", "CPNGImage", "CJPEGImage", "CTGAImage".
    virtual const char* getRuntimeClassName() const = 0;

    // The size in logical pixels: the pixels held divided by the density.
    virtual const MathTools::CDimension& getImageSize() const = 0;
    // Pixels held per logical pixel along each axis: 1 for the 1x artwork, 2 for a
    // picture drawn for a 2x screen (twice as wide and high as its logical size), 3 ...
    virtual int getImageDensity() const { return 1; }
    // (0, 0, width, height) in logical pixels
    virtual const MathTools::CRect& getNormalisedImageArea() const = 0;
    virtual long getImageType() const = 0;
    virtual const Basics::CString& getFilename() const = 0;
    // False with the reason in getLastError(); never throws.
    virtual bool loadFromFile(const Basics::CString& path) = 0;
    virtual void unloadImage() = 0;
    virtual bool hasAlpha() const = 0;
    virtual bool hasImageLoaded() const = 0;
    // The pixels (premultiplied when the image has alpha); null while unloaded.
    virtual Platform::IDrawingSurface* getImageHandle() const = 0;
    virtual const Basics::CString& getLastError() const = 0;
};

} // namespace Vantor::GUI::Graphics
