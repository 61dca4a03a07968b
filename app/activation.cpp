#include "app/activation.h"

#include "events/queue.h"
#include "gui/api.h"
#include "system/system_driver.h"
#include "system/timer.h"

namespace tempra {

using namespace quardeln;

void Activation::activate(const GadgetRef& mainWindow, const AlarmTime& time,
                          AppPlatform& platform) {
  // Each activation waits for its own target, also after an alarm has fired.
  state_ = AlarmState::Idle;
  targetText_ = time.targetText();
  target_ = time.nextTarget(LocalNow());
  // Without a timer (all taken) the wait goes on; ticks of other timers still count.
  TimerRef timer = NewTimer(kActivationTickHertz);
  {
    const std::time_t due = FirstInstantAt(target_);
    // Withdrawn when the wait ends.
    const ObjectRef wake = due == -1 ? nullptr : WakeSystemAt(due);
    Wait(mainWindow);
  }
  HaltTimer(timer);
  // A computer woken for the alarm must stay up to show it.
  KeepSystemAwake();
  Fire(mainWindow, platform);
}

void Activation::Wait(const GadgetRef& mainWindow) {
  for (;;) {
    // At the top of every pass, so a window restored by hand goes down again.
    WindowMinimise(mainWindow);
    if (AwaitEvent() == TimerTick) TakeTick(mainWindow);
    GadgetSetText(mainWindow, lastClockText_);
    if (state_ == AlarmState::Fired) return;
  }
}

// Matched is recorded by a tick that shows the target; the window comes up at every later
// tick, and the first tick that is no longer in the target second fires, as does any tick
// that finds the target past without having seen it. Dates and times compare as the clock
// reads them, so an hour skipped by daylight saving fires at the jump and a repeated hour
// fires at its first pass.
void Activation::TakeTick(const GadgetRef& mainWindow) {
  const TLocalTime now = LocalNow();
  lastClockText_ = ClockText(now);
  if (state_ == AlarmState::Matched || now > target_) {
    WindowRestore(mainWindow);
    state_ = AlarmState::Fired;
  }
  if (now == target_) state_ = AlarmState::Matched;
}

void Activation::Fire(const GadgetRef& mainWindow, AppPlatform& platform) {
  platform.BringToFrontTopmost(GadgetQuery(mainWindow, QUERY_NATIVE), GadgetLeft(mainWindow),
                               GadgetTop(mainWindow), GadgetGetWidth(mainWindow),
                               GadgetGetHeight(mainWindow));
}

}  // namespace tempra
