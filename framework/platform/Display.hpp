#pragma once
// Queries about the screens attached to the user's session. Each call asks the
// system once, from any thread.

namespace Vantor::Platform
{

// Number of monitors showing the desktop; 0 when there is no display.
long getNumberOfMonitors();

// Size of the primary screen in pixels; 0 when there is no display.
long getScreenWidth();
long getScreenHeight();

} // namespace Vantor::Platform
