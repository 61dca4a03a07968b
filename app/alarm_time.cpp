#include "app/alarm_time.h"

#include "runtime/text.h"
#include "system/clock.h"

namespace tempra {
namespace {

constexpr float kHalfStep = 0.5f;
constexpr float kHoursLimit = 23.0f;
constexpr float kMinutesLimit = 59.0f;  // also the seconds' limit

// The leading decimal number of a text ("07" gives 7); a text without digits gives 0.
int32_t WholeNumber(const std::u16string& text) {
  int32_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + (c - u'0');
  }
  return value;
}

float AlarmTime::*UnitField(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::Hours:
      return &AlarmTime::hours;
    case TimeUnit::Minutes:
      return &AlarmTime::minutes;
    case TimeUnit::Seconds:
      break;
  }
  return &AlarmTime::seconds;
}

int32_t Truncated(float value) {
  return static_cast<int32_t>(value);
}

std::u16string TwoDigits(float value) {
  std::u16string digits = quardeln::IntText(Truncated(value));
  return digits.size() < 2 ? u"0" + digits : digits;
}

}  // namespace

void AlarmTime::initialiseFromClock(const std::u16string& clockText) {
  hours = static_cast<float>(WholeNumber(quardeln::TextHead(clockText, 2)));
  hoursFloor = hours;
  minutes = static_cast<float>(WholeNumber(quardeln::TextSlice(clockText, 4, 2)));
  seconds = static_cast<float>(WholeNumber(quardeln::TextTail(clockText, 2)));
}

void AlarmTime::step(TimeUnit unit, int32_t data) {
  float& value = this->*UnitField(unit);
  const float upper = unit == TimeUnit::Hours ? kHoursLimit : kMinutesLimit;
  const float lower = unit == TimeUnit::Hours ? hoursFloor : 0.0f;
  if (data == kStepUp) value += kHalfStep;
  if (data == kStepDown) value -= kHalfStep;
  // Wrap before clamp: past 23 the hours land on the floor, not on 0.
  if (value > upper) value = 0.0f;
  if (!(value >= lower)) value = lower;
}

std::u16string AlarmTime::fieldText(TimeUnit unit) const {
  return quardeln::IntText(Truncated(this->*UnitField(unit)));
}

quardeln::TLocalTime AlarmTime::nextTarget(const quardeln::TLocalTime& now) const {
  return quardeln::NextTimeOfDay(now, Truncated(hours), Truncated(minutes), Truncated(seconds));
}

std::u16string AlarmTime::targetText() const {
  return TwoDigits(hours) + u":" + TwoDigits(minutes) + u":" + TwoDigits(seconds);
}

}  // namespace tempra
