#pragma once
// Start-up and shut-down of the GUI framework's process-wide objects: the
// default font, the shared cursors and the image manager's entries. A plug-in
// calls these when its library is loaded and unloaded.

namespace Vantor::GUI
{

// Makes the default font (the cursors follow on first use). Opens no display connection:
// that waits for the first window.
void startGuiFramework();
// Releases the default font, the shared cursors and every image-manager entry, then
// lets go of the display connection (every window must be gone by then).
void shutdownGuiFramework();

} // namespace Vantor::GUI
