// Native timers on the system's periodic multimedia timers (timeSetEvent). Callbacks run
// on the system's timer thread and only hand the tick on (NativeTimerCallback). Stop can
// race with a callback already running, and timeKillEvent does not always wait for it;
// so callbacks find their timer in a process-wide table under a lock, and Stop takes the
// timer out under that lock: once Stop has returned no callback uses its cookie.
#pragma once

#include <cstdint>

#include "system/timer.h"

namespace quardeln {

class TMultimediaTimerBackend final : public TNativeTimerBackend {
 public:
  int32_t Start(int32_t periodMs, uintptr_t cookie) override;  // timeSetEvent's id or 0
  void Stop(int32_t id) override;
};

}  // namespace quardeln
