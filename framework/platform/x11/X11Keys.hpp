#pragma once
// Mapping between X11 key symbols and the framework's (Win32-numbered) virtual keys.

#include "framework/platform/BackendGuard.hpp"

#include <X11/X.h>

#include <vector>

namespace Vantor::Platform::X11Keys
{

// The virtual key of an unshifted key symbol; 0 when it has none.
int virtualKeyFromKeysym(KeySym keysym);

// The key symbols that produce a virtual key (both sides for Shift, Control and Alt).
std::vector<KeySym> keysymsOfVirtualKey(int virtualKey);

} // namespace Vantor::Platform::X11Keys
