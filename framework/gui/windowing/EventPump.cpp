#include "framework/gui/windowing/EventPump.hpp"

#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI::Windowing
{

bool processEvents(int timeoutMilliseconds)
{
    return Platform::getWindowSystem().processEvents(timeoutMilliseconds);
}

void endEventLoop(int exitCode)
{
    Platform::getWindowSystem().postQuit(exitCode);
}

void pumpEmbeddedWindows()
{
    Platform::getWindowSystem().pumpEmbeddedWindows();
}

} // namespace Vantor::GUI::Windowing
