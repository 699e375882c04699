#include "framework/gui/graphics/ImageManager.hpp"

#include <fstream>
#include <string>
#include <vector>

#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/Image.hpp"
#include "framework/io/XMLAttribute.hpp"
#include "framework/io/XMLDocument.hpp"
#include "framework/io/XMLNode.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CImageManager::CImageReference, "CImageReference",
                    "CCountedObject")
VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CImageManager::CAnimationReference, "CAnimationReference",
                    "CCountedObject")

namespace
{
using TReferences = Collections::TCountedPointerArray<CImageManager::CImageReference>;

// The lists are made on first use and given back by clearImageManager, so that a
// library unloaded after its shutdown leaves no list behind.
TReferences*& imageList()
{
    static TReferences* list = nullptr;
    return list;
}

TReferences*& animationList()
{
    static TReferences* list = nullptr;
    return list;
}

TReferences& images()
{
    TReferences*& list = imageList();
    if (list == nullptr)
    {
        list = new TReferences();
    }
    return *list;
}

TReferences& animations()
{
    TReferences*& list = animationList();
    if (list == nullptr)
    {
        list = new TReferences();
    }
    return *list;
}

Basics::CString& lastError()
{
    static Basics::CString* text = new Basics::CString("");
    return *text;
}

CImageManager::CImageReference* findByName(const TReferences& list, const Basics::CString& name)
{
    for (long i = 0; i < list.getArraySize(); i++)
    {
        CImageManager::CImageReference* reference = list.getElementAtIndex(i);
        if (reference && reference->getReferenceName() == name)
        {
            return reference;
        }
    }
    return nullptr;
}

CImageManager::CImageReference* findByImage(const TReferences& list, const IImage* image)
{
    for (long i = 0; i < list.getArraySize(); i++)
    {
        CImageManager::CImageReference* reference = list.getElementAtIndex(i);
        if (reference && reference->getImage() == image)
        {
            return reference;
        }
    }
    return nullptr;
}

std::vector<std::string> splitColumns(const std::string& line)
{
    std::vector<std::string> columns;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t comma = line.find(',', start);
        std::string column =
            line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t first = column.find_first_not_of(" \t");
        const std::size_t last = column.find_last_not_of(" \t\r");
        columns.push_back(first == std::string::npos ? std::string()
                                                     : column.substr(first, last - first + 1));
        if (comma == std::string::npos)
        {
            return columns;
        }
        start = comma + 1;
    }
}
} // namespace

CImageManager::CImageReference::CImageReference(const Basics::CString& referenceName, IImage* image,
                                                const Basics::CString& relativePath,
                                                const Basics::CString& fileName)
    : m_referenceName(referenceName), m_image(image), m_relativePath(relativePath), m_fileName(fileName)
{
    if (m_image)
    {
        m_image->referenced();
    }
}

CImageManager::CImageReference::~CImageReference()
{
    if (m_image)
    {
        m_image->dereference();
    }
}

CImageManager::CAnimationReference::CAnimationReference(const Basics::CString& referenceName, IImage* image,
                                                        const Basics::CString& relativePath,
                                                        const Basics::CString& fileName, long frameHeight,
                                                        long numberOfFrames)
    : CImageReference(referenceName, image, relativePath, fileName), m_frameHeight(frameHeight),
      m_numberOfFrames(numberOfFrames)
{
}

IImage* CImageManager::getImageWithName(const Basics::CString& name)
{
    CImageReference* reference = findByName(images(), name);
    return reference ? reference->getImage() : nullptr;
}

IImage* CImageManager::getAnimationWithName(const Basics::CString& name, long& frameHeight,
                                            long& numberOfFrames)
{
    auto* reference = static_cast<CAnimationReference*>(findByName(animations(), name));
    if (reference == nullptr)
    {
        return nullptr;
    }
    frameHeight = reference->getFrameHeight();
    numberOfFrames = reference->getNumberOfFrames();
    return reference->getImage();
}

Basics::CString CImageManager::getNameOfImage(IImage* image)
{
    if (image == nullptr)
    {
        return Basics::CString("");
    }
    CImageReference* reference = findByImage(images(), image);
    if (reference == nullptr)
    {
        reference = findByImage(animations(), image);
    }
    return reference ? reference->getReferenceName() : Basics::CString("");
}

void CImageManager::addImage(const Basics::CString& name, IImage* image, const Basics::CString& relativePath,
                             const Basics::CString& fileName)
{
    images().addElement(new CImageReference(name, image, relativePath, fileName));
}

void CImageManager::addAnimation(const Basics::CString& name, IImage* image, long frameHeight,
                                 long numberOfFrames, const Basics::CString& relativePath,
                                 const Basics::CString& fileName)
{
    animations().addElement(
        new CAnimationReference(name, image, relativePath, fileName, frameHeight, numberOfFrames));
}

void CImageManager::clearImageManager()
{
    for (TReferences** list : {&imageList(), &animationList()})
    {
        if (*list != nullptr)
        {
            (*list)->freePointers();
            delete *list;
            *list = nullptr;
        }
    }
}

long CImageManager::getNumberOfImages()
{
    return images().getNumberOfElements();
}

long CImageManager::getNumberOfAnimations()
{
    return animations().getNumberOfElements();
}

const Basics::CString& CImageManager::getLastError()
{
    return lastError();
}

void CImageManager::recordError(const Basics::CString& text)
{
    lastError() = text;
}

bool CImageManager::loadEntry(const Basics::CString& relativePath, const Basics::CString& fileName,
                              const Basics::CString& name, bool animation, long frameHeight,
                              long numberOfFrames)
{
    IImage* image = CBaseImage::createImage(CBaseImage::joinPath(relativePath, fileName));
    if (image == nullptr || !image->hasImageLoaded())
    {
        if (image)
        {
            image->dereference();
        }
        Basics::CString text(animation ? "Failed to load animation with filename "
                                       : "Failed to load image with filename ");
        text += fileName;
        recordError(text);
        return false;
    }
    if (animation)
    {
        addAnimation(name, image, frameHeight, numberOfFrames, relativePath, fileName);
    }
    else
    {
        addImage(name, image, relativePath, fileName);
    }
    return true;
}

bool CImageManager::loadFromDefinitionFile(const Basics::CString& path)
{
    recordError("");
    try
    {
        std::ifstream file(path.getString());
        std::string firstLine;
        std::getline(file, firstLine);
        if (!file)
        {
            recordError("Could not open the definition file");
            return false;
        }
        const bool lineBased = firstLine.find("<?xml") == std::string::npos;
        file.close();
        return lineBased ? loadLineDefinitionFile(path) : loadXmlDefinitionFile(path);
    }
    catch (...)
    {
        recordError("Caught unknown exception in the ImageManager::loadFromDefinitionFile function");
        return false;
    }
}

bool CImageManager::loadXmlDefinitionFile(const Basics::CString& path)
{
    IO::CXMLDocument document;
    if (!document.readFile(Basics::CSystemString(path)) || document.getRootNode() == nullptr ||
        document.getRootNode()->getName() != "image_manager_root")
    {
        recordError("The definition file has no image_manager_root node");
        return false;
    }
    bool allLoaded = true;
    for (const bool animation : {false, true})
    {
        IO::CXMLNode* section =
            document.getRootNode()->getChildNodeWithName(animation ? "animations" : "images");
        for (long i = 0; section && i < section->getNumberOfChildNodes(); i++)
        {
            IO::CXMLNode* node = section->getChildNode(i);
            if (node->getName() != "image")
            {
                continue;
            }
            allLoaded &=
                loadEntry(node->getAttributeValue("relative_path"), node->getAttributeValue("filename"),
                          node->getAttributeValue("reference_name"), animation,
                          Basics::CString::stringToLong(node->getAttributeValue("frame_height")),
                          Basics::CString::stringToLong(node->getAttributeValue("number_of_frames")));
        }
    }
    return allLoaded;
}

bool CImageManager::loadLineDefinitionFile(const Basics::CString& path)
{
    std::ifstream file(path.getString());
    enum class ESection
    {
        None,
        Images,
        Animations
    } section = ESection::None;
    bool inSkin = false;
    bool allLoaded = true;
    std::string line;
    while (std::getline(file, line))
    {
        if (!line.empty() && line.back() == '\r')
        {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos)
        {
            continue;
        }
        if (line == "<start_skin>" || line == "<end_skin>")
        {
            inSkin = line == "<start_skin>";
            section = ESection::None;
            continue;
        }
        if (inSkin && (line == "<images>" || line == "<animations>"))
        {
            section = (line == "<images>") ? ESection::Images : ESection::Animations;
            continue;
        }
        if (section == ESection::None)
        {
            recordError(Basics::CString(("Unknown line with buffer " + line).c_str()));
            allLoaded = false;
            continue;
        }
        const bool animation = section == ESection::Animations;
        const std::vector<std::string> columns = splitColumns(line);
        if (columns.size() != (animation ? 5u : 3u))
        {
            const char* prefix =
                animation ? "Failed to load animation with buffer " : "Failed to load image with buffer ";
            recordError(Basics::CString((prefix + line).c_str()));
            allLoaded = false;
            continue;
        }
        allLoaded &= loadEntry(columns[0].c_str(), columns[1].c_str(), columns[2].c_str(), animation,
                               animation ? std::atol(columns[3].c_str()) : 0,
                               animation ? std::atol(columns[4].c_str()) : 0);
    }
    return allLoaded;
}

bool CImageManager::writeDefinitionFile(const Basics::CString& path)
{
    auto* root = new IO::CXMLNode("image_manager_root");
    for (const bool animation : {false, true})
    {
        IO::CXMLNode* section = root->createChildNode(animation ? "animations" : "images");
        const TReferences& list = animation ? animations() : images();
        for (long i = 0; i < list.getArraySize(); i++)
        {
            const CImageReference* reference = list.getElementAtIndex(i);
            if (reference == nullptr)
            {
                continue;
            }
            IO::CXMLNode* node = section->createChildNode("image");
            node->createAttribute("relative_path", "")->setValue(reference->getRelativePath());
            node->createAttribute("filename", "")->setValue(reference->getFileName());
            node->createAttribute("reference_name", "")->setValue(reference->getReferenceName());
            if (animation)
            {
                const auto* animationReference = static_cast<const CAnimationReference*>(reference);
                node->createAttribute("frame_height", "")->setValue(animationReference->getFrameHeight());
                node->createAttribute("number_of_frames", "")
                    ->setValue(animationReference->getNumberOfFrames());
            }
        }
    }
    IO::CXMLDocument document;
    document.setRootNode(root);
    return document.writeFile(Basics::CSystemString(path));
}

} // namespace Vantor::GUI::Graphics
