#include "system/timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "events/queue.h"
#include "system/headless/headless_driver.h"
#include "system/headless/manual_timer.h"
#include "system/thread_timer.h"
#include "watchdog.h"

namespace quardeln {
namespace {

void DrainQueue() {
  while (!EventQueue().Empty()) TakeEvent();
  ActiveEvent = EmptyEvent;
}

// Timers on the manual backend: ticks are posted when the test says so and carried out
// when the main thread pumps.
class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::make_shared<THeadlessSystemDriver>();
    StartSystemModule(driver_);
    backend_ = std::make_shared<TManualTimerBackend>();
    SetNativeTimerBackend(backend_);
    DrainQueue();
  }

  void TearDown() override {
    for (auto& timer : timers_) HaltTimer(timer);
    timers_.clear();
    PumpSystemEvents();  // late ticks still posted hold their timers
    DrainQueue();
    SetNativeTimerBackend(nullptr);
  }

  TimerRef Start(float hertz = 4, EventRef event = nullptr) {
    TimerRef timer = NewTimer(hertz, std::move(event));
    if (timer) timers_.push_back(timer);
    return timer;
  }

  // Posts one tick and carries it out.
  void TickNow(const TimerRef& timer) {
    ASSERT_TRUE(backend_->Tick(timer->_handle));
    PumpSystemEvents();
  }

  std::shared_ptr<THeadlessSystemDriver> driver_;
  std::shared_ptr<TManualTimerBackend> backend_;
  std::vector<TimerRef> timers_;
};

TEST_F(TimerTest, TicksEmitTimerTickWithTheCountAndTheTimerAsSource) {
  TimerRef timer = Start(4);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(backend_->PeriodOf(timer->_handle), 250);
  for (int32_t expected = 1; expected <= 3; ++expected) {
    TickNow(timer);
    ASSERT_EQ(TakeEvent(), TimerTick);
    EXPECT_EQ(ActiveEventData(), expected);
    EXPECT_EQ(ActiveEventSource(), timer);
    EXPECT_EQ(ActiveEventMods() | ActiveEventX() | ActiveEventY(), 0);
    EXPECT_EQ(ActiveEventExtra(), nullptr);
  }
  EXPECT_EQ(TimerTickCount(timer), 3);
}

TEST_F(TimerTest, TicksPostedWhileTheMainThreadIsBusyAllCountAndMergeInTheQueue) {
  TimerRef timer = Start(4);
  for (int i = 0; i < 5; ++i) backend_->Tick(timer->_handle);
  EXPECT_EQ(timer->Ticks(), 0);  // nothing runs until the main thread pumps
  PumpSystemEvents();
  EXPECT_EQ(timer->Ticks(), 5);
  ASSERT_EQ(TakeEvent(), TimerTick);
  EXPECT_EQ(ActiveEventData(), 5);
  EXPECT_EQ(TakeEvent(), 0);
}

TEST_F(TimerTest, TheCallersEventIsEmittedAsTheSameObjectUnchanged) {
  auto extra = NewText(u"promemoria");
  EventRef event = MakeEvent(NewUserEventId(), extra, 7, ModShift, 1, 2, extra);
  TimerRef timer = Start(2, event);
  for (int tick = 0; tick < 2; ++tick) {
    TickNow(timer);
    ASSERT_EQ(TakeEvent(), event->id);
    EXPECT_EQ(ActiveEvent, event);
    EXPECT_EQ(ActiveEventData(), 7);
    EXPECT_EQ(ActiveEventSource(), extra);
  }
  EXPECT_EQ(timer->Ticks(), 2);
}

TEST_F(TimerTest, PeriodIsAThousandOverTheFrequencyTruncated) {
  EXPECT_EQ(TimerPeriodMs(4), 250);
  EXPECT_EQ(TimerPeriodMs(3), 333);
  EXPECT_EQ(TimerPeriodMs(7), 142);
  EXPECT_EQ(TimerPeriodMs(0.5f), 2000);
  EXPECT_EQ(TimerPeriodMs(1000), 1);
  // Above 1000 Hz the period is 0 ms; zero, negative and NaN frequencies have none.
  for (float hertz : {1001.0f, 0.0f, -4.0f, NAN, INFINITY, 1e-12f}) {
    EXPECT_EQ(TimerPeriodMs(hertz), 0) << hertz;
    EXPECT_EQ(Start(hertz), nullptr) << hertz;
  }
  EXPECT_EQ(NativeTimerIds().count, 0);
}

TEST_F(TimerTest, ARefusedNativeTimerGivesNoTimer) {
  backend_->SetRefusing(true);
  EXPECT_EQ(Start(4), nullptr);
  EXPECT_EQ(NativeTimerIds().count, 0);
  SetNativeTimerBackend(nullptr);
  EXPECT_EQ(Start(4), nullptr);
}

TEST_F(TimerTest, SixteenRunAndASeventeenthWaitsForAPlace) {
  for (int i = 0; i < kMaxNativeTimers; ++i) ASSERT_NE(Start(10), nullptr) << i;
  EXPECT_EQ(NativeTimerIds().count, 16);
  EXPECT_EQ(Start(10), nullptr);
  EXPECT_EQ(backend_->RunningIds().size(), 16u);
  HaltTimer(timers_[3]);
  EXPECT_EQ(NativeTimerIds().count, 15);
  EXPECT_NE(Start(10), nullptr);
  EXPECT_EQ(NativeTimerIds().count, 16);
}

TEST_F(TimerTest, StoppingTheMiddleTimerLeavesTheOthersTicking) {
  TimerRef first = Start(), middle = Start(), last = Start();
  int32_t firstId = first->_handle, middleId = middle->_handle, lastId = last->_handle;
  HaltTimer(middle);
  EXPECT_EQ(NativeTimerIds().count, 2);
  EXPECT_TRUE(NativeTimerIds().Contains(firstId));
  EXPECT_TRUE(NativeTimerIds().Contains(lastId));
  EXPECT_FALSE(NativeTimerIds().Contains(middleId));
  EXPECT_FALSE(backend_->Tick(middleId));
  backend_->TickAll();
  PumpSystemEvents();
  EXPECT_EQ(first->Ticks(), 1);
  EXPECT_EQ(middle->Ticks(), 0);
  EXPECT_EQ(last->Ticks(), 1);
}

TEST_F(TimerTest, StopIsForGoodAndKeepsTheCount) {
  TimerRef timer = Start();
  TickNow(timer);
  TickNow(timer);
  backend_->Tick(timer->_handle);  // posted before Stop, carried out after it
  EXPECT_EQ(timer->Stop(), 0);
  PumpSystemEvents();
  EXPECT_EQ(timer->Ticks(), 2);
  EXPECT_EQ(timer->Fire(), 0);
  EXPECT_EQ(timer->Ticks(), 2);
  EXPECT_EQ(timer->Wait(), 0);
  EXPECT_EQ(HaltTimer(timer), 0);
  EXPECT_EQ(timer->_handle, 0);
  EXPECT_EQ(timer->_cycle, nullptr);
  EXPECT_EQ(timer->_event, nullptr);
  EXPECT_EQ(NativeTimerIds().count, 0);
}

TEST_F(TimerTest, ARunningTimerKeepsItselfAliveUntilStopped) {
  std::weak_ptr<TTimer> watch = NewTimer(4);
  ASSERT_FALSE(watch.expired());
  backend_->TickAll();
  PumpSystemEvents();
  ASSERT_EQ(TakeEvent(), TimerTick);
  EXPECT_EQ(ActiveEventSource(), watch.lock());
  ActiveEvent = EmptyEvent;
  watch.lock()->Stop();
  EXPECT_TRUE(watch.expired());
}

TEST_F(TimerTest, ALateTickNeverReachesAReleasedTimerNorTheHeirOfItsId) {
  TimerRef old = NewTimer(4);
  int32_t id = old->_handle;
  backend_->Tick(id);
  old->Stop();
  std::weak_ptr<TTimer> watch = old;
  old.reset();
  EXPECT_FALSE(watch.expired());  // the posted tick holds it until it has run
  TimerRef heir = Start(4);
  ASSERT_EQ(heir->_handle, id);  // the system hands the id out again
  PumpSystemEvents();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(heir->Ticks(), 0);
  EXPECT_EQ(TakeEvent(), 0);
}

TEST_F(TimerTest, WaitReturnsTheTicksSinceThePreviousWait) {
  Watchdog watchdog("timer ticks");
  TimerRef timer = Start();
  for (int i = 0; i < 3; ++i) backend_->Tick(timer->_handle);
  EXPECT_EQ(AwaitTimerTick(timer), 3);
  // With nothing posted, Wait sleeps until a tick arrives from another thread.
  std::thread ticker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    backend_->Tick(timer->_handle);
  });
  EXPECT_EQ(timer->Wait(), 1);
  ticker.join();
  EXPECT_EQ(timer->_wticks, 4);
  DrainQueue();  // the queue saw every tick as usual
}

TEST_F(TimerTest, WaitInsideAPumpRaisesInsteadOfHanging) {
  TimerRef timer = Start();
  driver_->RunOnMainThread(
      [](const ObjectRef& argument, intptr_t) {
        auto waiting = std::static_pointer_cast<TTimer>(argument);
        try {
          waiting->Wait();
          ADD_FAILURE() << "Wait returned inside a pump";
        } catch (const RuntimeError& error) {
          EXPECT_STREQ(error.what(), "Timer Wait called from inside a pump");
        }
      },
      timer, 0);
  PumpSystemEvents();
  EXPECT_EQ(driver_->PendingCalls(), 0u);
}

TEST_F(TimerTest, AHookThatStopsTheTimerEndsItsWait) {
  Watchdog watchdog("the stopped timer's wait");
  TimerRef timer = Start();
  driver_->RunOnMainThread([](const ObjectRef& argument,
                              intptr_t) { std::static_pointer_cast<TTimer>(argument)->Stop(); },
                           timer, 0);
  EXPECT_EQ(timer->Wait(), 0);
}

// The portable thread backend with real time: only that ticks arrive, never how fast.
TEST(ThreadTimerBackend, TicksReachAwaitEventAndStopEndsThem) {
  auto driver = std::make_shared<THeadlessSystemDriver>();
  StartSystemModule(driver);
  SetNativeTimerBackend(std::make_shared<TThreadTimerBackend>());
  TimerRef fast = NewTimer(200), slow = NewTimer(0.001f);
  ASSERT_NE(fast, nullptr);
  ASSERT_NE(slow, nullptr);
  EXPECT_EQ(NewTimer(0.0001f), nullptr);  // 10^7 ms is beyond what a native timer takes
  {
    Watchdog watchdog("three ticks of a 200 Hz timer");
    while (fast->Ticks() < 3) {
      ASSERT_EQ(AwaitEvent(), TimerTick);
      EXPECT_EQ(ActiveEventSource(), fast);
    }
  }
  HaltTimer(fast);
  HaltTimer(slow);
  PumpSystemEvents();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(driver->PendingCalls(), 0u);  // nothing comes after Stop
  DrainQueue();
  SetNativeTimerBackend(nullptr);
}

}  // namespace
}  // namespace quardeln
