#pragma once
// A window system without a display: records what the portable window asks of
// its native window, and paints into an offscreen "screen" surface.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::Tests
{

class CFakeWindowSystem;

class CFakeWindowBackend : public Platform::IWindowBackend
{
public:
    explicit CFakeWindowBackend(CFakeWindowSystem& system) : m_system(system) {}

    ECreateResult create(const Platform::SWindowCreateParams& params,
                         Platform::IWindowEventSink* sink) override;
    void destroy() override
    {
        if (m_exists)
        {
            m_sink->handleNativeMessage({Platform::Message::Destroy, 0, 0});
            m_exists = false;
        }
    }
    bool exists() const override { return m_exists; }
    uintptr_t getNativeHandle() const override { return m_exists ? m_handle : 0; }
    std::string getLastError() const override { return "The fake refuses to create windows"; }
    void show() override { m_visible = true; }
    void hide() override { m_visible = false; }
    bool isVisible() const override { return m_visible; }
    void update() override { m_updates++; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    void setPosition(const Platform::SPixelPoint& position) override
    {
        m_area.x = position.x, m_area.y = position.y;
    }
    void setArea(const Platform::SPixelRect& area) override { m_area = area; }
    void invalidate(const Platform::SPixelRect* area) override
    {
        m_invalidated.push_back(area ? *area : Platform::SPixelRect{0, 0, -1, -1});
    }
    bool setOpacity(int alpha) override
    {
        m_opacity = alpha;
        return true;
    }
    void bringToForeground() override { m_broughtToFront++; }
    bool startTimer(long id, long milliseconds) override
    {
        m_timers[id] = milliseconds;
        return true;
    }
    void stopTimer(long id) override
    {
        m_timers.erase(id);
        m_stoppedTimers.push_back(id);
    }
    void setCursor(uintptr_t) override {}
    void captureMouse() override;
    void releaseMouse() override;
    bool hasMouseCapture() const override;
    void trackMouseLeave() override {}
    void installMouseHook() override { m_hookInstalled = true; }
    void removeMouseHook() override { m_hookInstalled = false; }
    Platform::SPixelRect beginPaint() override { return m_paintArea; }
    void present(Platform::IDrawingSurface& surface, const Platform::SPixelRect& area) override
    {
        m_presents++;
        if (!m_screen)
        {
            m_screen = Platform::createDrawingSurface(surface.getWidth(), surface.getHeight(), 0);
        }
        m_screen->drawSurface(surface, area, area, false, 255);
    }
    void endPaint() override { m_paints++; }
    int translateKey(uintptr_t virtualKey, intptr_t) override
    {
        auto found = m_keyTranslations.find(static_cast<int>(virtualKey));
        return found == m_keyTranslations.end() ? -1 : found->second;
    }
    Platform::SPixelRect getScreenRect() const override { return m_screenRect; }
    Platform::SPixelSize getClientSize() const override { return m_clientSize; }
    bool getDroppedFiles(uintptr_t, Platform::SDroppedFiles& out) override
    {
        out = m_dropped;
        return true;
    }
    void finishDrop(uintptr_t) override { m_dropsFinished++; }
    intptr_t defaultProcessing(const Platform::SNativeMessage& message) override
    {
        if (message.message == Platform::Message::Close)
        {
            destroy();
        }
        return 0;
    }

    CFakeWindowSystem& m_system;
    Platform::IWindowEventSink* m_sink = nullptr;
    Platform::SWindowCreateParams m_params;
    bool m_exists = false, m_visible = false, m_enabled = true, m_hookInstalled = false;
    uintptr_t m_handle = 0;
    int m_opacity = -1, m_updates = 0, m_paints = 0, m_presents = 0, m_broughtToFront = 0,
        m_dropsFinished = 0;
    Platform::SPixelRect m_area, m_paintArea, m_screenRect;
    Platform::SPixelSize m_clientSize;
    Platform::SDroppedFiles m_dropped;
    std::map<int, int> m_keyTranslations;
    std::map<long, long> m_timers;
    std::vector<long> m_stoppedTimers;
    std::vector<Platform::SPixelRect> m_invalidated;
    // What reached the "screen": a surface of the window's size.
    std::unique_ptr<Platform::IDrawingSurface> m_screen;
};

class CFakeWindowSystem : public Platform::IWindowSystem
{
public:
    CFakeWindowSystem() { Platform::setWindowSystem(this); }
    ~CFakeWindowSystem() override { Platform::setWindowSystem(nullptr); }

    std::unique_ptr<Platform::IWindowBackend> createWindowBackend() override
    {
        auto backend = std::make_unique<CFakeWindowBackend>(*this);
        m_backends.push_back(backend.get());
        return backend;
    }
    Platform::SPixelSize getScreenSize() override { return {1024, 768}; }
    Platform::SPixelRect getPrimaryMonitorArea() override { return m_primaryMonitor; }
    uintptr_t createCursor(int number) override { return static_cast<uintptr_t>(100 + number); }
    void destroyCursor(uintptr_t) override {}
    bool isKeyDown(int virtualKey) override { return m_keysDown.count(virtualKey) > 0; }
    Platform::SPixelPoint getCursorPosition() override { return m_cursorPosition; }
    bool isMouseCaptured() override { return m_captureOwner != nullptr; }
    bool processEvents(int) override { return !m_quitPosted; }
    void postQuit(int) override { m_quitPosted = true; }
    void pumpEmbeddedWindows() override { m_pumps++; }
    double getDesktopScale(uintptr_t) override
    {
        m_desktopQuestions++;
        return m_desktopScale;
    }

    CFakeWindowBackend* lastBackend() const { return m_backends.empty() ? nullptr : m_backends.back(); }

    std::vector<CFakeWindowBackend*> m_backends;
    std::set<int> m_keysDown;
    std::set<std::string> m_registeredClasses;
    Platform::SPixelPoint m_cursorPosition;
    const CFakeWindowBackend* m_captureOwner = nullptr;
    bool m_quitPosted = false, m_refuseClassRegistration = false, m_refuseCreation = false;
    // As Win32 does: letting go of the capture sends the window CaptureChanged.
    bool m_captureChangedOnRelease = false;
    Platform::SPixelRect m_primaryMonitor{0, 0, 1024, 768};
    int m_pumps = 0;
    uintptr_t m_nextHandle = 1;
    double m_desktopScale = 0.0;
    int m_desktopQuestions = 0;
};

inline Platform::IWindowBackend::ECreateResult
CFakeWindowBackend::create(const Platform::SWindowCreateParams& params, Platform::IWindowEventSink* sink)
{
    if (m_system.m_refuseClassRegistration || m_system.m_refuseCreation)
    {
        return m_system.m_refuseClassRegistration ? ECreateResult::ClassRegistrationFailed
                                                  : ECreateResult::CreationFailed;
    }
    m_system.m_registeredClasses.insert(params.className);
    m_params = params;
    m_sink = sink;
    m_area = params.area;
    m_exists = true;
    m_visible = (params.style & Platform::WindowStyle::Visible) != 0;
    m_handle = m_system.m_nextHandle++;
    return ECreateResult::Created;
}

inline void CFakeWindowBackend::captureMouse()
{
    m_system.m_captureOwner = this;
}
inline void CFakeWindowBackend::releaseMouse()
{
    const bool held = m_system.m_captureOwner == this;
    m_system.m_captureOwner = nullptr;
    if (held && m_system.m_captureChangedOnRelease)
    {
        m_sink->handleNativeMessage({Platform::Message::CaptureChanged, 0, 0});
    }
}
inline bool CFakeWindowBackend::hasMouseCapture() const
{
    return m_system.m_captureOwner == this;
}

} // namespace Vantor::Tests
