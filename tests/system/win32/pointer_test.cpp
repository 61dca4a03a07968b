// Pointer tracking (enter and leave), the pointer's visibility and MoveMouse.
#include "events/queue.h"
#include "runtime/text.h"
#include "win32_test_support.h"

namespace quardeln::win32test {
namespace {

// ShowCursor's display count, left as it was.
int CursorCount() {
  int count = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return count - 1;
}

class PointerTest : public Win32Test {
 protected:
  void SetUp() override {
    Win32Test::SetUp();
    a_ = std::make_unique<TestWindow>("A", RECT{40, 40, 240, 190});
    b_ = std::make_unique<TestWindow>("B", RECT{300, 40, 500, 190});
    ASSERT_NE(a_->hwnd(), nullptr);
    ASSERT_NE(b_->hwnd(), nullptr);
    DrainEvents();
    recorder_.Clear();
  }
  void TearDown() override {
    a_.reset();
    b_.reset();
    Win32Test::TearDown();
  }

  static void Move(const TestWindow& window, int x, int y, WPARAM buttons = 0) {
    SendMessageA(window.hwnd(), WM_MOUSEMOVE, buttons, MAKELPARAM(x, y));
  }

  std::vector<EventRef> PointerEvents() const {
    return recorder_.Events({MouseEnter, MouseLeave, MouseMove});
  }

  EventRecorder recorder_;
  std::unique_ptr<TestWindow> a_;
  std::unique_ptr<TestWindow> b_;
};

void ExpectEvent(const EventRef& event, int32_t id, const ObjectRef& source, int32_t x, int32_t y) {
  SCOPED_TRACE(ToUtf8(event->ToString()));
  EXPECT_EQ(event->id, id);
  EXPECT_EQ(event->source, source);
  EXPECT_EQ(event->x, x);
  EXPECT_EQ(event->y, y);
}

TEST_F(PointerTest, MovingFromOneWindowIntoAnotherLeavesTheFirstAndEntersTheSecond) {
  SetKeysDown({VK_SHIFT});
  PostThreadMessageA(MainThreadId(), WM_KEYDOWN, VK_SHIFT, KeyLParam(42, false, false, false));
  PumpSystemEvents();
  ASSERT_EQ(ModifierState(), 1);

  Move(*a_, 5, 6);
  Move(*a_, 7, 8);
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(a_->hwnd(), &cursor);
  Move(*b_, 9, 10);
  SendMessageA(a_->hwnd(), WM_MOUSELEAVE, 0, 0);  // A is no longer the pointer's window
  SendMessageA(b_->hwnd(), WM_MOUSELEAVE, 0, 0);

  auto events = PointerEvents();
  ASSERT_EQ(events.size(), 7u);
  ExpectEvent(events[0], MouseEnter, a_->source(), 5, 6);
  ExpectEvent(events[1], MouseMove, a_->source(), 5, 6);
  ExpectEvent(events[2], MouseMove, a_->source(), 7, 8);
  ExpectEvent(events[3], MouseLeave, a_->source(), cursor.x, cursor.y);
  ExpectEvent(events[4], MouseEnter, b_->source(), 9, 10);
  ExpectEvent(events[5], MouseMove, b_->source(), 9, 10);
  EXPECT_EQ(events[6]->id, MouseLeave);
  EXPECT_EQ(events[6]->source, b_->source());
  for (const auto& event : events) {
    EXPECT_EQ(event->mods, event->id == MouseMove ? 1 : 0) << ToUtf8(event->ToString());
  }
}

TEST_F(PointerTest, ACapturedMoveOutsideTheClientAreaLeavesTheWindow) {
  SendMessageA(a_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Move(*a_, 5, 5, MK_LBUTTON);
  Move(*a_, -5, -7, MK_LBUTTON);
  SendMessageA(a_->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(-5, -7));
  auto events = PointerEvents();
  ASSERT_EQ(events.size(), 4u);
  ExpectEvent(events[0], MouseEnter, a_->source(), 5, 5);
  ExpectEvent(events[1], MouseMove, a_->source(), 5, 5);
  EXPECT_EQ(events[2]->id, MouseLeave);
  ExpectEvent(events[3], MouseMove, a_->source(), -5, -7);
  EXPECT_EQ(events[3]->data, 1);
}

TEST_F(PointerTest, ThePointersSourceIsHeldOnlyWhileItIsCurrent) {
  std::weak_ptr<TObject> held;
  {
    ObjectRef source = NewText(u"short-lived");
    held = source;
    TranslateNativeEvent(a_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), source);
  }
  EXPECT_FALSE(held.expired());
  auto events = recorder_.Events({MouseEnter});
  ASSERT_EQ(events.size(), 1u);
  events.clear();
  recorder_.Clear();
  Move(*b_, 3, 3);
  EXPECT_EQ(recorder_.Events({MouseLeave}).size(), 1u);
  recorder_.Clear();
  while (!EventQueue().Empty()) TakeEvent();  // queued events hold their source too
  ActiveEvent = EmptyEvent;
  EXPECT_TRUE(held.expired());
}

TEST_F(PointerTest, AForgottenWindowIsLeftWithoutAnEvent) {
  Move(*a_, 3, 3);
  ForgetPointerWindow(a_->hwnd());
  recorder_.Clear();
  Move(*a_, 4, 4);
  auto events = PointerEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0]->id, MouseEnter) << "the window is entered afresh";
}

TEST_F(PointerTest, ThePointerHidesOnlyOverATrackedWindowAndCountsDoNotPileUp) {
  ASSERT_EQ(CursorCount(), 0);
  Move(*a_, 3, 3);
  HidePointer();
  HidePointer();
  EXPECT_EQ(CursorCount(), -1);
  SendMessageA(a_->hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(CursorCount(), 0) << "shown over no window";
  Move(*a_, 3, 3);
  EXPECT_EQ(CursorCount(), -1);
  ShowPointer();
  EXPECT_EQ(CursorCount(), 0) << "hidden twice, shown once: shown";
  ShowPointer();
  EXPECT_EQ(CursorCount(), 0);
}

TEST_F(PointerTest, MoveMouseTakesClientCoordinatesOfTheActiveWindow) {
  SetActiveWindow(a_->hwnd());
  HWND active = GetActiveWindow();
  POINT expected{10, 15};
  if (active) ClientToScreen(active, &expected);
  MoveMouse(10, 15);
  POINT at{};
  GetCursorPos(&at);
  EXPECT_EQ(at.x, expected.x);
  EXPECT_EQ(at.y, expected.y);
}

}  // namespace
}  // namespace quardeln::win32test
