#include "system/clock.h"

#include <algorithm>
#include <chrono>

namespace quardeln {
namespace {

std::time_t SystemClock() {
  return std::time(nullptr);
}

ClockSource& Source() {
  static ClockSource source = &SystemClock;
  return source;
}

// The broken-down local time, or the epoch's (00:00:00, 1 January 1970) for a time the
// runtime cannot convert: fields it left undefined would make strftime fail, or on
// Windows end the program through the runtime's invalid-parameter handler.
std::tm LocalTime(std::time_t now) {
  std::tm local{};
#ifdef _WIN32
  const bool converted = localtime_s(&local, &now) == 0;
#else
  const bool converted = localtime_r(&now, &local) != nullptr;
#endif
  if (converted) return local;
  std::tm epoch{};
  epoch.tm_mday = 1;
  epoch.tm_year = 70;
  epoch.tm_wday = 4;  // a Thursday
  return epoch;
}

TLocalTime Fields(const std::tm& local) {
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

void AppendTwoDigits(std::u16string& text, int32_t value) {
  text += static_cast<char16_t>(u'0' + value / 10 % 10);
  text += static_cast<char16_t>(u'0' + value % 10);
}

// The hour a daylight-saving change moves the clock by, and the half hour some zones use.
constexpr std::time_t kClockShifts[] = {3600, 1800};
// Wider than any clock change, narrower than the gap between two of them.
constexpr std::time_t kChangeWindow = 3 * 3600;

// The first instant in (before, after] whose local time is `time` or later, where the
// local time is before `time` at `before`; one clock change at most lies between them.
std::time_t FirstInstantReaching(const TLocalTime& time, std::time_t before, std::time_t after) {
  while (after - before > 1) {
    const std::time_t middle = before + (after - before) / 2;
    (LocalTimeAt(middle) < time ? before : after) = middle;
  }
  return after;
}

std::u16string FormatLocalTime(const char* format) {
  const std::tm local = LocalTime(Source()());
  char buffer[256] = {};
  size_t length = std::strftime(buffer, sizeof buffer, format, &local);
  // One character per byte, as the runtime library wrote it.
  std::u16string text;
  for (size_t i = 0; i < length; ++i)
    text += static_cast<char16_t>(static_cast<unsigned char>(buffer[i]));
  return text;
}

int64_t Length(const std::u16string& text) {
  return static_cast<int64_t>(text.size());
}

}  // namespace

void SetClockSource(ClockSource source) {
  Source() = source ? source : &SystemClock;
}

TLocalTime LocalTimeAt(std::time_t instant) {
  return Fields(LocalTime(instant));
}

TLocalTime LocalNow() {
  return LocalTimeAt(Source()());
}

std::u16string ClockText(const TLocalTime& time) {
  std::u16string text;
  AppendTwoDigits(text, time.hour);
  text += u':';
  AppendTwoDigits(text, time.minute);
  text += u':';
  AppendTwoDigits(text, time.second);
  return text;
}

TLocalTime NextTimeOfDay(const TLocalTime& from, int32_t hour, int32_t minute, int32_t second) {
  TLocalTime next = from;
  next.hour = hour;
  next.minute = minute;
  next.second = second;
  if (next >= from) return next;
  using namespace std::chrono;
  const year_month_day tomorrow{sys_days{year{from.year} / from.month / from.day} + days{1}};
  next.year = static_cast<int32_t>(tomorrow.year());
  next.month = static_cast<int32_t>(static_cast<unsigned>(tomorrow.month()));
  next.day = static_cast<int32_t>(static_cast<unsigned>(tomorrow.day()));
  return next;
}

std::time_t FirstInstantAt(const TLocalTime& time) {
  std::tm local{};
  local.tm_year = time.year - 1900;
  local.tm_mon = time.month - 1;
  local.tm_mday = time.day;
  local.tm_hour = time.hour;
  local.tm_min = time.minute;
  local.tm_sec = time.second;
  local.tm_isdst = -1;  // the runtime decides, and may pick either of a repeated hour
  std::time_t instant = std::mktime(&local);
  if (instant == -1) return -1;
  if (LocalTimeAt(instant) == time) {
    for (std::time_t shift : kClockShifts) {
      if (LocalTimeAt(instant - shift) == time) return instant - shift;
    }
    return instant;
  }
  // Skipped by the clock: the runtime placed it somewhere near the jump.
  const std::time_t before = instant - kChangeWindow;
  const std::time_t after = instant + kChangeWindow;
  if (!(LocalTimeAt(before) < time) || LocalTimeAt(after) < time) return instant;
  return FirstInstantReaching(time, before, after);
}

std::u16string ClockText() {
  return FormatLocalTime("%H:%M:%S");
}
std::u16string DateText() {
  return FormatLocalTime("%d %b %Y");
}

std::u16string TextPiece(const std::u16string& text, int64_t a, int64_t b) {
  // Compared, not subtracted: b - a need not fit in 64 bits, though it does unsigned.
  if (b <= a) return {};
  std::u16string piece;
  piece.reserve(static_cast<uint64_t>(b) - static_cast<uint64_t>(a));
  for (int64_t i = a; i < b; ++i) {
    piece += (i >= 0 && i < Length(text)) ? text[static_cast<size_t>(i)] : u' ';
  }
  return piece;
}

std::u16string TextHead(const std::u16string& text, int32_t count) {
  int64_t n = std::min<int64_t>(count, Length(text));
  return TextPiece(text, 0, n);
}

std::u16string TextTail(const std::u16string& text, int32_t count) {
  int64_t n = std::min<int64_t>(count, Length(text));
  if (n <= 0) return {};
  return TextPiece(text, Length(text) - n, Length(text));
}

std::u16string TextSlice(const std::u16string& text, int32_t start, int32_t count) {
  if (Length(text) < start) return {};
  int64_t first = int64_t{start} - 1;
  int64_t end;
  if (count >= 0) {
    int64_t n = count;
    if (first < 0) {
      n += first;
      first = 0;
    }
    end = std::min(first + n, Length(text));
  } else {
    end = Length(text);
  }
  return TextPiece(text, first, end);
}

}  // namespace quardeln
