#pragma once
// What every image loader shares: size, file name, last error and the pixels.

#include <memory>

#include "framework/basics/CountedObject.hpp"
#include "framework/gui/graphics/Image.hpp"

namespace Vantor::GUI::Graphics
{

class CBaseImage : public Basics::CCountedObject, public IImage
{
public:
    VANTOR_DECLARE_CLASS(CBaseImage);
    VANTOR_FORWARD_COUNTING

    explicit CBaseImage(bool hasAlpha);
    ~CBaseImage() override;
    CBaseImage(const CBaseImage&) = delete;
    CBaseImage& operator=(const CBaseImage&) = delete;

    void getObjectDescription(char* buffer, long size) const override;
    const char* getRuntimeClassName() const override { return "CBaseImage"; }

    const MathTools::CDimension& getImageSize() const override { return m_imageSize; }
    int getImageDensity() const override { return m_density; }
    // Declares the picture as drawn for that many device pixels per logical pixel (1 to 3;
    // other values give 1): its size then reads as its pixels divided by the density.
    void setImageDensity(int density);
    const MathTools::CRect& getNormalisedImageArea() const override { return m_normalisedArea; }
    long getImageType() const override { return kUnknownImage; }
    const Basics::CString& getFilename() const override { return m_filename; }
    bool loadFromFile(const Basics::CString& path) override;
    void unloadImage() override;
    bool hasAlpha() const override { return m_hasAlpha; }
    bool hasImageLoaded() const override { return m_imageLoaded; }
    Platform::IDrawingSurface* getImageHandle() const override { return m_bitmap.get(); }
    const Basics::CString& getLastError() const override { return m_lastError; }

    // The image class for a path's extension ("jpg"/"jpeg", "tga", "png"), loaded
    // from it; null for another extension or a file that does not exist.
    static IImage* createImage(const Basics::CString& path);

    // The extension of a path in lower case ("" when it has none).
    static std::string getExtension(const Basics::CString& path);
    // Folder and file name joined into one path.
    static Basics::CString joinPath(const Basics::CString& folder, const Basics::CString& fileName);
    // Tells the user on stderr that a picture could not be loaded, as one line
    // naming the program, the file and why: "no such file" when it is missing
    // (the decoders' own reason would hide that), else the given reason.
    static void reportLoadFailure(const Basics::CString& path, const char* reason);

protected:
    // Starts a load: stores the path as the file name and drops earlier pixels.
    void beginLoad(const Basics::CString& path);
    // Records a failure (the image stays unloaded); returns false.
    bool fail(const char* reason);
    // Decodes a compressed file with the platform's decoder (the extension is already checked).
    bool decodeFile(const Basics::CString& path, int format);
    // Takes the pixels of a successful load.
    bool takePixels(std::unique_ptr<Platform::IDrawingSurface> bitmap);
    void measure();

    Basics::CString m_filename;
    Basics::CString m_lastError;

private:
    bool m_hasAlpha;
    bool m_imageLoaded = false;
    int m_density = 1;
    MathTools::CDimension m_imageSize;
    MathTools::CRect m_normalisedArea;
    std::unique_ptr<Platform::IDrawingSurface> m_bitmap;
};

} // namespace Vantor::GUI::Graphics
