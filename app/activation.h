// The alarm's activation: the wait for the target and the firing. The target is a local
// date and time, fixed at activation: today's target time of day while it is still
// ahead, else tomorrow's. The wait is a nested event loop that keeps the main window
// minimised, shows the clock in its title, watches the clock on a 4 Hz timer and drops
// every event that is not a tick. A tick that sees the target second records the match,
// and the next tick past it fires; a tick that finds the target already past (the
// computer slept, the clock moved, daylight saving skipped it) fires at once. Meanwhile
// the system is asked to wake the computer for the target. Firing brings the window
// back topmost and to the foreground. The last clock text lasts for the whole run.
#pragma once

#include <string>

#include "app/alarm_time.h"
#include "app/platform_seam.h"
#include "gui/gadget.h"
#include "system/clock.h"

namespace tempra {

enum class AlarmState { Idle, Matched, Fired };

inline constexpr float kActivationTickHertz = 4.0f;

class Activation {
 public:
  // Waits for the target taken from `time` now, then fires. Returns only after firing.
  void activate(const quardeln::GadgetRef& mainWindow, const AlarmTime& time,
                AppPlatform& platform);

  const std::u16string& targetText() const { return targetText_; }
  const quardeln::TLocalTime& target() const { return target_; }
  const std::u16string& lastClockText() const { return lastClockText_; }
  AlarmState state() const { return state_; }

 private:
  void Wait(const quardeln::GadgetRef& mainWindow);
  void TakeTick(const quardeln::GadgetRef& mainWindow);
  static void Fire(const quardeln::GadgetRef& mainWindow, AppPlatform& platform);

  std::u16string targetText_;
  quardeln::TLocalTime target_;
  std::u16string lastClockText_;
  AlarmState state_ = AlarmState::Idle;
};

}  // namespace tempra
