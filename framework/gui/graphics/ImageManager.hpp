#pragma once
// The process-wide list of named images and animations (film strips), filled
// from a definition file and looked up by name, in insertion order.
//
// Definition file: root node "image_manager_root" with the children "images"
// and "animations"; each of their children is an "image" node with
// "relative_path", "filename" and "reference_name" (animations add
// "frame_height" and "number_of_frames"). An older line-based form is also read:
// "<start_skin>" ... "<end_skin>" with the sections "<images>" and
// "<animations>", one comma-separated line per entry in the attribute order above.

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/collections/CountedPointerArray.hpp"

namespace Vantor::GUI::Graphics
{

class IImage;

class CImageManager
{
public:
    class CImageReference : public Basics::CCountedObject
    {
    public:
        VANTOR_DECLARE_CLASS(CImageReference);

        CImageReference(const Basics::CString& referenceName, IImage* image,
                        const Basics::CString& relativePath, const Basics::CString& fileName);
        ~CImageReference() override;
        CImageReference(const CImageReference&) = delete;
        CImageReference& operator=(const CImageReference&) = delete;

        const Basics::CString& getReferenceName() const { return m_referenceName; }
        IImage* getImage() const { return m_image; }
        const Basics::CString& getRelativePath() const { return m_relativePath; }
        const Basics::CString& getFileName() const { return m_fileName; }

    private:
        Basics::CString m_referenceName;
        IImage* m_image;
        Basics::CString m_relativePath;
        Basics::CString m_fileName;
    };

    class CAnimationReference : public CImageReference
    {
    public:
        VANTOR_DECLARE_CLASS(CAnimationReference);

        CAnimationReference(const Basics::CString& referenceName, IImage* image,
                            const Basics::CString& relativePath, const Basics::CString& fileName,
                            long frameHeight, long numberOfFrames);

        long getFrameHeight() const { return m_frameHeight; }
        long getNumberOfFrames() const { return m_numberOfFrames; }

    private:
        long m_frameHeight;
        long m_numberOfFrames;
    };

    CImageManager() = delete;

    // The first image registered under that name, or null.
    static IImage* getImageWithName(const Basics::CString& name);
    // The first animation under that name (or null) with its frame height and frame count.
    static IImage* getAnimationWithName(const Basics::CString& name, long& frameHeight, long& numberOfFrames);
    // The name an image is registered under (images, then animations); "" when it is not.
    static Basics::CString getNameOfImage(IImage* image);

    // Registers an image (referenced) under a name; the path parts are what the definition file writes.
    static void addImage(const Basics::CString& name, IImage* image, const Basics::CString& relativePath = "",
                         const Basics::CString& fileName = "");
    static void addAnimation(const Basics::CString& name, IImage* image, long frameHeight,
                             long numberOfFrames, const Basics::CString& relativePath = "",
                             const Basics::CString& fileName = "");

    // Loads every entry of a definition file (XML or the line-based form). Entries
    // that fail are skipped with their failure text kept; true when the file was
    // read and every entry loaded.
    static bool loadFromDefinitionFile(const Basics::CString& path);
    static bool writeDefinitionFile(const Basics::CString& path);

    // Forgets every entry and releases the images.
    static void clearImageManager();

    static long getNumberOfImages();
    static long getNumberOfAnimations();
    // The text of the most recent failure ("" when none).
    static const Basics::CString& getLastError();

private:
    static bool loadXmlDefinitionFile(const Basics::CString& path);
    static bool loadLineDefinitionFile(const Basics::CString& path);
    static bool loadEntry(const Basics::CString& relativePath, const Basics::CString& fileName,
                          const Basics::CString& name, bool animation, long frameHeight, long numberOfFrames);
    static void recordError(const Basics::CString& text);
};

} // namespace Vantor::GUI::Graphics
