#include "events/queue.h"

#include <gtest/gtest.h>

#include "events/hooks.h"
#include "runtime/error.h"

namespace quardeln {
namespace {

// A stand-in for the system driver: pumping emits whatever the test scheduled.
std::vector<EventRef> g_arrivals;
int g_pumps = 0;
bool g_busy = false;

int32_t FakePump() {
  ++g_pumps;
  auto arrivals = std::move(g_arrivals);
  g_arrivals.clear();
  for (auto& event : arrivals) SendEvent(event);
  return 0;
}
bool FakeBusy() {
  return g_busy;
}

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartEventsModule();
    StartQueueModule({&FakePump, &FakePump, &FakeBusy});
    while (!EventQueue().Empty()) TakeEvent();
    ActiveEvent = EmptyEvent;
    g_arrivals.clear();
    g_pumps = 0;
    g_busy = false;
  }
  std::shared_ptr<TText> a = NewText(u"a"), b = NewText(u"b");
};

TEST_F(QueueTest, AccessorsReadTheEmptyEventBeforeAnyTake) {
  EXPECT_EQ(ActiveEventId(), 0);
  EXPECT_EQ(ActiveEventData() | ActiveEventMods() | ActiveEventX() | ActiveEventY(), 0);
  EXPECT_EQ(ActiveEventSource(), nullptr);
  EXPECT_EQ(ActiveEventExtra(), nullptr);
  EXPECT_EQ(ActiveEventText(), u"");
  EXPECT_EQ(ActiveEventSourceHandle(), 0);
}

TEST_F(QueueTest, TakeMovesTheEventToActiveAndFreesTheSlot) {
  auto event = MakeEvent(KeyChar, a, 65, ModControl, 1, 2, NewText(u"A"));
  std::weak_ptr<TEvent> watch = event;
  SendEvent(event);
  event.reset();
  EXPECT_EQ(TakeEvent(), KeyChar);
  EXPECT_EQ(ActiveEventSource(), a);
  EXPECT_EQ(ActiveEventData(), 65);
  EXPECT_EQ(ActiveEventMods(), ModControl);
  EXPECT_EQ(ActiveEventX(), 1);
  EXPECT_EQ(ActiveEventY(), 2);
  EXPECT_EQ(ActiveEventText(), u"A");
  EXPECT_EQ(ActiveEventSourceHandle(), ActiveEventSourceHandle());
  EXPECT_NE(ActiveEventSourceHandle(), 0);
  EXPECT_EQ(TakeEvent(), 0);  // nothing more: the active event is reset
  EXPECT_EQ(ActiveEvent, EmptyEvent);
  EXPECT_TRUE(watch.expired());  // the queue kept no reference
}

TEST_F(QueueTest, ActiveEventTextIsEmptyForAnExtraThatIsNoText) {
  SendEvent(MakeEvent(GadgetSelect, a, 0, 0, 0, 0, b));
  SendEvent(MakeEvent(GadgetSelect, a, 0, 0, 0, 0, MakeEvent(0)));
  TakeEvent();
  EXPECT_EQ(ActiveEventText(), u"b");
  TakeEvent();
  EXPECT_EQ(ActiveEventText(), u"");
  EXPECT_NE(ActiveEventExtra(), nullptr);
}

TEST_F(QueueTest, MergesTheFourKindsBySourceAndKeepsThePlace) {
  SendEvent(MakeEvent(GadgetAction, a, 1));
  SendEvent(MakeEvent(KeyDown, a, 65));
  SendEvent(MakeEvent(GadgetAction, a, 2, ModAlt, 5, 6, b));
  SendEvent(MakeEvent(TimerTick, a, 1));
  SendEvent(MakeEvent(TimerTick, b, 1));
  SendEvent(MakeEvent(TimerTick, a, 2));
  SendEvent(MakeEvent(WindowMove, nullptr, 1));
  SendEvent(MakeEvent(WindowMove, nullptr, 2));
  SendEvent(MakeEvent(KeyDown, a, 66));  // not mergeable
  EXPECT_EQ(EventQueue().Pending(), 6u);
  EXPECT_EQ(TakeEvent(), GadgetAction);
  EXPECT_EQ(ActiveEventData(), 2);
  EXPECT_EQ(ActiveEventMods(), ModAlt);
  EXPECT_EQ(ActiveEventText(), u"b");
  EXPECT_EQ(TakeEvent(), KeyDown);
  EXPECT_EQ(TakeEvent(), TimerTick);
  EXPECT_EQ(ActiveEventSource(), a);
  EXPECT_EQ(ActiveEventData(), 2);
  EXPECT_EQ(TakeEvent(), TimerTick);
  EXPECT_EQ(ActiveEventSource(), b);
  EXPECT_EQ(TakeEvent(), WindowMove);
  EXPECT_EQ(ActiveEventData(), 2);
  EXPECT_EQ(TakeEvent(), KeyDown);
  EXPECT_EQ(ActiveEventData(), 66);
  EXPECT_EQ(TakeEvent(), 0);
}

TEST_F(QueueTest, OverflowDropsNewEventsButStillMerges) {
  SendEvent(MakeEvent(WindowSize, a, 1));
  for (int i = 1; i < 256; ++i) SendEvent(MakeEvent(KeyDown, nullptr, i));
  ASSERT_TRUE(EventQueue().Full());
  SendEvent(MakeEvent(KeyDown, nullptr, 999));  // lost
  SendEvent(MakeEvent(WindowSize, a, 2));       // merged into its pending twin
  SendEvent(MakeEvent(WindowSize, b, 3));       // lost
  EXPECT_EQ(EventQueue().Pending(), 256u);
  EXPECT_EQ(TakeEvent(), WindowSize);
  EXPECT_EQ(ActiveEventData(), 2);
  for (int i = 1; i < 256; ++i) {
    ASSERT_EQ(TakeEvent(), KeyDown);
    ASSERT_EQ(ActiveEventData(), i);
  }
  EXPECT_EQ(TakeEvent(), 0);
}

TEST_F(QueueTest, CountersWrapWithoutHarm) {
  auto& queue = EventQueue();
  queue.put = queue.take = 0xFFFFFFF0u;
  for (int i = 0; i < 256; ++i) SendEvent(MakeEvent(KeyUp, nullptr, i));
  EXPECT_TRUE(queue.Full());
  SendEvent(MakeEvent(GadgetAction, a, 1));
  SendEvent(MakeEvent(GadgetAction, a, 2));  // merge scan crosses the wrap
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(TakeEvent(), KeyUp);
    ASSERT_EQ(ActiveEventData(), i);
  }
  EXPECT_LT(queue.put, 0x100u);
  EXPECT_TRUE(queue.Empty());
}

TEST_F(QueueTest, FrontEventPeeksAndPumpsOnlyWhenEmpty) {
  EXPECT_EQ(FrontEvent(), nullptr);
  EXPECT_EQ(g_pumps, 1);
  g_arrivals.push_back(MakeEvent(MouseDown, a, 1));
  EventRef front = FrontEvent();
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(FrontEvent(), front);
  EXPECT_EQ(g_pumps, 2);
  EXPECT_EQ(ActiveEventId(), 0);
  EXPECT_EQ(TakeEvent(), MouseDown);
  EXPECT_EQ(ActiveEvent, front);
}

TEST_F(QueueTest, AwaitEventWaitsThroughTheSystemUntilSomethingArrives) {
  g_arrivals.push_back(MakeEvent(WindowClose, a));
  EXPECT_EQ(AwaitEvent(), WindowClose);
  EXPECT_EQ(g_pumps, 1);
}

TEST_F(QueueTest, AwaitEventInsideAPumpRaisesInsteadOfHanging) {
  g_busy = true;
  EXPECT_THROW(AwaitEvent(), RuntimeError);
  SendEvent(MakeEvent(KeyDown));
  EXPECT_EQ(AwaitEvent(), KeyDown);  // something pending: no wait needed
}

ObjectRef Swallow(int32_t, ObjectRef, const ObjectRef&) {
  return NewText(u"not an event");
}

TEST_F(QueueTest, TheHookQueuesOnlyEventsAndRunsLast) {
  EXPECT_EQ(QueueHook(0, NewText(u"x"), nullptr), nullptr);
  EXPECT_TRUE(EventQueue().Empty());
  InsertHook(EventHookId, &Swallow, nullptr, kQueueHookPriority + 1);
  SendEvent(MakeEvent(KeyDown));
  DeleteHook(EventHookId, &Swallow, nullptr);
  EXPECT_TRUE(EventQueue().Empty());
}

}  // namespace
}  // namespace quardeln
