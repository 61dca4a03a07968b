#include "system/system_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "events/queue.h"
#include "runtime/error.h"
#include "system/headless/headless_driver.h"
#include "system/platform.h"
#include "watchdog.h"

namespace quardeln {
namespace {

template <typename Call>
void ExpectAbstract(Call call) {
  try {
    call();
    ADD_FAILURE() << "the base driver answered";
  } catch (const RuntimeError& error) {
    EXPECT_STREQ(error.what(), "Attempt to call abstract method");
  }
}

TEST(SystemDriverBase, EveryOperationIsAbstract) {
  TSystemDriver base;
  ExpectAbstract([&] { base.Poll(); });
  ExpectAbstract([&] { base.Wait(); });
  ExpectAbstract([&] { base.MoveMouse(1, 2); });
  ExpectAbstract([&] { base.SetMouseVisible(0); });
  ExpectAbstract([&] { base.Notify(u"x", 0); });
  ExpectAbstract([&] { base.Confirm(u"x", 0); });
  ExpectAbstract([&] { base.Proceed(u"x", 0); });
  ExpectAbstract([&] { base.RequestFile(u"t", u"", 0, u""); });
  ExpectAbstract([&] { base.RequestDir(u"t", u""); });
  ExpectAbstract([&] { base.OpenURL(u"http:x"); });
  ExpectAbstract([&] { base.RunOnMainThread(nullptr, nullptr, 0); });
}

// Records of posted calls, written on the main thread only.
std::vector<intptr_t> g_ran;
std::vector<std::thread::id> g_ranOn;

void Record(const ObjectRef&, intptr_t data) {
  g_ran.push_back(data);
  g_ranOn.push_back(std::this_thread::get_id());
}

class HeadlessDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::make_shared<THeadlessSystemDriver>();
    StartSystemModule(driver_);
    g_ran.clear();
    g_ranOn.clear();
  }
  void TearDown() override {
    PumpSystemEvents();
    while (TakeEvent() != 0) {
    }
  }
  std::shared_ptr<THeadlessSystemDriver> driver_;
};

TEST_F(HeadlessDriverTest, DialogsAnswerAsIfCancelledAndThePointerIsRecorded) {
  EXPECT_EQ(Notify(u"Attenzione", 1), 0);
  EXPECT_EQ(Confirm(u"Sicuro?"), 0);
  EXPECT_EQ(Proceed(u"Salvare?"), -1);
  EXPECT_EQ(NotifyTitled(u"Countdown", u"Time is up"), 0);
  EXPECT_EQ(ProceedTitled(u"Countdown", u"Again?"), -1);
  EXPECT_EQ(RequestFile(u"Apri", u"Testo:txt", 0, u"c:/a.txt"), u"");
  EXPECT_EQ(RequestDir(u"Cartella", u"."), u"");
  EXPECT_EQ(driver_->ShownMessages(),
            (std::vector<std::u16string>{u"Attenzione", u"Sicuro?", u"Salvare?", u"Time is up",
                                         u"Again?"}));
  EXPECT_EQ(driver_->ShownTitles()[0], ApplicationTitle());
  EXPECT_EQ(driver_->ShownTitles()[3], u"Countdown");
  EXPECT_EQ(MoveMouse(10, -3), 0);
  EXPECT_EQ(driver_->MouseX(), 10);
  EXPECT_EQ(driver_->MouseY(), -3);
  EXPECT_EQ(driver_->MouseVisible(), 1);
  HidePointer();
  EXPECT_EQ(driver_->MouseVisible(), 0);
  ShowPointer();
  EXPECT_EQ(driver_->MouseVisible(), 1);
}

TEST_F(HeadlessDriverTest, APostedCallRunsOnlyWhenTheMainThreadPumps) {
  auto argument = NewText(u"held");
  std::weak_ptr<TText> watch = argument;
  RunOnMainThread(&Record, std::move(argument), 7);
  EXPECT_TRUE(g_ran.empty());
  EXPECT_FALSE(watch.expired());  // the posted call holds its argument
  PumpSystemEvents();
  EXPECT_EQ(g_ran, std::vector<intptr_t>{7});
  EXPECT_TRUE(watch.expired());  // and lets it go once it has run
  EXPECT_EQ(RunOnMainThread(nullptr, nullptr, 0), 0);
}

TEST_F(HeadlessDriverTest, AWorkerThreadsPostWakesTheMainThreadsWait) {
  Watchdog watchdog("a call posted by a worker thread");
  std::thread worker([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    RunOnMainThread(&Record, nullptr, 1);
  });
  AwaitSystemEvents();
  worker.join();
  ASSERT_EQ(g_ran, std::vector<intptr_t>{1});
  EXPECT_EQ(g_ranOn[0], std::this_thread::get_id());
}

TEST_F(HeadlessDriverTest, AwaitEventWakesForAnEventEmittedByAPostedCall) {
  Watchdog watchdog("an event from a worker thread");
  static int32_t userId = NewUserEventId();
  std::thread worker([] {
    RunOnMainThread(
        [](const ObjectRef&, intptr_t data) {
          SendEvent(MakeEvent(userId, nullptr, static_cast<int32_t>(data)));
        },
        nullptr, 42);
  });
  EXPECT_EQ(AwaitEvent(), userId);
  EXPECT_EQ(ActiveEventData(), 42);
  worker.join();
}

TEST_F(HeadlessDriverTest, CallsFromManyThreadsAllRunOnceInTheirThreadsOrder) {
  Watchdog watchdog("calls from four threads");
  constexpr int kThreads = 4, kCalls = 250;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([t] {
      for (int i = 0; i < kCalls; ++i) RunOnMainThread(&Record, nullptr, t * kCalls + i);
    });
  }
  while (g_ran.size() < kThreads * kCalls) AwaitSystemEvents();
  for (auto& worker : workers) worker.join();
  PumpSystemEvents();
  ASSERT_EQ(g_ran.size(), static_cast<size_t>(kThreads * kCalls));
  std::vector<intptr_t> next(kThreads);
  for (int t = 0; t < kThreads; ++t) next[t] = t * kCalls;
  for (intptr_t data : g_ran) EXPECT_EQ(data, next[data / kCalls]++);
}

TEST_F(HeadlessDriverTest, PumpAndWaitRefuseToReenter) {
  RunOnMainThread(
      [](const ObjectRef&, intptr_t) {
        EXPECT_TRUE(SystemBusy);
        RunOnMainThread(&Record, nullptr, 2);
        EXPECT_EQ(PumpSystemEvents(), 0);
        EXPECT_EQ(AwaitSystemEvents(), 0);  // returns at once, nothing run
        EXPECT_TRUE(g_ran.empty());
        Record(nullptr, 1);
      },
      nullptr, 0);
  PumpSystemEvents();
  EXPECT_EQ(g_ran, (std::vector<intptr_t>{1, 2}));  // the inner post ran in the same pump
  EXPECT_FALSE(SystemBusy);
}

TEST_F(HeadlessDriverTest, AThrowingCallLeavesTheRestQueuedAndThePumpFree) {
  RunOnMainThread([](const ObjectRef&, intptr_t) { RaiseError("boom"); }, nullptr, 0);
  RunOnMainThread(&Record, nullptr, 3);
  EXPECT_THROW(PumpSystemEvents(), RuntimeError);
  EXPECT_FALSE(SystemBusy);
  EXPECT_EQ(driver_->PendingCalls(), 1u);
  PumpSystemEvents();
  EXPECT_EQ(g_ran, std::vector<intptr_t>{3});
}

TEST_F(HeadlessDriverTest, AFreshDriverTakesOverPostsAndPumps) {
  auto fresh = std::make_shared<THeadlessSystemDriver>();
  StartSystemModule(fresh);
  EXPECT_EQ(ActiveSystemDriver, fresh);
  RunOnMainThread(&Record, nullptr, 5);
  EXPECT_EQ(driver_->PendingCalls(), 0u);
  EXPECT_EQ(fresh->PendingCalls(), 1u);
  PumpSystemEvents();
  EXPECT_EQ(g_ran, std::vector<intptr_t>{5});
  EXPECT_THROW(StartSystemModule(nullptr), RuntimeError);
}

TEST(PlatformStart, InstallsTheHeadlessDriverAndATimerBackend) {
  StartPlatformSystem();
  EXPECT_NE(std::dynamic_pointer_cast<THeadlessSystemDriver>(ActiveSystemDriver), nullptr);
  TimerRef timer = NewTimer(4);
  ASSERT_NE(timer, nullptr);
  HaltTimer(timer);
}

}  // namespace
}  // namespace quardeln
