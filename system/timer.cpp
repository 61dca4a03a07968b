#include "system/timer.h"

#include <cmath>
#include <limits>

#include "runtime/error.h"
#include "runtime/text.h"
#include "system/system_driver.h"

namespace quardeln {
namespace {

TNativeTimerIds& Ids() {
  static TNativeTimerIds ids;
  return ids;
}

// Never destroyed: a timer still running at exit keeps its thread busy until the
// process ends, and that thread must not find its backend gone.
std::shared_ptr<TNativeTimerBackend>& Backend() {
  static auto* backend = new std::shared_ptr<TNativeTimerBackend>();
  return *backend;
}

// Counts wrap instead of overflowing: a 1 kHz timer passes 2^31 ticks after 24 days.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrappingSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace

bool TNativeTimerIds::Contains(int32_t id) const {
  for (int32_t i = 0; i < count; ++i) {
    if (ids[i] == id) return true;
  }
  return false;
}

const TNativeTimerIds& NativeTimerIds() {
  return Ids();
}

void SetNativeTimerBackend(std::shared_ptr<TNativeTimerBackend> backend) {
  if (Ids().count > 0) RaiseError("SetNativeTimerBackend called while timers are running");
  Backend() = std::move(backend);
}

int32_t TimerPeriodMs(float hertz) {
  double period = 1000.0 / static_cast<double>(hertz);
  // Zero, negative and not-a-number frequencies have no period; truncating them would
  // be undefined.
  if (!(period >= 1.0) || period > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(period);
}

int32_t StartNativeTimer(float hertz, TTimer* timer) {
  auto& table = Ids();
  if (table.count >= kMaxNativeTimers || !Backend()) return 0;
  int32_t period = TimerPeriodMs(hertz);
  if (period == 0) return 0;
  int32_t id = Backend()->Start(period, reinterpret_cast<uintptr_t>(timer));
  if (id == 0) return 0;
  table.ids[table.count++] = id;
  return id;
}

void StopNativeTimer(int32_t id) {
  auto& table = Ids();
  for (int32_t i = 0; i < table.count; ++i) {
    if (table.ids[i] != id) continue;
    table.ids[i] = table.ids[table.count - 1];
    --table.count;
    if (Backend()) Backend()->Stop(id);
    return;
  }
}

void NativeTimerCallback(uintptr_t cookie, int32_t id) {
  // The backend promises no callback after Stop, and a running timer holds itself
  // (_cycle), so the cookie still names a live timer here.
  ObjectRef timer = reinterpret_cast<TTimer*>(cookie)->shared_from_this();
  RunOnMainThread(&DeliverTimerTick, std::move(timer), id);
}

void DeliverTimerTick(const ObjectRef& timer, intptr_t id) {
  auto* target = dynamic_cast<TTimer*>(timer.get());
  auto native = static_cast<int32_t>(id);
  if (!target || !NativeTimerIds().Contains(native) || target->_handle != native) return;
  target->Fire();
}

std::u16string TTimer::Describe() const {
  return u"Timer (" + IntText(_ticks) + u" ticks)";
}

int32_t TTimer::Ticks() {
  return _ticks;
}

int32_t TTimer::Stop() {
  if (_handle == 0) return 0;
  StopNativeTimer(_handle);
  _handle = 0;
  _event.reset();
  // Breaking the cycle may release the last reference: nothing touches `this` after.
  TimerRef self = std::move(_cycle);
  return 0;
}

int32_t TTimer::Fire() {
  if (_handle == 0) return 0;
  _ticks = WrappingAdd(_ticks, 1);
  if (_event) {
    EventRef event = _event;  // a hook may stop the timer, which clears _event
    SendEvent(event);
  } else {
    SendEvent(MakeEvent(TimerTick, shared_from_this(), _ticks));
  }
  return 0;
}

int32_t TTimer::Wait() {
  if (_handle == 0) return 0;
  auto keep = shared_from_this();
  while (_ticks == _wticks) {
    // Stopped meanwhile (by a hook or a posted call): no tick can come any more.
    if (_handle == 0) return 0;
    if (IsSystemBusy()) RaiseError("Timer Wait called from inside a pump");
    AwaitSystemEvents();
  }
  int32_t count = WrappingSub(_ticks, _wticks);
  _wticks = _ticks;
  return count;
}

TimerRef TTimer::Create(float hertz, EventRef event) {
  auto timer = std::make_shared<TTimer>();
  int32_t id = StartNativeTimer(hertz, timer.get());
  if (id == 0) return nullptr;
  timer->_cycle = timer;
  timer->_event = std::move(event);
  timer->_handle = id;
  return timer;
}

TimerRef NewTimer(float hertz, EventRef event) {
  return TTimer::Create(hertz, std::move(event));
}

int32_t TimerTickCount(const TimerRef& timer) {
  return timer ? timer->Ticks() : 0;
}
int32_t AwaitTimerTick(const TimerRef& timer) {
  return timer ? timer->Wait() : 0;
}

int32_t HaltTimer(const TimerRef& timer) {
  if (timer) timer->Stop();
  return 0;
}

}  // namespace quardeln
