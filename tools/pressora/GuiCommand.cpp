// pressora gui: the plug-in's editor in a window of our own, with a test signal
// running through the plug-in so that its displays move.
#include "tools/pressora/Pressora.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/gui/windowing/EventPump.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/gui/windowing/WindowAttributes.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/ImageDecoder.hpp"
#include "tools/pressora/TestSignal.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <thread>

namespace Vantor::Pressora
{

using namespace Vantor::Vst;
using VstHost::CVstPlugin;
using TClock = std::chrono::steady_clock;

namespace
{

// The rate at which hosts usually call an open editor's idle.
constexpr auto kIdleInterval = std::chrono::milliseconds(33);
// Length of the looped test signal.
constexpr double kSignalSeconds = 8.0;

// The host's window: asking to close it only raises a flag, so that the editor is
// closed before its parent goes away.
class CHostWindow : public GUI::Windowing::CWindow
{
public:
    explicit CHostWindow(const MathTools::CRect& area) : CWindow(area) {}
    bool windowClosed(IWindow*) override
    {
        m_closeRequested = true;
        return false;
    }
    bool isCloseRequested() const { return m_closeRequested; }

private:
    bool m_closeRequested = false;
};

// Feeds the looped test signal through the plug-in in real time on a thread of its
// own, as a host's audio thread does; the output goes nowhere.
class CSilentPlayer
{
public:
    explicit CSilentPlayer(CVstPlugin& plugin) : m_plugin(plugin), m_signal(kSignalSeconds)
    {
        m_plugin.resume();
        m_thread = std::thread([this] { play(); });
    }
    ~CSilentPlayer()
    {
        m_stop.store(true);
        m_thread.join();
    }
    CSilentPlayer(const CSilentPlayer&) = delete;
    CSilentPlayer& operator=(const CSilentPlayer&) = delete;

private:
    void play()
    {
        const auto block = static_cast<std::size_t>(m_plugin.blockSize());
        std::vector<float> left(block), right(block);
        const auto blockTime = std::chrono::duration_cast<TClock::duration>(
            std::chrono::duration<double>(static_cast<double>(block) / m_plugin.sampleRate()));
        auto next = TClock::now();
        std::size_t position = 0;
        while (!m_stop.load())
        {
            const std::size_t count = std::min(block, m_signal.frameCount() - position);
            m_plugin.processStereo(m_signal.left().data() + position, m_signal.right().data() + position,
                                   left.data(), right.data(), count);
            position = (position + count) % m_signal.frameCount();
            next += blockTime;
            std::this_thread::sleep_until(next);
        }
    }

    CVstPlugin& m_plugin;
    CTestSignal m_signal;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

void CPressora::gui(const SCommandLine& command)
{
    if (!command.scale.empty())
    {
        // Read by the editor when it is made, and at every size question after.
#if defined(_WIN32)
        _putenv_s("PRESSORA_SCALE", command.scale.c_str());
#else
        // NOLINTNEXTLINE(concurrency-mt-unsafe): no other thread runs yet.
        setenv("PRESSORA_SCALE", command.scale.c_str(), 1);
#endif
    }
    auto plugin = CVstPlugin::load(command.plugins[0]);
    const std::string name = plugin->path().filename().string();
    plugin->setSampleRate(44100.0f);
    plugin->setBlockSize(command.blockSize);
    if (command.program)
    {
        applyProgram(*plugin, *command.program);
    }
    applyParameters(*plugin, command.parameters, false);
    if ((plugin->effect().flags & effFlagsHasEditor) == 0)
    {
        throw std::runtime_error("'" + name + "' has no editor");
    }
    ERect* rect = nullptr;
    plugin->dispatch(effEditGetRect, 0, 0, &rect);
    if (rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top)
    {
        throw std::runtime_error("'" + name + "' does not tell the size of its editor");
    }

    auto* window =
        new CHostWindow(MathTools::CRect(100, 100, rect->right - rect->left, rect->bottom - rect->top));
    window->referenced();
    struct SWindowRelease
    {
        CHostWindow* window;
        ~SWindowRelease() { window->dereference(); }
    } windowRelease{window};
    GUI::Windowing::CWindowAttributes attributes;
    attributes.setWindowTitle((plugin->effectName() + " - pressora").c_str());
    attributes.setBackgroundColour(GUI::Graphics::CColour(0, 0, 0));
    attributes.setWindowStyle(1); // a framed window of fixed size
    try
    {
        window->intialiseWindow(&attributes, true);
    }
    catch (const Exceptions::CException& caught)
    {
        std::string reason = caught.getErrorReason().getString();
        reason = reason.substr(reason.find_last_of('\n') + 1);
        throw std::runtime_error("cannot open a window (" + reason + "); set DISPLAY or run under xvfb-run");
    }

    // The editor asks for another size when its scale changes (its size menu).
    plugin->host().setWindowSizer(
        [window](int width, int height)
        {
            window->setWindowSize(MathTools::CDimension(width, height));
            return true;
        });
    struct SSizerRelease
    {
        CVstPlugin& plugin;
        ~SSizerRelease() { plugin.host().setWindowSizer(nullptr); }
    } sizerRelease{*plugin};
    void* parent = reinterpret_cast<void*>(window->getWindowHandle()->getNativeHandle());
    if (plugin->dispatch(effEditOpen, 0, 0, parent) == 0)
    {
        throw std::runtime_error("'" + name + "' could not open its editor");
    }
    {
        CSilentPlayer player(*plugin);
        const auto start = TClock::now();
        const auto shotAt = start + std::chrono::milliseconds(command.screenshotAfter);
        auto nextIdle = start;
        while (!window->isCloseRequested())
        {
            const auto now = TClock::now();
            if (now >= nextIdle)
            {
                plugin->dispatch(effEditIdle);
                nextIdle = now + kIdleInterval;
            }
            if (!command.screenshotPath.empty() && now >= shotAt)
            {
                break;
            }
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextIdle - TClock::now());
            GUI::Windowing::processEvents(static_cast<int>(std::max<long long>(wait.count(), 0)));
        }
        if (!command.screenshotPath.empty())
        {
            // Let the last paints of both connections reach the server before reading it back.
            plugin->dispatch(effEditIdle);
            GUI::Windowing::processEvents(0);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::unique_ptr<Platform::IDrawingSurface> shot =
                Platform::captureWindow(window->getWindowHandle()->getNativeHandle());
            std::string error = "the window's pixels cannot be read";
            if (!shot || !Platform::writePngFile(*shot, command.screenshotPath, error))
            {
                plugin->dispatch(effEditClose);
                throw std::runtime_error("cannot write the screenshot " + command.screenshotPath + ": " +
                                         error);
            }
            m_out << "Screenshot: " << command.screenshotPath << "\n";
        }
    }
    plugin->dispatch(effEditClose);
    window->uninitialiseWindow();
    plugin->close();
}

} // namespace Vantor::Pressora
