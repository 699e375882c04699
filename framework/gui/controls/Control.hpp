#pragma once
// The base of every control: a rectangle inside a control root with a unique id,
// a name, a value, flags saying which events it accepts, an action listener it
// notifies, two optional images and two colours for a plain default look.

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/collections/CountedPointerArray.hpp"
#include "framework/gui/controls/ControlDescriptor.hpp"
#include "framework/gui/events/CountedInterface.hpp"
#include "framework/gui/events/DropFileListener.hpp"
#include "framework/gui/events/KeyboardListener.hpp"
#include "framework/gui/events/MouseListener.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::IO
{
class CXMLNode;
}

namespace Vantor::GUI::Events
{
class IActionListener;
}

namespace Vantor::GUI::Graphics
{
class CGraphics;
class IImage;
} // namespace Vantor::GUI::Graphics

namespace Vantor::GUI::Controls
{

class IControlRoot;

using TDescriptorList = Collections::TCountedPointerArray<CControlDescriptor>;

class IControl : public ICountedInterface,
                 public Events::IMouseListener,
                 public Events::IKeyboardListener,
                 public Events::IDropFileListener
{
public:
    // The runtime class name ("CControl" for the base).
    virtual const char* getRuntimeClassName() const = 0;
    virtual void getObjectDescription(char* buffer, long size) const = 0;

    virtual void setControlRoot(IControlRoot* root) = 0;
    virtual IControlRoot* getControlRoot() const = 0;
    virtual void setAttachedObject(void* object) = 0;
    virtual void* getAttachedObject() const = 0;
    virtual void registerActionListener(Events::IActionListener* listener) = 0;
    virtual Events::IActionListener* getActionListener() const = 0;
    virtual void setMouseEnabled(bool enabled) = 0;
    virtual void setDropFileEnabled(bool enabled) = 0;
    virtual void setKeyboardEnabled(bool enabled) = 0;
    virtual void setOption(long option) = 0;
    virtual bool isMouseEnabled() const = 0;
    virtual bool isDropFileEnabled() const = 0;
    virtual bool isKeyboardEnabled() const = 0;
    virtual bool hasOption(long option) const = 0;
    virtual bool getReservedFlag() const = 0;

    virtual bool writeToXml(IO::CXMLNode* node) = 0;
    virtual bool readFromXml(IO::CXMLNode* node) = 0;
    virtual void getPropertyDescriptors(TDescriptorList& list) const = 0;
    virtual void setProperty(const CControlDescriptor& descriptor) = 0;
    virtual void getProperty(CControlDescriptor& descriptor) const = 0;

    virtual long getUniqueId() const = 0;
    virtual void setUniqueId(long id) = 0;
    virtual const Basics::CString& getName() const = 0;
    virtual const char* getNameText() const = 0;
    virtual void setName(const Basics::CString& name) = 0;
    virtual void setValue(double value) = 0;
    virtual double getValue() const = 0;
    virtual void setArea(const MathTools::CRect& area) = 0;
    virtual const MathTools::CRect& getArea() const = 0;
    virtual const MathTools::CRect& getAbsoluteRect() const = 0;
    virtual const MathTools::CDimension& getDimension() const = 0;
    virtual bool isPanel() const = 0;
    virtual bool isExcludedFromSaving() const = 0;
    virtual void setExcludedFromSaving(bool excluded) = 0;
    virtual void update() = 0;
    virtual void drawControl(Graphics::CGraphics& graphics) = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual bool isEnabled() const = 0;
    virtual void setPrimaryImage(Graphics::IImage* image) = 0;
    virtual void setDisabledImage(Graphics::IImage* image) = 0;
    virtual Graphics::IImage* getPrimaryImage() const = 0;
    virtual Graphics::IImage* getDisabledImage() const = 0;
    virtual const MathTools::CRect& getNormalisedArea() const = 0;
    virtual void setDefaultControlColours(const Graphics::CAlphaColour& background,
                                          const Graphics::CAlphaColour& frame) = 0;
    virtual void setDefaultDrawing(bool defaultDrawing) = 0;
    virtual bool drawEnabledControl(Graphics::CGraphics& graphics) = 0;
    virtual void drawPrimaryImage(Graphics::CGraphics& graphics, const bool drawDefault) = 0;
    virtual bool drawPrimaryImage(Graphics::CGraphics& graphics) = 0;
};

class CControl : public Basics::CCountedObject, public IControl
{
public:
    VANTOR_DECLARE_CLASS(CControl);
    VANTOR_FORWARD_COUNTING

    // A null root throws CException ("Control root is null").
    CControl(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
             Events::IActionListener* listener = nullptr);
    ~CControl() override;
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    const char* getRuntimeClassName() const override { return "CControl"; }
    // "Control"
    void getObjectDescription(char* buffer, long size) const override;

    void setControlRoot(IControlRoot* root) override;
    IControlRoot* getControlRoot() const override { return m_root; }
    void setAttachedObject(void* object) override { m_attachedObject = object; }
    void* getAttachedObject() const override { return m_attachedObject; }
    void registerActionListener(Events::IActionListener* listener) override { m_actionListener = listener; }
    Events::IActionListener* getActionListener() const override { return m_actionListener; }
    void setMouseEnabled(bool enabled) override { m_mouseEnabled = enabled; }
    void setDropFileEnabled(bool enabled) override { m_dropFileEnabled = enabled; }
    void setKeyboardEnabled(bool enabled) override { m_keyboardEnabled = enabled; }
    void setOption(long) override {}
    bool isMouseEnabled() const override { return m_mouseEnabled; }
    bool isDropFileEnabled() const override { return m_dropFileEnabled; }
    bool isKeyboardEnabled() const override { return m_keyboardEnabled; }
    bool hasOption(long) const override { return false; }
    bool getReservedFlag() const override { return m_reservedFlag; }

    // Attribute "number_of_descriptors" and one "descriptor" child per property; false for null.
    bool writeToXml(IO::CXMLNode* node) override;
    bool readFromXml(IO::CXMLNode* node) override;
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

    long getUniqueId() const override { return m_uniqueId; }
    void setUniqueId(long id) override { m_uniqueId = id; }
    const Basics::CString& getName() const override { return m_name; }
    const char* getNameText() const override { return m_name.getString(); }
    void setName(const Basics::CString& name) override { m_name = name; }
    // Stores the value: no range check, no redraw, no notification.
    void setValue(double value) override { m_value = value; }
    double getValue() const override { return m_value; }
    void setArea(const MathTools::CRect& area) override;
    const MathTools::CRect& getArea() const override { return m_area; }
    const MathTools::CRect& getAbsoluteRect() const override { return m_absoluteArea; }
    const MathTools::CDimension& getDimension() const override { return m_size; }
    bool isPanel() const override { return false; }
    bool isExcludedFromSaving() const override { return m_excludedFromSaving; }
    void setExcludedFromSaving(bool excluded) override { m_excludedFromSaving = excluded; }
    // Invalidates the control's area; the next paint draws it.
    void update() override;
    void drawControl(Graphics::CGraphics&) override {}
    void enable() override { m_enabled = true; }
    void disable() override { m_enabled = false; }
    bool isEnabled() const override { return m_enabled; }
    void setPrimaryImage(Graphics::IImage* image) override;
    void setDisabledImage(Graphics::IImage* image) override;
    Graphics::IImage* getPrimaryImage() const override { return m_primaryImage; }
    Graphics::IImage* getDisabledImage() const override { return m_disabledImage; }
    const MathTools::CRect& getNormalisedArea() const override { return m_normalisedArea; }
    void setDefaultControlColours(const Graphics::CAlphaColour& background,
                                  const Graphics::CAlphaColour& frame) override;
    void setDefaultDrawing(bool defaultDrawing) override { m_defaultDrawing = defaultDrawing; }
    bool getDefaultDrawing() const { return m_defaultDrawing; }
    const Graphics::CAlphaColour& getFrameColour() const { return m_frameColour; }
    const Graphics::CAlphaColour& getBackgroundColour() const { return m_backgroundColour; }
    // Whether the control is enabled; a disabled one first draws its disabled image if it has one.
    bool drawEnabledControl(Graphics::CGraphics& graphics) override;
    // The primary image, or with drawDefault and no image the plain box in the default colours.
    void drawPrimaryImage(Graphics::CGraphics& graphics, const bool drawDefault) override;
    // The primary image if there is one (true), else nothing (false).
    bool drawPrimaryImage(Graphics::CGraphics& graphics) override;

    void handleLeftButtonDown(Events::CMouseEvent&) override {}
    void handleLeftButtonUp(Events::CMouseEvent&) override {}
    void handleRightButtonDown(Events::CMouseEvent&) override {}
    void handleRightButtonUp(Events::CMouseEvent&) override {}
    void handleDoubleClick(Events::CMouseEvent&) override {}
    void handleMouseScroll(Events::CMouseEvent&) override {}
    void handleMouseMovement(Events::CMouseEvent&) override {}
    void handleMouseLeavingArea(Events::CMouseEvent&) override {}
    bool handleKeyDown(const Events::CKeyboardEvent&) override { return false; }
    bool handleKeyUp(const Events::CKeyboardEvent&) override { return false; }
    void handleFileDrop(const Events::CDropEvent&) override {}

    // Whether an image can be drawn: it exists and holds pixels. A picture that is missing or could
    // not be decoded counts as no picture, so controls fall back to their default look.
    static bool isDrawable(const Graphics::IImage* image);

protected:
    // Draws an image stretched over the normalised area.
    void drawImageOverControl(Graphics::CGraphics& graphics, Graphics::IImage* image);
    static void replaceImage(Graphics::IImage*& slot, Graphics::IImage* image);

    Events::IActionListener* m_actionListener;
    IControlRoot* m_root = nullptr;
    void* m_attachedObject = nullptr;
    bool m_mouseEnabled = true;
    bool m_keyboardEnabled = false;
    bool m_dropFileEnabled = false;
    bool m_reservedFlag = false;
    bool m_enabled = true;
    bool m_defaultDrawing = false;
    bool m_excludedFromSaving = false;
    long m_uniqueId;
    Basics::CString m_name;
    double m_value = 1.0;
    MathTools::CRect m_area;
    MathTools::CDimension m_size;
    MathTools::CRect m_absoluteArea;
    MathTools::CRect m_normalisedArea;
    Graphics::IImage* m_primaryImage = nullptr;
    Graphics::IImage* m_disabledImage = nullptr;
    Graphics::CAlphaColour m_frameColour;
    Graphics::CAlphaColour m_backgroundColour;
};

} // namespace Vantor::GUI::Controls
