// The alarm's time of day: hours, minutes and seconds moved by half units with the
// stepper arrows, and an hour floor fixed at start-up that the hours never go below.
// Every value is a whole number or a half, so floats hold them exactly. Shown values
// are truncated toward zero; the target text has the clock text's "HH:MM:SS" form.
#pragma once

#include <cstdint>
#include <string>

#include "system/clock.h"

namespace tempra {

enum class TimeUnit { Hours, Minutes, Seconds };

// Event data of a stepper action: the stepper's position within its range 1 to 2.
inline constexpr int32_t kStepUp = 2;
inline constexpr int32_t kStepDown = 1;

class AlarmTime {
 public:
  float hours = 0.0f;
  float hoursFloor = 0.0f;
  float minutes = 0.0f;
  float seconds = 0.0f;

  // Takes hours, minutes and seconds from an "HH:MM:SS" clock text; the hours also
  // become the floor.
  void initialiseFromClock(const std::u16string& clockText);

  // One stepper action: data 2 steps up, 1 down, anything else changes nothing.
  // Above the upper limit the value wraps to 0; below the lower bound it is lifted to it.
  void step(TimeUnit unit, int32_t data);

  std::u16string fieldText(TimeUnit unit) const;  // decimal, no leading zeros
  std::u16string targetText() const;              // "HH:MM:SS"
  // The target's next occurrence from `now` on: today while it has not passed, else
  // tomorrow.
  quardeln::TLocalTime nextTarget(const quardeln::TLocalTime& now) const;
};

}  // namespace tempra
