#include "framework/vst/VstWindow.hpp"

#include <cstdio>
#include <string>

#include "framework/basics/Exception.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/windowing/EventPump.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/io/Trace.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::Vst
{

VANTOR_DEFINE_CLASS(Vantor::Vst::CVstWindow, "CVstWindow", "CWindow")
VANTOR_DEFINE_CLASS(Vantor::Vst::CVstWindow::CParentWindow, "CParentWindow", "CWindow")

// The audio thread asks isSettingParameter: it must never meet a lock.
static_assert(std::atomic<std::thread::id>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

namespace
{
// A visible child window that accepts dropped files.
constexpr std::uint32_t kEditorStyle = Platform::WindowStyle::Child | Platform::WindowStyle::Visible;
constexpr std::uint32_t kEditorExtendedStyle = Platform::ExtendedWindowStyle::AcceptFiles;

const char* productName()
{
    const char* name = Host::CApplicationInformation::getApplicationName().getString();
    return (name[0] != '\0' && name[0] != ' ') ? name : "editor";
}

// The reason at the bottom of a wrapped exception: its last line that is not empty.
std::string innermostReason(const Exceptions::CException& caught)
{
    std::string reason = caught.getErrorReason().getString();
    while (!reason.empty() && reason.back() == '\n')
    {
        reason.pop_back();
    }
    const size_t lineStart = reason.rfind('\n');
    return lineStart == std::string::npos ? reason : reason.substr(lineStart + 1);
}

// The size the wrapper of a host window pretends to have; nothing reads it.
const MathTools::CRect kParentArea(0, 0, 10, 10);
} // namespace

// ---- the host's window ----

CVstWindow::CParentWindow::CParentWindow(std::uintptr_t hostWindow) : CWindow(kParentArea)
{
    getWindowHandle()->foreignHandle = hostWindow;
}

CVstWindow::CParentWindow::~CParentWindow()
{
    // Forget the handle first: the window part must never act on the host's window.
    getWindowHandle()->foreignHandle = 0;
}

// ---- the editor window ----

CVstWindow::CVstWindow(AudioEffect* owner, const MathTools::CRect& area,
                       const GUI::Windowing::CWindowAttributes& attributes)
    : AEffEditor(owner), CWindow(area)
{
    if (effect != nullptr)
    {
        effect->setEditor(this);
    }
    GUI::Windowing::CWindowAttributes* own = getWindowAttributes();
    *own = attributes;
    own->setWindowStyle(kEditorStyle, kEditorExtendedStyle);
    getControlRoot()->setRootFlag(true);
}

CVstWindow::~CVstWindow()
{
    // The effect must not delete it again: an editor whose construction failed after it
    // registered is gone already, and one deleted by anyone else is gone too.
    if (effect != nullptr && effect->getEditor() == this)
    {
        effect->setEditor(nullptr);
    }
    delete m_hostWindow;
    m_hostWindow = nullptr;
    // The native window goes with the window part; systemWindow is the host's and is left alone.
}

bool CVstWindow::getRect(ERect** rect)
{
    // The host sizes its window in device pixels: the logical size at the window's scale.
    const MathTools::CDimension size = getNativeSize();
    m_rect.top = 0;
    m_rect.left = 0;
    m_rect.bottom = static_cast<VstInt16>(size.getHeight());
    m_rect.right = static_cast<VstInt16>(size.getWidth());
    if (rect != nullptr)
    {
        *rect = &m_rect;
    }
    return true;
}

bool CVstWindow::open(void* parent)
{
    // A null parent opens nothing, and an open editor stays as it is.
    if (parent == nullptr)
    {
        return false;
    }
    claimEditorThread();
    IO::CTrace::trace("Calling create window");
    // A host that opens again without closing moves the editor into the new parent.
    if (isWindowOpen())
    {
        detachFromParent();
    }
    try
    {
        attachToParent(parent);
        createEditorWindow();
        if (isWindowOpen())
        {
            return true;
        }
        std::fprintf(stderr, "%s: the editor window could not be created\n", productName());
    }
    catch (const Exceptions::CException& caught)
    {
        std::fprintf(stderr, "%s: the editor window could not be created: %s\n", productName(),
                     innermostReason(caught).c_str());
    }
    catch (...)
    {
    }
    detachFromParent();
    return false;
}

void CVstWindow::close()
{
    if (hasEditorThread())
    {
        claimEditorThread();
    }
    detachFromParent();
}

void CVstWindow::idle()
{
    if (hasEditorThread())
    {
        claimEditorThread();
    }
    GUI::Windowing::pumpEmbeddedWindows();
}

void CVstWindow::redraw()
{
    redrawWindow();
}

void CVstWindow::createEditorWindow()
{
    intialiseWindow(getWindowAttributes(), true);
}

void CVstWindow::parameterChanged(long, double) {}

bool CVstWindow::isSettingParameter() const
{
    return isEditorThread() && m_settingParameter.load(std::memory_order_relaxed);
}

void CVstWindow::setSettingParameter(bool setting)
{
    m_settingParameter.store(setting, std::memory_order_relaxed);
}

void CVstWindow::attachToParent(void* parentWindow)
{
    if (parentWindow == nullptr)
    {
        throw Exceptions::CException("Parent window handle is NULL", "CVSTPanel::open(void *)");
    }
    systemWindow = parentWindow;
    delete m_hostWindow;
    m_hostWindow = new CParentWindow(reinterpret_cast<std::uintptr_t>(parentWindow));
    setParentWindow(m_hostWindow);
}

void CVstWindow::detachFromParent()
{
    uninitialiseWindow();
    destroyNativeWindow();
    setParentWindow(nullptr);
    delete m_hostWindow;
    m_hostWindow = nullptr;
    systemWindow = nullptr;
}

void CVstWindow::handleActionEvent(const GUI::Events::CActionEvent&) {}

bool CVstWindow::handleKeyDown(const GUI::Events::CKeyboardEvent& event)
{
    GUI::Events::IKeyboardListener* listener = getKeyboardListener();
    return listener != nullptr && listener->handleKeyDown(event);
}

bool CVstWindow::handleKeyUp(const GUI::Events::CKeyboardEvent& event)
{
    GUI::Events::IKeyboardListener* listener = getKeyboardListener();
    return listener != nullptr && listener->handleKeyUp(event);
}

bool CVstWindow::isEditorThread() const
{
    return m_editorThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

bool CVstWindow::hasEditorThread() const
{
    return m_editorThread.load(std::memory_order_relaxed) != std::thread::id();
}

void CVstWindow::claimEditorThread()
{
    m_editorThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
}

} // namespace Vantor::Vst
