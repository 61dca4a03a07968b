#include "system/clock.h"

#include <gtest/gtest.h>

#include <limits>

namespace quardeln {
namespace {

std::time_t LocalTime(int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = 126;
  local.tm_mon = 11;
  local.tm_mday = 8;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

std::time_t g_now;
std::time_t TestClock() {
  return g_now;
}

class ClockTextTest : public ::testing::Test {
 protected:
  void SetUp() override { SetClockSource(&TestClock); }
  void TearDown() override { SetClockSource(nullptr); }
};

TEST_F(ClockTextTest, TwoDigitsEverywhere) {
  g_now = LocalTime(9, 7, 5);
  EXPECT_EQ(ClockText(), u"09:07:05");
  g_now = LocalTime(0, 0, 0);
  EXPECT_EQ(ClockText(), u"00:00:00");
  g_now = LocalTime(23, 59, 59);
  EXPECT_EQ(ClockText(), u"23:59:59");
  EXPECT_EQ(DateText(), u"08 Dec 2026");
}

TEST_F(ClockTextTest, ATimeTheRuntimeCannotConvertReadsAsTheEpoch) {
  g_now = std::numeric_limits<std::time_t>::max();
  EXPECT_EQ(ClockText(), u"00:00:00");
  EXPECT_EQ(DateText(), u"01 Jan 1970");
}

TEST(ClockTextSystem, DefaultSourceGivesEightCharacters) {
  std::u16string text = ClockText();
  ASSERT_EQ(text.size(), 8u);
  EXPECT_EQ(text[2], u':');
  EXPECT_EQ(text[5], u':');
}

TEST(LocalTimes, NextTimeOfDayIsTodayUntilItHasPassed) {
  const TLocalTime noon{2026, 12, 31, 12, 0, 0};
  EXPECT_EQ(NextTimeOfDay(noon, 12, 0, 0), noon) << "the current second has not passed";
  EXPECT_EQ(NextTimeOfDay(noon, 12, 0, 1), (TLocalTime{2026, 12, 31, 12, 0, 1}));
  EXPECT_EQ(NextTimeOfDay(noon, 11, 59, 59), (TLocalTime{2027, 1, 1, 11, 59, 59}));
  EXPECT_EQ(NextTimeOfDay({2028, 2, 28, 9, 0, 0}, 8, 0, 0), (TLocalTime{2028, 2, 29, 8, 0, 0}));
  EXPECT_EQ(ClockText(TLocalTime{2026, 1, 2, 3, 4, 5}), u"03:04:05");
}

TEST(TextCuts, HeadSliceTailOfAClockText) {
  EXPECT_EQ(TextHead(u"09:30:05", 2), u"09");
  EXPECT_EQ(TextSlice(u"09:30:05", 4, 2), u"30");
  EXPECT_EQ(TextTail(u"09:30:05", 2), u"05");
}

TEST(TextCuts, CountsAreCutToTheText) {
  EXPECT_EQ(TextHead(u"ab", 5), u"ab");
  EXPECT_EQ(TextHead(u"ab", 0), u"");
  EXPECT_EQ(TextHead(u"ab", -1), u"");
  EXPECT_EQ(TextTail(u"ab", 5), u"ab");
  EXPECT_EQ(TextTail(u"ab", -3), u"");
  EXPECT_EQ(TextHead(u"", 3), u"");
}

TEST(TextCuts, SliceFollowsThePieceRule) {
  EXPECT_EQ(TextSlice(u"abcdef", -1, 4), u"ab");  // start corrected, count reduced
  EXPECT_EQ(TextSlice(u"abc", 4, 1), u"");        // start beyond the text
  EXPECT_EQ(TextSlice(u"abc", 0, -1), u" abc");   // negative count, start below 1
  EXPECT_EQ(TextSlice(u"abc", -2, -1), u"   abc");
  EXPECT_EQ(TextSlice(u"abc", 2, -1), u"bc");
  EXPECT_EQ(TextSlice(u"abc", 2, 10), u"bc");
  EXPECT_EQ(TextSlice(u"abc", -5, 3), u"");  // count used up by the correction
  EXPECT_EQ(TextSlice(u"abc", 3, 0), u"");
}

}  // namespace
}  // namespace quardeln
