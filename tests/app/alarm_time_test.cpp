#include "app/alarm_time.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tempra {
namespace {

AlarmTime StartedAt(const std::u16string& clock) {
  AlarmTime time;
  time.initialiseFromClock(clock);
  return time;
}

// Applies the actions in turn and collects (value, shown text) after each.
std::vector<std::pair<float, std::u16string>> Steps(AlarmTime& time, TimeUnit unit,
                                                    std::vector<int32_t> actions) {
  std::vector<std::pair<float, std::u16string>> seen;
  const float AlarmTime::*field = unit == TimeUnit::Hours     ? &AlarmTime::hours
                                  : unit == TimeUnit::Minutes ? &AlarmTime::minutes
                                                              : &AlarmTime::seconds;
  for (int32_t data : actions) {
    time.step(unit, data);
    seen.emplace_back(time.*field, time.fieldText(unit));
  }
  return seen;
}

using Seen = std::vector<std::pair<float, std::u16string>>;

TEST(AlarmTimeStart, ClockTextGivesValuesAndFloor) {
  AlarmTime time = StartedAt(u"09:30:05");
  EXPECT_EQ(time.hours, 9.0f);
  EXPECT_EQ(time.hoursFloor, 9.0f);
  EXPECT_EQ(time.minutes, 30.0f);
  EXPECT_EQ(time.seconds, 5.0f);
  EXPECT_EQ(time.fieldText(TimeUnit::Hours), u"9");
  EXPECT_EQ(time.fieldText(TimeUnit::Minutes), u"30");
  EXPECT_EQ(time.fieldText(TimeUnit::Seconds), u"5");
  EXPECT_EQ(time.targetText(), u"09:30:05");
}

TEST(AlarmTimeStart, MidnightAndLastSecond) {
  AlarmTime midnight = StartedAt(u"00:00:00");
  EXPECT_EQ(midnight.hoursFloor, 0.0f);
  EXPECT_EQ(midnight.targetText(), u"00:00:00");
  AlarmTime last = StartedAt(u"23:59:59");
  EXPECT_EQ(last.fieldText(TimeUnit::Hours), u"23");
  EXPECT_EQ(last.targetText(), u"23:59:59");
}

TEST(AlarmTimeStep, MinutesWrapFromFiftyNineUpToZero) {
  AlarmTime time = StartedAt(u"10:58:00");
  EXPECT_EQ(Steps(time, TimeUnit::Minutes, {2, 2, 2, 2, 2}),
            (Seen{{58.5f, u"58"}, {59.0f, u"59"}, {0.0f, u"0"}, {0.5f, u"0"}, {1.0f, u"1"}}));
}

TEST(AlarmTimeStep, SecondsStopAtZeroGoingDown) {
  AlarmTime time = StartedAt(u"10:00:01");
  EXPECT_EQ(Steps(time, TimeUnit::Seconds, {1, 1, 1, 1}),
            (Seen{{0.5f, u"0"}, {0.0f, u"0"}, {0.0f, u"0"}, {0.0f, u"0"}}));
}

TEST(AlarmTimeStep, HoursWithFloorNineWrapToFloorAndNeverGoBelowIt) {
  AlarmTime time = StartedAt(u"09:00:00");
  time.hours = 22.5f;
  EXPECT_EQ(Steps(time, TimeUnit::Hours, {2, 2}), (Seen{{23.0f, u"23"}, {9.0f, u"9"}}));
  EXPECT_EQ(Steps(time, TimeUnit::Hours, {2, 1, 1, 1}),
            (Seen{{9.5f, u"9"}, {9.0f, u"9"}, {9.0f, u"9"}, {9.0f, u"9"}}));
}

TEST(AlarmTimeStep, HoursWithFloorZeroWrapFreely) {
  AlarmTime time = StartedAt(u"00:15:00");
  EXPECT_EQ(Steps(time, TimeUnit::Hours, {1}), (Seen{{0.0f, u"0"}}));
  time.hours = 23.0f;
  EXPECT_EQ(Steps(time, TimeUnit::Hours, {2, 2}), (Seen{{0.0f, u"0"}, {0.5f, u"0"}}));
}

TEST(AlarmTimeStep, HoursWithFloorTwentyThreeStayInBothDirections) {
  AlarmTime time = StartedAt(u"23:10:00");
  EXPECT_EQ(Steps(time, TimeUnit::Hours, {2, 1, 1}),
            (Seen{{23.0f, u"23"}, {23.0f, u"23"}, {23.0f, u"23"}}));
}

TEST(AlarmTimeStep, DataOtherThanOneOrTwoChangesNothing) {
  AlarmTime time = StartedAt(u"12:34:56");
  for (int32_t data : {0, 3, -1, -2, 1000}) {
    time.step(TimeUnit::Minutes, data);
    time.step(TimeUnit::Seconds, data);
    time.step(TimeUnit::Hours, data);
  }
  EXPECT_EQ(time.targetText(), u"12:34:56");
}

TEST(AlarmTimeStep, TwoUpsRaiseShownNumberByOneAndUpDownReturns) {
  AlarmTime time = StartedAt(u"10:20:30");
  time.step(TimeUnit::Seconds, kStepUp);
  time.step(TimeUnit::Seconds, kStepUp);
  EXPECT_EQ(time.fieldText(TimeUnit::Seconds), u"31");
  time.step(TimeUnit::Minutes, kStepUp);
  time.step(TimeUnit::Minutes, kStepDown);
  EXPECT_EQ(time.minutes, 20.0f);
  // Only the stepped unit moves.
  EXPECT_EQ(time.targetText(), u"10:20:31");
}

TEST(AlarmTimeTarget, PadsEachPartToTwoDigitsAndTruncatesHalves) {
  AlarmTime time;
  time.hours = 10.0f;
  EXPECT_EQ(time.targetText(), u"10:00:00");
  time.hours = 9.5f;
  time.minutes = 10.5f;
  time.seconds = 10.0f;
  EXPECT_EQ(time.targetText(), u"09:10:10");
  time.hours = 7.0f;
  time.minutes = 5.0f;
  time.seconds = 0.5f;
  EXPECT_EQ(time.targetText(), u"07:05:00");
}

}  // namespace
}  // namespace tempra
