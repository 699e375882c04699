#pragma once
// Start-up and shut-down of the GUI framework's process-wide objects: the
// default font, the shared cursors, the image manager's entries and the image
// cache's decoded pictures. A plug-in calls these when its library is loaded and
// unloaded.

namespace Vantor::GUI
{

// Makes the default font (the cursors follow on first use) and keeps the drawing
// libraries loaded for the rest of the process (see keepDrawingLibrariesLoaded).
// Opens no display connection: that waits for the first window.
void startGuiFramework();
// Releases the default font, the shared cursors, every image-manager entry and the
// image cache, then lets go of the display connection (every window must be gone by
// then).
void shutdownGuiFramework();

} // namespace Vantor::GUI
