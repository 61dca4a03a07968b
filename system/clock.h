// Clock texts and text cuts: the local time and date as text and as wall-clock fields,
// and three ways of cutting a piece out of a text. Stateless, but the clock source can be
// replaced so tests can move the time, across a day or a daylight-saving change.
#pragma once

#include <compare>
#include <cstdint>
#include <ctime>
#include <string>

namespace quardeln {

// The source of the current calendar time; the default reads the system clock.
using ClockSource = std::time_t (*)();
void SetClockSource(ClockSource source);  // null restores the system clock

std::u16string ClockText();  // "%H:%M:%S" of local time
std::u16string DateText();   // "%d %b %Y" of local time

// A local date and time as the clock shows it: wall-clock fields without a zone, so that
// in a skipped or repeated hour they compare as they read. Month and day count from 1.
struct TLocalTime {
  int32_t year = 1970;
  int32_t month = 1;
  int32_t day = 1;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  friend auto operator<=>(const TLocalTime&, const TLocalTime&) = default;
};

TLocalTime LocalNow();                             // the clock source's time, local
TLocalTime LocalTimeAt(std::time_t instant);       // the epoch's fields if unconvertible
std::u16string ClockText(const TLocalTime& time);  // "HH:MM:SS"

// The first time of day hour:minute:second from `from` on: that day while the time has
// not passed (the current second has not), else the next day.
TLocalTime NextTimeOfDay(const TLocalTime& from, int32_t hour, int32_t minute, int32_t second);

// The first instant (seconds since the epoch, UTC) at which the local clock reads `time`
// or later: the first of a repeated time, the jump itself for a time the clock skips.
// -1 when the runtime cannot place it.
std::time_t FirstInstantAt(const TLocalTime& time);

std::u16string TextHead(const std::u16string& text, int32_t count);
std::u16string TextSlice(const std::u16string& text, int32_t start, int32_t count);
std::u16string TextTail(const std::u16string& text, int32_t count);

// The common cut: characters a up to b (excluded); positions outside the text are blanks.
std::u16string TextPiece(const std::u16string& text, int64_t a, int64_t b);

}  // namespace quardeln
