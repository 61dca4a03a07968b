// The pump, the wait and calls handed over to the main thread, on real message queues.
#include <thread>

#include "events/queue.h"
#include "runtime/error.h"
#include "watchdog.h"
#include "win32_test_support.h"

namespace quardeln::win32test {
namespace {

// Calls that ran, recorded on the thread they ran on.
struct Ran {
  intptr_t data;
  DWORD thread;
};
std::vector<Ran> g_ran;

void Record(const ObjectRef&, intptr_t data) {
  g_ran.push_back({data, GetCurrentThreadId()});
}

void Fail(const ObjectRef&, intptr_t) {
  throw RuntimeError("posted call failed");
}

class PumpTest : public Win32Test {
 protected:
  void SetUp() override {
    Win32Test::SetUp();
    g_ran.clear();
  }

  // Waits (AwaitSystemEvents) until `count` calls have run.
  static void AwaitRuns(size_t count, const char* what) {
    Watchdog watchdog(what);
    while (g_ran.size() < count) AwaitSystemEvents();
  }
};

TEST_F(PumpTest, APostedCallRunsWhenThePumpRemovesItNotWhenItIsPeekedAt) {
  std::weak_ptr<TObject> argument;
  {
    ObjectRef object = NewText(u"held by the record");
    argument = object;
    ASSERT_EQ(RunOnMainThread(&Record, object, 7), 1);
  }
  MSG peeked;
  ASSERT_TRUE(
      PeekMessageA(&peeked, nullptr, kMainThreadCallMessage, kMainThreadCallMessage, PM_NOREMOVE));
  EXPECT_EQ(peeked.hwnd, nullptr);
  EXPECT_TRUE(g_ran.empty());
  EXPECT_FALSE(argument.expired()) << "the posted record keeps its argument alive";

  PumpSystemEvents();
  ASSERT_EQ(g_ran.size(), 1u);
  EXPECT_EQ(g_ran[0].data, 7);
  EXPECT_EQ(g_ran[0].thread, MainThreadId());
  EXPECT_TRUE(argument.expired()) << "the record is freed once its call has run";
  PumpSystemEvents();
  EXPECT_EQ(g_ran.size(), 1u) << "a call runs once";
}

TEST_F(PumpTest, AWaitEndsForACallThatWasOnlyPeekedAtBefore) {
  ASSERT_EQ(RunOnMainThread(&Record, nullptr, 1), 1);
  MSG peeked;
  ASSERT_TRUE(PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
  AwaitRuns(1, "the wait to notice a message already in the queue");
  EXPECT_EQ(g_ran[0].data, 1);
}

TEST_F(PumpTest, ACallPostedByAnotherThreadEndsTheWaitAndRunsOnTheMainThread) {
  std::thread poster([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    RunOnMainThread(&Record, NewText(u"from a worker"), 42);
  });
  AwaitRuns(1, "a call posted by another thread");
  poster.join();
  EXPECT_EQ(g_ran[0].data, 42);
  EXPECT_EQ(g_ran[0].thread, MainThreadId());
}

TEST_F(PumpTest, AFailingCallEndsThePumpWithItsErrorAndTheRestRunsLater) {
  RunOnMainThread(&Fail, nullptr, 0);
  RunOnMainThread(&Record, nullptr, 2);
  EXPECT_THROW(PumpSystemEvents(), RuntimeError);
  EXPECT_FALSE(IsSystemBusy());
  PumpSystemEvents();
  ASSERT_EQ(g_ran.size(), 1u);
  EXPECT_EQ(g_ran[0].data, 2);
}

TEST_F(PumpTest, AWindowMessageWithTheCallsNumberIsDeliveredNotRun) {
  TestWindow window("plain", {40, 40, 200, 140});
  ASSERT_NE(window.hwnd(), nullptr);
  ASSERT_TRUE(PostMessageA(window.hwnd(), kMainThreadCallMessage, 0, 12345));
  PumpSystemEvents();
  EXPECT_EQ(window.Received(kMainThreadCallMessage), 1);
  EXPECT_TRUE(g_ran.empty());
}

intptr_t Double(intptr_t argument) {
  return argument * 2;
}

TEST_F(PumpTest, AWorkerThreadsResultReachesTheMainThreadWithItsObject) {
  std::weak_ptr<TObject> object;
  {
    ObjectRef held = NewText(u"kept until the completion ran");
    object = held;
    ASSERT_EQ(StartWorkerThread(&Double, 21, &Record, held), 1);
  }
  AwaitRuns(1, "the worker thread's completion");
  EXPECT_EQ(g_ran[0].data, 42);
  EXPECT_EQ(g_ran[0].thread, MainThreadId());
  EXPECT_TRUE(object.expired());
}

// Tab in a tab-stop child is dialog navigation for the first parent that is no tab-stop
// child; other keys and children without a tab stop still get their messages.
TEST_F(PumpTest, TabInATabStopChildIsNavigationForItsDialogParent) {
  TestWindow top("dialog parent", {40, 40, 360, 240});
  TestWindow group("group", {10, 10, 300, 150}, top.hwnd(), WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  TestWindow field("field", {10, 10, 100, 40}, group.hwnd(), WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  TestWindow plain("plain", {10, 160, 100, 190}, top.hwnd(), WS_CHILD | WS_VISIBLE);
  LPARAM tab = KeyLParam(15, false, false, false);

  PostMessageA(field.hwnd(), WM_KEYDOWN, VK_TAB, tab);
  PostMessageA(field.hwnd(), WM_KEYDOWN, 'A', KeyLParam(30, false, false, false));
  PostMessageA(plain.hwnd(), WM_KEYDOWN, VK_TAB, tab);
  PumpSystemEvents();
  EXPECT_EQ(field.Received(WM_KEYDOWN), 1) << "only the letter reaches the tab-stop child";
  EXPECT_EQ(plain.Received(WM_KEYDOWN), 1) << "a child without a tab stop gets its tab";
}

}  // namespace
}  // namespace quardeln::win32test
