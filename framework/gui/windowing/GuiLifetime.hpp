#pragma once
// Start-up and shut-down of the GUI framework's process-wide objects: the
// default font, the shared cursors and the image manager's entries. A plug-in
// calls these when its library is loaded and unloaded.

namespace Vantor::GUI
{

// Makes the default font (the cursors follow on first use).
void startGuiFramework();
// Releases the default font, the shared cursors and every image-manager entry.
void shutdownGuiFramework();

} // namespace Vantor::GUI
