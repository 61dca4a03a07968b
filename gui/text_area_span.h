// The text area's range arguments: a position and a length, in characters or in lines,
// turned into the span of characters they cover. Pure arithmetic over the document's
// numbers, so it holds anywhere: sums that would leave the 32-bit range stop at its ends,
// and a negative length reaches the end of the text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quardeln {

// a + b, held to the 32-bit range instead of overflowing.
constexpr int32_t SaturatingAdd(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + int64_t{b};
  return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

struct TCharSpan {
  int32_t start = 0;
  int32_t end = 0;  // excluded; may lie beyond the text, which the document clamps
};

// `lineStart(line)` is where a line starts (0 before the first line, the character count
// beyond the last). In lines, the start line becomes its first character and a length of
// 0 or more lines ends where line start + length begins.
template <typename LineStart>
TCharSpan TextAreaSpan(int32_t pos, int32_t length, bool lines, int32_t charCount,
                       LineStart lineStart) {
  if (lines) {
    const int32_t line = pos;
    pos = lineStart(line);
    if (length >= 0) return {pos, lineStart(SaturatingAdd(line, length))};
  }
  if (length < 0) return {pos, charCount};
  return {pos, SaturatingAdd(pos, length)};
}

}  // namespace quardeln
