#include "app/activation.h"

#include "events/queue.h"
#include "gui/api.h"
#include "system/clock.h"
#include "system/timer.h"

namespace tempra {

using namespace quardeln;

void Activation::activate(const GadgetRef& mainWindow, const AlarmTime& time,
                          AppPlatform& platform) {
  // Each activation waits for its own target, also after an alarm has fired.
  state_ = AlarmState::Idle;
  targetText_ = time.targetText();
  // Without a timer (all taken) the wait goes on; ticks of other timers still count.
  TimerRef timer = NewTimer(kActivationTickHertz);
  Wait(mainWindow);
  HaltTimer(timer);
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

// Matched is recorded by the first tick that shows the target; the window comes up at
// every later tick, and the first tick that has moved past the target fires.
void Activation::TakeTick(const GadgetRef& mainWindow) {
  lastClockText_ = ClockText();
  if (state_ == AlarmState::Matched) {
    WindowRestore(mainWindow);
    state_ = AlarmState::Fired;
  }
  if (lastClockText_ == targetText_) state_ = AlarmState::Matched;
}

void Activation::Fire(const GadgetRef& mainWindow, AppPlatform& platform) {
  platform.BringToFrontTopmost(GadgetQuery(mainWindow, QUERY_NATIVE), GadgetLeft(mainWindow),
                               GadgetTop(mainWindow), GadgetGetWidth(mainWindow),
                               GadgetGetHeight(mainWindow));
}

}  // namespace tempra
