// Portable code that reaches for a backend header: this file must not compile
// (see the PlatformWall test).
#include "framework/platform/x11/UriList.hpp"
