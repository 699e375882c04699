#include "framework/gui/controls/ControlRoot.hpp"

#include <cstring>

#include "framework/basics/Exception.hpp"
#include "framework/gui/controls/Animation.hpp"
#include "framework/gui/controls/Knob.hpp"
#include "framework/gui/controls/LatchingButton.hpp"
#include "framework/gui/controls/LevelMeter.hpp"
#include "framework/gui/controls/MomentaryButton.hpp"
#include "framework/gui/controls/RolloverButton.hpp"
#include "framework/gui/controls/TextLabel.hpp"
#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/graphics/DeviceScale.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/Image.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/io/XMLAttribute.hpp"
#include "framework/io/XMLDocument.hpp"
#include "framework/io/XMLNode.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CControlRoot, "CControlRoot", "CCountedObject")

namespace
{
// Keeps a control alive while it handles an event, even if it removes itself from the root.
class CHeldControl
{
public:
    explicit CHeldControl(IControl* control) : m_control(control) { m_control->referenced(); }
    ~CHeldControl() { m_control->dereference(); }
    CHeldControl(const CHeldControl&) = delete;
    CHeldControl& operator=(const CHeldControl&) = delete;

private:
    IControl* m_control;
};

Windowing::IWindow* requireWindow(Windowing::IWindow* window)
{
    if (window == nullptr)
    {
        throw Exceptions::CException("Parent window is NULL", "CControlRoot::CControlRoot(IWindow *)");
    }
    return window;
}

MathTools::CPoint difference(const MathTools::CPoint& a, const MathTools::CPoint& b)
{
    return MathTools::CPoint(a.getXPosition() - b.getXPosition(), a.getYPosition() - b.getYPosition());
}

const char* const kControlsNodeError = "The node name of a control root xml file must be \"controls\"";
} // namespace

CControlRoot::CControlRoot(Windowing::IWindow* parent)
    : m_parentWindow(requireWindow(parent)),
      m_dispatchEvent(Events::CMouseEvent::kMouseMove, &parent->getMouse()), m_lastError("")
{
}

CControlRoot::~CControlRoot()
{
    setBackgroundImage(nullptr);
}

void CControlRoot::setParentWindow(Windowing::IWindow* window)
{
    m_parentWindow = requireWindow(window);
}

// ---- area tests ----

bool CControlRoot::isInsideArea(const MathTools::CRect& area, const MathTools::CPoint& point)
{
    const long x = point.getXPosition();
    const long y = point.getYPosition();
    return x >= area.getLeft() && x <= area.getRight() && y >= area.getTop() && y <= area.getBottom();
}

bool CControlRoot::areasIntersect(const MathTools::CRect& a, const MathTools::CRect& b)
{
    return a.getLeft() <= b.getRight() && b.getLeft() <= a.getRight() && a.getTop() <= b.getBottom() &&
           b.getTop() <= a.getBottom();
}

template <typename Accept>
IControl* CControlRoot::findControlAtPoint(const MathTools::CPoint& point, Accept accept) const
{
    for (long i = 0; i < m_controls.getArraySize(); i++)
    {
        IControl* control = m_controls.getElementAtIndex(i);
        if (control && isInsideArea(control->getArea(), point) && accept(control))
        {
            return control;
        }
    }
    return nullptr;
}

IControl* CControlRoot::getControlAtPoint(const MathTools::CPoint& point) const
{
    return findControlAtPoint(point, [](IControl*) { return true; });
}

IControl* CControlRoot::getMouseEnabledControlAtPoint(const MathTools::CPoint& point) const
{
    return findControlAtPoint(point, [](IControl* control) { return control->isMouseEnabled(); });
}

IControl* CControlRoot::getDropFileEnabledControlAtPoint(const MathTools::CPoint& point) const
{
    return findControlAtPoint(point, [](IControl* control) { return control->isDropFileEnabled(); });
}

IControl* CControlRoot::getKeyboardEnabledControlAtPoint(const MathTools::CPoint& point) const
{
    return findControlAtPoint(point, [](IControl* control) { return control->isKeyboardEnabled(); });
}

// ---- the control list ----

IControl* CControlRoot::getControlWithName(const Basics::CString& name) const
{
    for (long i = 0; i < m_controls.getArraySize(); i++)
    {
        IControl* control = m_controls.getElementAtIndex(i);
        if (control == nullptr)
        {
            continue;
        }
        if (control->getName() == name)
        {
            return control;
        }
        if (control->isPanel())
        {
            if (auto* panel = dynamic_cast<IControlRoot*>(control))
            {
                if (IControl* found = panel->getControlWithName(name))
                {
                    return found;
                }
            }
        }
    }
    return nullptr;
}

void CControlRoot::addControl(IControl* control)
{
    if (control && !isControlAttached(control))
    {
        m_controls.addElement(control);
    }
}

void CControlRoot::removeControl(IControl* control)
{
    m_controls.deleteElement(control);
}

void CControlRoot::clearControls()
{
    m_controls.freePointers();
}

IControl* CControlRoot::getControlAtIndex(const long index, const bool isIndex) const
{
    if (isIndex)
    {
        return m_controls.getElementAtIndex(index);
    }
    for (long i = 0; i < m_controls.getArraySize(); i++)
    {
        IControl* control = m_controls.getElementAtIndex(i);
        if (control && control->getUniqueId() == index)
        {
            return control;
        }
    }
    return nullptr;
}

long CControlRoot::getControlIndex(const IControl* control) const
{
    return m_controls.getIndexOfElement(control);
}

IControl* CControlRoot::bindNamedControl(const Basics::CString& name, long id,
                                         Events::IActionListener* listener, const char* runtimeClassName)
{
    IControl* control = getControlWithName(name);
    if (control == nullptr || runtimeClassName == nullptr ||
        std::strcmp(control->getRuntimeClassName(), runtimeClassName) != 0)
    {
        return nullptr;
    }
    control->setUniqueId(id);
    control->registerActionListener(listener);
    return control;
}

void CControlRoot::buildControlTree(Collections::TTreeNode<IControl>& tree)
{
    for (long i = 0; i < m_controls.getArraySize(); i++)
    {
        IControl* control = m_controls.getElementAtIndex(i);
        if (control == nullptr)
        {
            continue;
        }
        auto* node = new Collections::TTreeNode<IControl>();
        node->setItem(control);
        tree.addChildNode(node);
        if (auto* panel = control->isPanel() ? dynamic_cast<IControlRoot*>(control) : nullptr)
        {
            panel->buildControlTree(*node);
        }
    }
}

// ---- modal control ----

void CControlRoot::setModalControl(IControl* control)
{
    if (control == nullptr)
    {
        return;
    }
    clearModalControl();
    m_modalControl.setPointer(control);
    updateControl(control);
}

void CControlRoot::clearModalControl()
{
    IControl* modal = m_modalControl.getPointer();
    if (modal == nullptr)
    {
        return;
    }
    const MathTools::CRect area = modal->getAbsoluteRect();
    m_modalControl.setPointer(nullptr);
    updateArea(area);
}

// ---- redrawing ----

void CControlRoot::updateControl(const long id, const bool isIndex)
{
    if (IControl* control = getControlAtIndex(id, isIndex))
    {
        updateControl(control);
    }
}

void CControlRoot::updateControl(IControl* control)
{
    if (control)
    {
        updateArea(control->getAbsoluteRect());
    }
}

void CControlRoot::updateArea(const MathTools::CRect& area)
{
    m_parentWindow->redrawWindow(area);
}

bool CControlRoot::getWindowCoordinatesOfControl(const IControl* control, MathTools::CPoint& point) const
{
    if (control == nullptr)
    {
        return false;
    }
    point = control->getArea().getOrigin();
    point += getWindowOffset();
    return true;
}

bool CControlRoot::getGlobalCoordinatesOfControl(IControl* control, MathTools::CPoint& point) const
{
    if (control == nullptr)
    {
        return false;
    }
    // Placed from the client area's screen corner; the window position stands in without a native window.
    MathTools::CPoint clientOrigin = m_parentWindow->getWindowPosition();
    const Windowing::SWindowHandle* handle = m_parentWindow->getWindowHandle();
    if (handle && handle->backend && handle->backend->exists())
    {
        const Platform::SPixelPoint corner = Windowing::getClientScreenOrigin(*handle);
        clientOrigin.setPoint(corner.x, corner.y);
    }
    // The screen counts device pixels: the control's logical place is scaled.
    const auto* window = dynamic_cast<const Windowing::CWindow*>(m_parentWindow);
    const double scale = window != nullptr ? window->getWindowScale() : 1.0;
    const MathTools::CPoint origin = control->getAbsoluteRect().getOrigin();
    point = clientOrigin;
    point += MathTools::CPoint(Graphics::DeviceScale::toDevice(origin.getXPosition(), scale),
                               Graphics::DeviceScale::toDevice(origin.getYPosition(), scale));
    return true;
}

void CControlRoot::setBackgroundImage(Graphics::IImage* image)
{
    if (image == m_backgroundImage)
    {
        return;
    }
    if (image)
    {
        image->referenced();
    }
    if (m_backgroundImage)
    {
        m_backgroundImage->dereference();
    }
    m_backgroundImage = image;
}

// ---- drawing ----

void CControlRoot::drawRootControl(Graphics::CGraphics& graphics)
{
    const MathTools::CRect updateArea = graphics.getUpdateArea();
    const MathTools::CPoint offset = graphics.getDrawingAreaOffset();
    Graphics::CClip& clip = graphics.getClip();
    const bool wasClipping = clip.isClipping();
    const MathTools::CRect clipArea = clip.getClipArea();
    auto restoreClip = [&]
    {
        if (wasClipping)
        {
            clip.setClip(clipArea);
        }
        else
        {
            clip.resetClip();
        }
    };

    if (m_backgroundImage)
    {
        clip.setClip(updateArea);
        graphics.drawImage(m_backgroundImage, updateArea, updateArea);
        restoreClip();
    }
    for (long i = 0; i < m_controls.getArraySize(); i++)
    {
        if (IControl* control = m_controls.getElementAtIndex(i))
        {
            drawOneControl(graphics, control, updateArea);
            graphics.setDrawingAreaOffset(offset);
            restoreClip();
        }
    }
    if (IControl* modal = m_modalControl.getPointer())
    {
        drawOneControl(graphics, modal, updateArea);
        restoreClip();
    }
    graphics.setDrawingAreaOffset(offset);
    graphics.setUpdateArea(updateArea);
}

void CControlRoot::drawOneControl(Graphics::CGraphics& graphics, IControl* control,
                                  const MathTools::CRect& updateArea)
{
    const MathTools::CRect& area = control->getAbsoluteRect();
    if (!areasIntersect(area, updateArea))
    {
        return;
    }
    graphics.getClip().setClip(area);
    graphics.setDrawingAreaOffset(area.getOrigin());
    const bool wholyInside = area.getLeft() >= updateArea.getLeft() && area.getTop() >= updateArea.getTop() &&
                             area.getRight() <= updateArea.getRight() &&
                             area.getBottom() <= updateArea.getBottom();
    if (wholyInside)
    {
        graphics.setUpdateArea(MathTools::CRect(0, 0, area.getWidth(), area.getHeight()));
    }
    else
    {
        MathTools::CRect overlap;
        MathTools::CRect::getIntersection(updateArea, area, overlap);
        overlap.offset(difference(MathTools::CPoint(0, 0), area.getOrigin()));
        graphics.setUpdateArea(overlap);
    }
    CHeldControl held(control);
    control->drawControl(graphics);
}

// ---- event routing ----

void CControlRoot::dispatchMouseEvent(Events::CMouseEvent& event, MouseHandler handler)
{
    m_lastWindowPosition = event.getMousePosition();
    IControl* target = nullptr;
    if (IControl* modal = m_modalControl.getPointer())
    {
        if (!isInsideArea(modal->getArea(), m_lastWindowPosition) || !modal->isMouseEnabled())
        {
            return;
        }
        target = modal;
    }
    else if (IControl* locked = m_lockedControl.getPointer())
    {
        target = locked;
    }
    else
    {
        target = getMouseEnabledControlAtPoint(m_lastWindowPosition);
    }
    if (target == nullptr)
    {
        return;
    }
    CHeldControl held(target);
    m_dispatchEvent.copyModifiers(event);
    m_dispatchEvent.setMousePosition(difference(m_lastWindowPosition, target->getArea().getOrigin()));
    Events::IMouseListener* listener = target;
    (listener->*handler)(m_dispatchEvent);
    m_dispatchEvent.setMousePosition(m_lastWindowPosition);
    m_lastMouseControl.setPointer(target);
}

void CControlRoot::handleLeftButtonDown(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleLeftButtonDown);
}

void CControlRoot::handleLeftButtonUp(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleLeftButtonUp);
}

void CControlRoot::handleRightButtonDown(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleRightButtonDown);
}

void CControlRoot::handleRightButtonUp(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleRightButtonUp);
}

void CControlRoot::handleDoubleClick(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleDoubleClick);
}

void CControlRoot::handleMouseScroll(Events::CMouseEvent& event)
{
    m_dispatchEvent.setWheelValue(event.getWheelValue());
    dispatchMouseEvent(event, &Events::IMouseListener::handleMouseScroll);
}

void CControlRoot::handleMouseMovement(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleMouseMovement);
}

void CControlRoot::handleMouseLeavingArea(Events::CMouseEvent& event)
{
    dispatchMouseEvent(event, &Events::IMouseListener::handleMouseLeavingArea);
}

void CControlRoot::handleMouseCaptureLost()
{
    IControl* locked = m_lockedControl.getPointer();
    if (locked == nullptr)
    {
        return;
    }
    CHeldControl held(locked);
    struct SUnlock
    {
        CControlRoot& root;
        ~SUnlock() { root.unlockControl(); }
    } unlock{*this};
    locked->handleMouseCaptureLost();
}

bool CControlRoot::routeKey(const Events::CKeyboardEvent& event, bool down)
{
    auto send = [&](IControl* control)
    {
        CHeldControl held(control);
        return down ? control->handleKeyDown(event) : control->handleKeyUp(event);
    };
    if (IControl* modal = m_modalControl.getPointer())
    {
        send(modal);
        return false;
    }
    if (IControl* locked = m_lockedControl.getPointer())
    {
        return send(locked);
    }
    if (IControl* last = m_lastMouseControl.getPointer())
    {
        return send(last);
    }
    return false;
}

bool CControlRoot::handleKeyDown(const Events::CKeyboardEvent& event)
{
    return routeKey(event, true);
}

bool CControlRoot::handleKeyUp(const Events::CKeyboardEvent& event)
{
    return routeKey(event, false);
}

void CControlRoot::handleFileDrop(const Events::CDropEvent& event)
{
    const MathTools::CPoint& point = event.getDropPoint();
    IControl* target = nullptr;
    IControl* modal = m_modalControl.getPointer();
    if (modal && isInsideArea(modal->getArea(), point) && modal->isDropFileEnabled())
    {
        target = modal;
    }
    else
    {
        target = getDropFileEnabledControlAtPoint(point);
    }
    if (target == nullptr)
    {
        return;
    }
    CHeldControl held(target);
    Events::CDropEvent local(event);
    local.setDropPoint(difference(point, target->getArea().getOrigin()));
    target->handleFileDrop(local);
}

// ---- layout files ----

IControl* CControlRoot::createControlOfType(const Basics::CString& type)
{
    // Made with neutral arguments; the layout file's properties then set them.
    const MathTools::CRect area;
    if (type == "CControl")
    {
        return new CControl(this, 0, area);
    }
    if (type == "CAnimation")
    {
        return new CAnimation(this, 0, area);
    }
    if (type == "CKnob")
    {
        return new CKnob(this, 0, area);
    }
    if (type == "CTextLabel")
    {
        return new CTextLabel(this, 0, area, " ");
    }
    if (type == "CMomentaryButton")
    {
        return new CMomentaryButton(this, 0, area);
    }
    if (type == "CLevelMeter")
    {
        return new CLevelMeter(this, 0, area, 10);
    }
    if (type == "CLatchingButton")
    {
        return new CLatchingButton(this, 0, area);
    }
    if (type == "CRolloverButton")
    {
        return new CRolloverButton(this, 0, area);
    }
    return nullptr;
}

bool CControlRoot::writeToXml(IO::CXMLNode* node)
{
    if (node == nullptr || node->getName() != "controls")
    {
        m_lastError = kControlsNodeError;
        return false;
    }
    long written = 0;
    for (long i = 0; i < m_controls.getArraySize(); i++)
    {
        IControl* control = m_controls.getElementAtIndex(i);
        if (control == nullptr || control->isExcludedFromSaving())
        {
            continue;
        }
        IO::CXMLNode* child = node->createChildNode("control");
        child->createAttribute("type", "")->setValue(control->getRuntimeClassName());
        control->writeToXml(child);
        written++;
    }
    node->createAttribute("number_of_controls", "")->setValue(written);
    return true;
}

bool CControlRoot::readFromXml(IO::CXMLNode* node)
{
    if (node == nullptr || node->getName() != "controls")
    {
        m_lastError = kControlsNodeError;
        return false;
    }
    for (long i = 0; i < node->getNumberOfChildNodes(); i++)
    {
        IO::CXMLNode* child = node->getChildNode(i);
        if (child->getName() != "control")
        {
            continue;
        }
        IControl* control = createControlOfType(child->getAttributeValue("type"));
        if (control == nullptr)
        {
            continue;
        }
        control->referenced();
        control->readFromXml(child);
        addControl(control);
        control->dereference();
    }
    return true;
}

bool CControlRoot::writeToXmlFile(const Basics::CString& path)
{
    auto* root = new IO::CXMLNode("controls");
    IO::CXMLDocument document;
    document.setRootNode(root);
    return writeToXml(root) && document.writeFile(Basics::CSystemString(path));
}

bool CControlRoot::readFromXmlFile(const Basics::CString& path)
{
    IO::CXMLDocument document;
    if (!document.readFile(Basics::CSystemString(path)))
    {
        m_lastError = "Could not read the control file";
        return false;
    }
    return readFromXml(document.getRootNode());
}

} // namespace Vantor::GUI::Controls
