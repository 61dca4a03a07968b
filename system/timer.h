// Periodic timers. A native timer ticks on a thread of its own and only posts the tick to
// the main thread (RunOnMainThread); there, inside a pump, the tick counts and emits its
// event. At most 16 timers run at once. A running timer keeps itself alive (_cycle) until
// Stop, so the program may drop it while it ticks: every timer must be stopped.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "events/event.h"

namespace quardeln {

class TTimer : public TObject {
 public:
  int32_t _ticks = 0;   // ticks carried out
  int32_t _wticks = 0;  // ticks already reported by Wait
  // The timer itself while it runs: a deliberate keep-alive cycle, broken by Stop.
  std::shared_ptr<TTimer> _cycle;
  EventRef _event;      // emitted on every tick; null for a fresh TimerTick per tick
  int32_t _handle = 0;  // native timer id; 0 once stopped

  virtual int32_t Ticks();
  virtual int32_t Stop();  // for good; the count stays
  virtual int32_t Fire();  // one tick, on the main thread
  // Sleeps until a tick came since the last Wait, returns how many. Raises when called
  // from inside a pump, where nothing could arrive; returns 0 for a stopped timer.
  virtual int32_t Wait();
  std::u16string Describe() const override;  // "Timer (3 ticks)", for debugging

  // A running timer, or null when no native timer could be started.
  static std::shared_ptr<TTimer> Create(float hertz, EventRef event);
};

using TimerRef = std::shared_ptr<TTimer>;

// A timer ticking `hertz` times a second (0.5 is once every two seconds); its period is
// 1000 / hertz milliseconds, truncated, so 1000 Hz is the fastest. Null when no timer can
// be had: a frequency with no such period (0, negative, above 1000) or 16 already running.
// Each tick emits `event`, or a fresh TimerTick with the timer as source and the tick
// count as data when `event` is null.
TimerRef NewTimer(float hertz, EventRef event = nullptr);
int32_t TimerTickCount(const TimerRef& timer);
int32_t AwaitTimerTick(const TimerRef& timer);
int32_t HaltTimer(const TimerRef& timer);

// Where native timers come from. Start begins a periodic timer that calls
// NativeTimerCallback(cookie, id) on a thread of its own, and returns its id, or 0 when
// it cannot. After Stop(id) has returned no callback for that id may be running or come
// later: the cookie is only valid until then.
class TNativeTimerBackend {
 public:
  TNativeTimerBackend() = default;
  TNativeTimerBackend(const TNativeTimerBackend&) = delete;
  TNativeTimerBackend& operator=(const TNativeTimerBackend&) = delete;
  virtual ~TNativeTimerBackend() = default;

  virtual int32_t Start(int32_t periodMs, uintptr_t cookie) = 0;
  virtual void Stop(int32_t id) = 0;
};

// Installs the backend for timers started from now on (null: none, timers fail to
// start). Raises while timers are running, whose ids belong to the old backend.
void SetNativeTimerBackend(std::shared_ptr<TNativeTimerBackend> backend);

// A backend's tick, on its own thread: posts DeliverTimerTick to the main thread with a
// reference to the timer, which keeps it alive until the posted call has run.
void NativeTimerCallback(uintptr_t cookie, int32_t id);

inline constexpr int32_t kMaxNativeTimers = 16;

struct TNativeTimerIds {
  std::array<int32_t, kMaxNativeTimers> ids{};
  int32_t count = 0;

  bool Contains(int32_t id) const;
};
const TNativeTimerIds& NativeTimerIds();

// 1000 / hertz, truncated; 0 when that is no period a timer can have.
int32_t TimerPeriodMs(float hertz);

int32_t StartNativeTimer(float hertz, TTimer* timer);  // the native id, or 0
void StopNativeTimer(int32_t id);

// The main-thread half of a tick: fires only when the id is still running AND is the
// timer's own, so a late tick never reaches a stopped timer or the timer that inherited
// its id.
void DeliverTimerTick(const ObjectRef& timer, intptr_t id);

}  // namespace quardeln
