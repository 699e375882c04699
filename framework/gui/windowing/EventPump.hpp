#pragma once
// The GUI layer's event pump: programs and the editor drive their windows
// through it rather than through the platform's window system.

namespace Vantor::GUI::Windowing
{

// Delivers the pending window-system events and due timers of this thread's
// windows, waiting up to timeoutMilliseconds for the first one. Answers false
// once the event loop was told to end (the application's main window closed,
// or endEventLoop() was called).
// Threads: editor.
bool processEvents(int timeoutMilliseconds);

// Tells the event loop to end: the next processEvents() answers false.
// Threads: editor.
void endEventLoop(int exitCode);

// For windows embedded in a host (a plug-in's editor): delivers what is pending for
// them without waiting and without ending any event loop, where the host's own loop
// does not (X11: the editor's windows live on a connection of their own). Opens no
// display connection.
// Threads: editor.
void pumpEmbeddedWindows();

} // namespace Vantor::GUI::Windowing
