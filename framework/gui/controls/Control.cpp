#include "framework/gui/controls/Control.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/Image.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
#include "framework/io/XMLAttribute.hpp"
#include "framework/io/XMLNode.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CControl, "CControl", "CCountedObject")

namespace
{
struct SPropertyEntry
{
    const char* name;
    CControlDescriptor::EPropertyType type;
};

// The design-time properties of every control, in the order they are listed.
constexpr SPropertyEntry kProperties[] = {
    {"Control Name", CControlDescriptor::kStringProperty},
    {"Control ID", CControlDescriptor::kLongProperty},
    {"Mouse Enabled", CControlDescriptor::kBoolProperty},
    {"Keyboard Enabled", CControlDescriptor::kBoolProperty},
    {"Drop File Enabled", CControlDescriptor::kBoolProperty},
    {"Is Enabled", CControlDescriptor::kBoolProperty},
    {"Default Drawing", CControlDescriptor::kBoolProperty},
    {"Area", CControlDescriptor::kRectProperty},
    {"Primary Image", CControlDescriptor::kImageProperty},
    {"Disabled Image", CControlDescriptor::kImageProperty},
    {"Frame Colour", CControlDescriptor::kColourProperty},
    {"Background Colour", CControlDescriptor::kColourProperty},
};
} // namespace

CControl::CControl(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                   Events::IActionListener* listener)
    : m_actionListener(listener), m_uniqueId(uniqueId), m_name("Control"), m_frameColour(0, 0, 0, 255),
      m_backgroundColour(255, 255, 255, 255)
{
    setControlRoot(root);
    setArea(area);
}

CControl::~CControl()
{
    replaceImage(m_primaryImage, nullptr);
    replaceImage(m_disabledImage, nullptr);
}

void CControl::getObjectDescription(char* buffer, long size) const
{
    Basics::copyTextToBuffer("Control", buffer, size);
}

void CControl::setControlRoot(IControlRoot* root)
{
    if (root == nullptr)
    {
        throw Exceptions::CException("Control root is null", "CControl::setControlRoot(IControlRoot *)");
    }
    m_root = root;
}

void CControl::setArea(const MathTools::CRect& area)
{
    m_area = area;
    m_size = area.getDimension();
    m_normalisedArea.setRect(0, 0, area.getWidth(), area.getHeight());
    MathTools::CPoint corner;
    m_root->getWindowCoordinatesOfControl(this, corner);
    m_absoluteArea.setRect(corner, m_size);
}

void CControl::update()
{
    m_root->updateControl(this);
}

void CControl::replaceImage(Graphics::IImage*& slot, Graphics::IImage* image)
{
    if (slot == image)
    {
        return;
    }
    if (image)
    {
        image->referenced();
    }
    if (slot)
    {
        slot->dereference();
    }
    slot = image;
}

void CControl::setPrimaryImage(Graphics::IImage* image)
{
    replaceImage(m_primaryImage, image);
}

void CControl::setDisabledImage(Graphics::IImage* image)
{
    replaceImage(m_disabledImage, image);
}

void CControl::setDefaultControlColours(const Graphics::CAlphaColour& background,
                                        const Graphics::CAlphaColour& frame)
{
    m_backgroundColour = background;
    m_frameColour = frame;
}

bool CControl::isDrawable(const Graphics::IImage* image)
{
    return image != nullptr && image->hasImageLoaded();
}

void CControl::drawImageOverControl(Graphics::CGraphics& graphics, Graphics::IImage* image)
{
    graphics.drawImage(image, m_normalisedArea, image->getNormalisedImageArea());
}

bool CControl::drawEnabledControl(Graphics::CGraphics& graphics)
{
    if (!m_enabled && isDrawable(m_disabledImage))
    {
        drawImageOverControl(graphics, m_disabledImage);
    }
    return m_enabled;
}

void CControl::drawPrimaryImage(Graphics::CGraphics& graphics, const bool drawDefault)
{
    if (drawPrimaryImage(graphics) || !drawDefault)
    {
        return;
    }
    const Graphics::CAlphaColour penColour = graphics.getPen().getColour();
    const Graphics::CAlphaColour brushColour = graphics.getBrush().getColour();
    graphics.getBrush().setColour(m_backgroundColour);
    graphics.getPen().setColour(m_frameColour);
    graphics.drawFilledBorderedRectangle(m_normalisedArea);
    graphics.getBrush().setColour(brushColour);
    graphics.getPen().setColour(penColour);
}

bool CControl::drawPrimaryImage(Graphics::CGraphics& graphics)
{
    if (!isDrawable(m_primaryImage))
    {
        return false;
    }
    drawImageOverControl(graphics, m_primaryImage);
    return true;
}

// ---- properties ----

void CControl::getPropertyDescriptors(TDescriptorList& list) const
{
    for (const SPropertyEntry& entry : kProperties)
    {
        list.addElement(new CControlDescriptor(entry.name, entry.type));
    }
}

void CControl::getProperty(CControlDescriptor& descriptor) const
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Control Name")
    {
        descriptor.setValue(m_name);
    }
    else if (name == "Control ID")
    {
        descriptor.setValue(m_uniqueId);
    }
    else if (name == "Mouse Enabled")
    {
        descriptor.setValue(m_mouseEnabled);
    }
    else if (name == "Keyboard Enabled")
    {
        descriptor.setValue(m_keyboardEnabled);
    }
    else if (name == "Drop File Enabled")
    {
        descriptor.setValue(m_dropFileEnabled);
    }
    else if (name == "Is Enabled")
    {
        descriptor.setValue(m_enabled);
    }
    else if (name == "Default Drawing")
    {
        descriptor.setValue(m_defaultDrawing);
    }
    else if (name == "Area")
    {
        descriptor.setValue(MathTools::CRect::toString(m_area));
    }
    else if (name == "Primary Image")
    {
        descriptor.setValue(Graphics::CImageManager::getNameOfImage(m_primaryImage));
    }
    else if (name == "Disabled Image")
    {
        descriptor.setValue(Graphics::CImageManager::getNameOfImage(m_disabledImage));
    }
    else if (name == "Frame Colour")
    {
        descriptor.setValue(Graphics::CAlphaColour::toString(m_frameColour));
    }
    else if (name == "Background Colour")
    {
        descriptor.setValue(Graphics::CAlphaColour::toString(m_backgroundColour));
    }
}

void CControl::setProperty(const CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Control Name")
    {
        m_name = descriptor.getValue();
    }
    else if (name == "Control ID")
    {
        m_uniqueId = descriptor.getValueAsLong();
    }
    else if (name == "Mouse Enabled")
    {
        m_mouseEnabled = descriptor.getValueAsBool();
    }
    else if (name == "Keyboard Enabled")
    {
        m_keyboardEnabled = descriptor.getValueAsBool();
    }
    else if (name == "Drop File Enabled")
    {
        m_dropFileEnabled = descriptor.getValueAsBool();
    }
    else if (name == "Is Enabled")
    {
        m_enabled = descriptor.getValueAsBool();
    }
    else if (name == "Default Drawing")
    {
        m_defaultDrawing = descriptor.getValueAsBool();
    }
    else if (name == "Area")
    {
        setArea(MathTools::CRect::fromString(descriptor.getValue()));
    }
    else if (name == "Primary Image")
    {
        setPrimaryImage(Graphics::CImageManager::getImageWithName(descriptor.getValue()));
    }
    else if (name == "Disabled Image")
    {
        setDisabledImage(Graphics::CImageManager::getImageWithName(descriptor.getValue()));
    }
    else if (name == "Frame Colour")
    {
        m_frameColour = Graphics::CAlphaColour::fromString(descriptor.getValue());
    }
    else if (name == "Background Colour")
    {
        m_backgroundColour = Graphics::CAlphaColour::fromString(descriptor.getValue());
    }
}

bool CControl::writeToXml(IO::CXMLNode* node)
{
    if (node == nullptr)
    {
        return false;
    }
    TDescriptorList descriptors;
    getPropertyDescriptors(descriptors);
    node->createAttribute("number_of_descriptors", "")->setValue(descriptors.getInsertIndex());
    for (long i = 0; i < descriptors.getInsertIndex(); i++)
    {
        CControlDescriptor* descriptor = descriptors.getElementAtIndex(i);
        getProperty(*descriptor);
        descriptor->writeToXml(node);
    }
    return true;
}

bool CControl::readFromXml(IO::CXMLNode* node)
{
    if (node == nullptr)
    {
        return false;
    }
    for (long i = 0; i < node->getNumberOfChildNodes(); i++)
    {
        CControlDescriptor descriptor("", CControlDescriptor::kStringProperty);
        if (descriptor.readFromXml(node->getChildNode(i)))
        {
            setProperty(descriptor);
        }
    }
    return true;
}

} // namespace Vantor::GUI::Controls
