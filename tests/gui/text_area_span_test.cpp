// The text area's range arguments at the ends of the 32-bit range: the spans it would ask
// its document for. Native runs check the arithmetic under the sanitizers; the ordinary
// ranges are tried on the real control in the Windows driver's tests.
#include "gui/text_area_span.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>

namespace quardeln {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// "one\rtwo\rthree": lines start at 0, 4 and 8; 13 characters.
constexpr int32_t kCount = 13;
int32_t LineStart(int32_t line) {
  if (line < 0) return 0;
  if (line > 2) return kCount;
  return line * 4;
}

std::pair<int32_t, int32_t> Span(int32_t pos, int32_t length, bool lines) {
  const TCharSpan span = TextAreaSpan(pos, length, lines, kCount, &LineStart);
  return {span.start, span.end};
}

TEST(TextAreaSpan, SumsStopAtTheEndsOfTheRange) {
  static_assert(SaturatingAdd(kMax, 1) == kMax);
  static_assert(SaturatingAdd(kMax, kMax) == kMax);
  static_assert(SaturatingAdd(kMin, -1) == kMin);
  static_assert(SaturatingAdd(kMax, kMin) == -1);
  static_assert(SaturatingAdd(kMax - 1, 1) == kMax);
}

TEST(TextAreaSpan, CharacterRangesWithExtremeArgumentsEndAtTheLastPosition) {
  EXPECT_EQ(Span(2, kMax, false), std::pair(2, kMax)) << "from 2 to the end";
  EXPECT_EQ(Span(kMax, kMax, false), std::pair(kMax, kMax));
  EXPECT_EQ(Span(kMax, -1, false), std::pair(kMax, kCount));
  EXPECT_EQ(Span(kMin, -1, false), std::pair(kMin, kCount)) << "the whole text";
  EXPECT_EQ(Span(kMin, kMax, false), std::pair(kMin, -1));
}

TEST(TextAreaSpan, LineRangesWithExtremeArgumentsEndAtTheTextsEnd) {
  EXPECT_EQ(Span(1, kMax, true), std::pair(4, kCount));
  EXPECT_EQ(Span(kMax, kMax, true), std::pair(kCount, kCount));
  EXPECT_EQ(Span(kMax, kMin, true), std::pair(kCount, kCount));
  EXPECT_EQ(Span(kMin, kMax, true), std::pair(0, 0));
  EXPECT_EQ(Span(kMin, -1, true), std::pair(0, kCount));
}

}  // namespace
}  // namespace quardeln
