#pragma once
// Included first by every header of a platform backend (posix/, x11/, cairo/,
// win32/). Only the backend libraries and the backends' own tests define
// VANTOR_PLATFORM_BACKEND, so portable code that includes a backend header
// stops here instead of quietly depending on one operating system.

#ifndef VANTOR_PLATFORM_BACKEND
#error "Platform backend header: portable code includes only the interfaces in framework/platform/"
#endif
