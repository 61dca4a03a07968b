#include "system/clock.h"

#include <algorithm>

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
