// The one way our Windows code includes <windows.h>: lean, without the min/max macros.
// Only files under a win32/ folder include it. Portable headers included after it must
// not meet a Win32 macro of the same name; where one collides it is undefined here.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

// <windows.h> maps Yield to nothing; nothing of ours is called that yet, but a future
// Yield would silently vanish.
#undef Yield
