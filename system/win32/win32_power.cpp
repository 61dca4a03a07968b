// The power manager's side of the driver: a wake request is a waitable timer due at an
// absolute time in UTC, so time spent asleep counts, with resume set so that a computer
// asleep wakes for it where the power settings allow wake timers. Nobody waits on the
// timer: waking the computer is all it is for, and the program's own clock does the rest.
#include "system/win32/win32_power.h"

#include <utility>

#include "system/win32/win32_system_driver.h"

namespace quardeln {
namespace {

// FILETIME counts 100 ns from 1601; the epoch lies this many seconds later.
constexpr int64_t kEpochAfter1601 = 11644473600LL;
constexpr int64_t kFileTimePerSecond = 10000000LL;

LARGE_INTEGER WakeDueTime(std::time_t dueUtc) {
  LARGE_INTEGER due{};
  // Positive: an absolute time, not an interval.
  due.QuadPart = (static_cast<int64_t>(dueUtc) + kEpochAfter1601) * kFileTimePerSecond;
  return due;
}

}  // namespace

TWin32WakeTimer::TWin32WakeTimer(UniqueKernelObject timer) : timer_(std::move(timer)) {}

TWin32WakeTimer::~TWin32WakeTimer() {
  CancelWaitableTimer(timer_.get());
}

ObjectRef TWin32SystemDriver::RequestWake(std::time_t dueUtc) {
  UniqueKernelObject timer(CreateWaitableTimerW(nullptr, TRUE, nullptr));
  if (!timer) return nullptr;
  const LARGE_INTEGER due = WakeDueTime(dueUtc);
  // Where the system cannot resume it still succeeds (ERROR_NOT_SUPPORTED); the timer then
  // only marks the time, which harms nothing.
  if (!SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, TRUE)) return nullptr;
  return std::make_shared<TWin32WakeTimer>(std::move(timer));
}

int32_t TWin32SystemDriver::KeepAwake() {
  // Without ES_CONTINUOUS this only resets the idle timers: the computer may sleep again
  // later, as its settings say.
  return SetThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED) != 0 ? 1 : 0;
}

}  // namespace quardeln
