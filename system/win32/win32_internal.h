// What the Windows driver's own files share: the input half's state that the pump and
// start-up touch, the failure a native callback left for the pump, and the timer
// resolution. Main thread only.
#pragma once

#include <cstdint>

#include "system/win32/windows_api.h"

namespace quardeln::win32 {

// Rebuilds the modifier bits from the thread's key state (GetKeyState).
void RebuildModifierState();

// Puts the pointer state as at start-up: shown, over no window.
void ResetPointerState();

// Rethrows (and forgets) the failure a native callback deferred, if any.
void RethrowDeferredFailure();

// Raises the system's timer resolution to 1 ms, once; the system driver's exit handler
// lowers it again.
void RaiseTimerResolution();

}  // namespace quardeln::win32
