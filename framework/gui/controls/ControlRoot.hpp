#pragma once
// The controls of one window: decides which control receives each mouse, key and
// dropped-file event, converts positions into that control's coordinates, and
// draws the background image and the controls on every paint.
//
// Area tests include the right and bottom edges: (x, y) hits an area when
// left <= x <= right and top <= y <= bottom. Controls added first are hit first
// and drawn first (underneath later ones).

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/collections/AutomaticPointer.hpp"
#include "framework/collections/CountedPointerArray.hpp"
#include "framework/collections/TreeNode.hpp"
#include "framework/gui/controls/Control.hpp"
#include "framework/gui/events/DropFileListener.hpp"
#include "framework/gui/events/KeyboardListener.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/events/MouseListener.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::IO
{
class CXMLNode;
}

namespace Vantor::GUI::Windowing
{
class IWindow;
}

namespace Vantor::GUI::Controls
{

class IControlRoot : public Events::IMouseListener,
                     public Events::IDropFileListener,
                     public Events::IKeyboardListener
{
public:
    virtual void lockControl(IControl* control) = 0;
    virtual void unlockControl() = 0;
    virtual bool controlIsLocked() const = 0;
    virtual IControl* getLockedControl() const = 0;
    virtual void setModalControl(IControl* control) = 0;
    virtual void clearModalControl() = 0;
    virtual IControl* getModalControl() const = 0;
    virtual void setParentWindow(Windowing::IWindow* window) = 0;
    virtual Windowing::IWindow* getParentWindow() const = 0;
    virtual MathTools::CPoint getWindowOffset() const = 0;
    virtual IControl* getControlAtPoint(const MathTools::CPoint& point) const = 0;
    virtual IControl* getMouseEnabledControlAtPoint(const MathTools::CPoint& point) const = 0;
    virtual IControl* getDropFileEnabledControlAtPoint(const MathTools::CPoint& point) const = 0;
    virtual IControl* getKeyboardEnabledControlAtPoint(const MathTools::CPoint& point) const = 0;
    virtual IControl* getControlWithName(const Basics::CString& name) const = 0;
    virtual void addControl(IControl* control) = 0;
    virtual void removeControl(IControl* control) = 0;
    virtual void clearControls() = 0;
    virtual IControl* getControlAtIndex(const long index, const bool isIndex = true) const = 0;
    virtual long getControlIndex(const IControl* control) const = 0;
    virtual long getNumberOfControls() const = 0;
    virtual long getNumberOfInsertedControls() const = 0;
    virtual void drawRootControl(Graphics::CGraphics& graphics) = 0;
    virtual void updateControl(const long id, const bool isIndex) = 0;
    virtual void updateControl(IControl* control) = 0;
    virtual void updateArea(const MathTools::CRect& area) = 0;
    virtual bool getGlobalCoordinatesOfControl(IControl* control, MathTools::CPoint& point) const = 0;
    virtual bool getWindowCoordinatesOfControl(const IControl* control, MathTools::CPoint& point) const = 0;
    virtual void setBackgroundImage(Graphics::IImage* image) = 0;
    virtual Graphics::IImage* getBackgroundImage() const = 0;
    virtual bool writeToXml(IO::CXMLNode* node) = 0;
    virtual bool readFromXml(IO::CXMLNode* node) = 0;
    virtual bool writeToXmlFile(const Basics::CString& path) = 0;
    virtual bool readFromXmlFile(const Basics::CString& path) = 0;
    virtual void buildControlTree(Collections::TTreeNode<IControl>& tree) = 0;
    virtual void setRootFlag(bool flag) = 0;
    virtual bool getRootFlag() const = 0;
    virtual IControl* bindNamedControl(const Basics::CString& name, long id,
                                       Events::IActionListener* listener, const char* runtimeClassName) = 0;
    virtual bool isControlAttached(const IControl* control) const = 0;
    virtual IControl* getLastMouseControl() const = 0;
};

class CControlRoot : public Basics::CCountedObject, public IControlRoot
{
public:
    VANTOR_DECLARE_CLASS(CControlRoot);

    // A null window throws CException ("Parent window is NULL").
    explicit CControlRoot(Windowing::IWindow* parent);
    ~CControlRoot() override;
    CControlRoot(const CControlRoot&) = delete;
    CControlRoot& operator=(const CControlRoot&) = delete;

    void lockControl(IControl* control) override { m_lockedControl.setPointer(control); }
    void unlockControl() override { m_lockedControl.setPointer(nullptr); }
    bool controlIsLocked() const override { return m_lockedControl.getPointer() != nullptr; }
    IControl* getLockedControl() const override { return m_lockedControl.getPointer(); }
    void setModalControl(IControl* control) override;
    void clearModalControl() override;
    IControl* getModalControl() const override { return m_modalControl.getPointer(); }
    void setParentWindow(Windowing::IWindow* window) override;
    Windowing::IWindow* getParentWindow() const override { return m_parentWindow; }
    MathTools::CPoint getWindowOffset() const override { return MathTools::CPoint(0, 0); }
    IControl* getControlAtPoint(const MathTools::CPoint& point) const override;
    IControl* getMouseEnabledControlAtPoint(const MathTools::CPoint& point) const override;
    IControl* getDropFileEnabledControlAtPoint(const MathTools::CPoint& point) const override;
    IControl* getKeyboardEnabledControlAtPoint(const MathTools::CPoint& point) const override;
    IControl* getControlWithName(const Basics::CString& name) const override;
    // Appends and references the control unless it is already attached.
    void addControl(IControl* control) override;
    // Releases the control and empties its slot; later slots keep their index.
    void removeControl(IControl* control) override;
    void clearControls() override;
    IControl* getControlAtIndex(const long index, const bool isIndex = true) const override;
    long getControlIndex(const IControl* control) const override;
    // Slots, empty ones included.
    long getNumberOfControls() const override { return m_controls.getArraySize(); }
    long getNumberOfInsertedControls() const override { return m_controls.getInsertIndex(); }
    void drawRootControl(Graphics::CGraphics& graphics) override;
    void updateControl(const long id, const bool isIndex) override;
    void updateControl(IControl* control) override;
    void updateArea(const MathTools::CRect& area) override;
    // The control's corner on the screen, in device pixels.
    bool getGlobalCoordinatesOfControl(IControl* control, MathTools::CPoint& point) const override;
    bool getWindowCoordinatesOfControl(const IControl* control, MathTools::CPoint& point) const override;
    void setBackgroundImage(Graphics::IImage* image) override;
    Graphics::IImage* getBackgroundImage() const override { return m_backgroundImage; }
    // A "controls" node with one "control" child per saved control and "number_of_controls".
    bool writeToXml(IO::CXMLNode* node) override;
    bool readFromXml(IO::CXMLNode* node) override;
    bool writeToXmlFile(const Basics::CString& path) override;
    bool readFromXmlFile(const Basics::CString& path) override;
    void buildControlTree(Collections::TTreeNode<IControl>& tree) override;
    void setRootFlag(bool flag) override { m_rootFlag = flag; }
    bool getRootFlag() const override { return m_rootFlag; }
    IControl* bindNamedControl(const Basics::CString& name, long id, Events::IActionListener* listener,
                               const char* runtimeClassName) override;
    bool isControlAttached(const IControl* control) const override { return getControlIndex(control) >= 0; }
    IControl* getLastMouseControl() const override { return m_lastMouseControl.getPointer(); }

    // The text of the last XML failure.
    const Basics::CString& getLastError() const { return m_lastError; }

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    // The locked control is told, then the lock ends whatever it did.
    void handleMouseCaptureLost() override;
    bool handleKeyDown(const Events::CKeyboardEvent& event) override;
    bool handleKeyUp(const Events::CKeyboardEvent& event) override;
    void handleFileDrop(const Events::CDropEvent& event) override;

    // Inclusive-edge hit test: both the right and the bottom edge belong to the area.
    static bool isInsideArea(const MathTools::CRect& area, const MathTools::CPoint& point);
    // Inclusive-edge overlap test.
    static bool areasIntersect(const MathTools::CRect& a, const MathTools::CRect& b);

    // Makes a control for the "type" of a layout file node: the control base and the framework's
    // control library. Roots of windows with controls of their own override it.
    virtual IControl* createControlOfType(const Basics::CString& type);

protected:
    using MouseHandler = void (Events::IMouseListener::*)(Events::CMouseEvent&);
    void dispatchMouseEvent(Events::CMouseEvent& event, MouseHandler handler);
    void drawOneControl(Graphics::CGraphics& graphics, IControl* control, const MathTools::CRect& updateArea);

private:
    template <typename Accept>
    IControl* findControlAtPoint(const MathTools::CPoint& point, Accept accept) const;
    bool routeKey(const Events::CKeyboardEvent& event, bool down);

    Collections::TAutomaticPointer<IControl> m_modalControl;
    Collections::TCountedPointerArray<IControl> m_controls;
    Collections::TAutomaticPointer<IControl> m_lockedControl;
    Collections::TAutomaticPointer<IControl> m_lastMouseControl;
    Graphics::IImage* m_backgroundImage = nullptr;
    Windowing::IWindow* m_parentWindow = nullptr;
    Events::CMouseEvent m_dispatchEvent;
    MathTools::CPoint m_lastWindowPosition;
    bool m_rootFlag = false;
    Basics::CString m_lastError;
};

} // namespace Vantor::GUI::Controls
