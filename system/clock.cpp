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

std::u16string FormatLocalTime(const char* format) {
  std::time_t now = Source()();
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
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
  if (b - a <= 0) return {};
  std::u16string piece;
  piece.reserve(static_cast<size_t>(b - a));
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
