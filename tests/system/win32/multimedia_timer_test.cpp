// Timers on the system's multimedia timers: real ticks delivered through the pump.
#include <vector>

#include "events/queue.h"
#include "system/timer.h"
#include "watchdog.h"
#include "win32_test_support.h"

namespace quardeln::win32test {
namespace {

class MultimediaTimerTest : public Win32Test {
 protected:
  void TearDown() override {
    for (auto& timer : timers_) HaltTimer(timer);
    timers_.clear();
    Win32Test::TearDown();
  }

  TimerRef Start(float hertz) {
    TimerRef timer = NewTimer(hertz);
    if (timer) timers_.push_back(timer);
    return timer;
  }

  std::vector<TimerRef> timers_;
};

TEST_F(MultimediaTimerTest, ATimerDeliversCountedTicksThroughTheEventLoop) {
  TimerRef timer = Start(20);
  ASSERT_NE(timer, nullptr);
  Watchdog watchdog("three ticks of a 20 Hz timer");
  int32_t last = 0;
  while (last < 3) {
    AwaitEvent();
    if (ActiveEventId() != TimerTick) continue;
    EXPECT_EQ(ActiveEventSource(), timer);
    EXPECT_GT(ActiveEventData(), last) << "counts only grow";
    last = ActiveEventData();
  }
  EXPECT_GE(timer->Ticks(), 3);
}

TEST_F(MultimediaTimerTest, SixteenTimersRunAtOnceAndAStoppedOneFreesAPlace) {
  for (int i = 0; i < kMaxNativeTimers; ++i) ASSERT_NE(Start(1), nullptr) << "timer " << i;
  EXPECT_EQ(NewTimer(1), nullptr);
  HaltTimer(timers_[7]);
  EXPECT_NE(Start(1), nullptr);
}

TEST_F(MultimediaTimerTest, StoppingAMiddleTimerLeavesTheOthersTicking) {
  for (int i = 0; i < 3; ++i) ASSERT_NE(Start(50), nullptr);
  HaltTimer(timers_[1]);
  int32_t stoppedAt = timers_[1]->Ticks();
  int32_t firstFrom = timers_[0]->Ticks();
  int32_t lastFrom = timers_[2]->Ticks();
  {
    Watchdog watchdog("ticks of the timers left running");
    while (timers_[0]->Ticks() < firstFrom + 3 || timers_[2]->Ticks() < lastFrom + 3) {
      AwaitSystemEvents();
    }
  }
  EXPECT_EQ(timers_[1]->Ticks(), stoppedAt);
  EXPECT_EQ(NativeTimerIds().count, 2);
}

// Ticks keep being posted right up to Stop; those still queued afterwards must find the
// timer stopped (or released) and do nothing.
TEST_F(MultimediaTimerTest, TicksPostedBeforeStopAreDroppedEvenForAReleasedTimer) {
  std::vector<std::weak_ptr<TTimer>> released;
  for (int round = 0; round < 20; ++round) {
    TimerRef timer = NewTimer(1000);
    ASSERT_NE(timer, nullptr);
    Sleep(3);  // ticks pile up in the queue, not yet carried out
    HaltTimer(timer);
    EXPECT_EQ(timer->Ticks(), 0);
    released.push_back(timer);
  }
  DrainEvents();
  EXPECT_EQ(NativeTimerIds().count, 0);
  for (const auto& timer : released) EXPECT_TRUE(timer.expired());
}

TEST_F(MultimediaTimerTest, APeriodTheSystemRefusesGivesNoTimer) {
  EXPECT_EQ(NewTimer(0.0001f), nullptr);  // ten million milliseconds
  EXPECT_EQ(NewTimer(2000), nullptr);     // below one millisecond
  EXPECT_EQ(NativeTimerIds().count, 0);
}

}  // namespace
}  // namespace quardeln::win32test
