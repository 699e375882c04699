#pragma once
// The one way a library tells a user that something failed before any window
// of its own exists.

namespace Vantor::Platform
{

// Tells the user about an error: a modal box without owner where the desktop
// has one (it returns once the user closed the box), otherwise one line
// "caption: text" on the standard error stream.
void showErrorBox(const char* text, const char* caption);

} // namespace Vantor::Platform
