#include "system/win32/multimedia_timer.h"

#include "system/win32/windows_api.h"

#include <mmsystem.h>

#include <vector>

#include "system/win32/win32_internal.h"

namespace quardeln {
namespace {

// A running timer. Callbacks know their entry by its serial (the timer's user word), not
// by the system's id: a stale callback of a stopped timer then finds nothing, even when
// the system has handed that id to a newer timer.
struct LiveTimer {
  uintptr_t serial;
  UINT id;  // 0 until timeSetEvent has returned
  uintptr_t cookie;
};

// Process-wide and never destroyed: a late callback may wait for the lock while the
// process exits, and a replaced backend object must not take its timers' lock with it.
SRWLOCK TableLock = SRWLOCK_INIT;

std::vector<LiveTimer>& LiveTimers() {
  static auto* timers = new std::vector<LiveTimer>();
  return *timers;
}

uintptr_t LastSerial = 0;  // under TableLock

class TableScope {
 public:
  TableScope() { AcquireSRWLockExclusive(&TableLock); }
  ~TableScope() { ReleaseSRWLockExclusive(&TableLock); }
  TableScope(const TableScope&) = delete;
  TableScope& operator=(const TableScope&) = delete;
};

LiveTimer* FindBySerial(uintptr_t serial) {
  for (auto& timer : LiveTimers()) {
    if (timer.serial == serial) return &timer;
  }
  return nullptr;
}

void Forget(uintptr_t serial) {
  auto& timers = LiveTimers();
  for (size_t i = 0; i < timers.size(); ++i) {
    if (timers[i].serial != serial) continue;
    timers[i] = timers.back();
    timers.pop_back();
    return;
  }
}

// On the system's timer thread. The lock is held while the tick is handed on, so Stop
// waits for it. Nothing may escape into the system: a tick that cannot be posted (no
// memory) is lost.
void CALLBACK MultimediaTimerCallback(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  TableScope hold;
  LiveTimer* timer = FindBySerial(user);
  if (!timer) return;
  try {
    NativeTimerCallback(timer->cookie, static_cast<int32_t>(id));
  } catch (...) {
  }
}

}  // namespace

// The entry is in the table before the system can call back; the lock is not held
// across timeSetEvent, which may wait for the timer thread.
int32_t TMultimediaTimerBackend::Start(int32_t periodMs, uintptr_t cookie) {
  if (periodMs <= 0) return 0;
  win32::RaiseTimerResolution();
  uintptr_t serial = 0;
  {
    TableScope hold;
    serial = ++LastSerial;
    LiveTimers().push_back({serial, 0, cookie});
  }
  MMRESULT id =
      timeSetEvent(static_cast<UINT>(periodMs), 0, &MultimediaTimerCallback, serial, TIME_PERIODIC);
  TableScope hold;
  if (id == 0) {
    Forget(serial);
    return 0;
  }
  FindBySerial(serial)->id = id;
  return static_cast<int32_t>(id);
}

void TMultimediaTimerBackend::Stop(int32_t id) {
  auto native = static_cast<UINT>(id);
  {
    TableScope hold;
    uintptr_t serial = 0;
    for (const auto& timer : LiveTimers()) {
      if (timer.id == native) serial = timer.serial;
    }
    if (serial != 0) Forget(serial);
  }
  // Outside the lock: a callback may be waiting for it, and some systems' timeKillEvent
  // waits for a running callback.
  timeKillEvent(native);
}

}  // namespace quardeln
