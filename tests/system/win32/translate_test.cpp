// The translation table for keys, application messages and mouse buttons and wheel.
// Key messages go through the pump, which sets the modifier bits before dispatch.
#include "runtime/text.h"
#include "win32_test_support.h"

namespace quardeln::win32test {
namespace {

struct Expected {
  int32_t id;
  int32_t data;
  int32_t mods;
};

void ExpectEvents(const std::vector<EventRef>& events, const std::vector<Expected>& expected,
                  const ObjectRef& source) {
  ASSERT_EQ(events.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "event " << i << ": " << ToUtf8(events[i]->ToString()));
    EXPECT_EQ(events[i]->id, expected[i].id);
    EXPECT_EQ(events[i]->data, expected[i].data);
    EXPECT_EQ(events[i]->mods, expected[i].mods);
    EXPECT_EQ(events[i]->source, source);
    EXPECT_EQ(events[i]->extra, nullptr);
  }
}

class TranslateTest : public Win32Test {
 protected:
  void SetUp() override {
    Win32Test::SetUp();
    window_ = std::make_unique<TestWindow>("keys", RECT{40, 40, 340, 240});
    ASSERT_NE(window_->hwnd(), nullptr);
    DrainEvents();
    recorder_.Clear();
  }
  void TearDown() override {
    window_.reset();
    Win32Test::TearDown();
  }

  void PostKey(UINT message, WPARAM key, LPARAM lParam) {
    ASSERT_TRUE(PostMessageA(window_->hwnd(), message, key, lParam));
    PumpSystemEvents();
  }

  std::vector<EventRef> KeyEvents() const {
    return recorder_.Events({KeyDown, KeyUp, KeyRepeat, KeyChar});
  }

  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window_->hwnd(), message, wParam, lParam);
  }

  EventRecorder recorder_;
  std::unique_ptr<TestWindow> window_;
};

TEST_F(TranslateTest, HoldingAndReleasingShiftGivesTheLeftShiftCodeAndItsBit) {
  SetKeysDown({VK_SHIFT, VK_LSHIFT});
  PostKey(WM_KEYDOWN, VK_SHIFT, KeyLParam(42, false, false, false));
  PostKey(WM_KEYDOWN, VK_SHIFT, KeyLParam(42, false, true, false));
  SetKeysDown({});
  PostKey(WM_KEYUP, VK_SHIFT, KeyLParam(42, false, true, true));
  ExpectEvents(KeyEvents(), {{KeyDown, 160, 1}, {KeyRepeat, 160, 1}, {KeyUp, 160, 0}},
               window_->source());
  EXPECT_EQ(ModifierState(), 0);
}

TEST_F(TranslateTest, SidedModifierKeysAndTheirBits) {
  SetKeysDown({VK_CONTROL, VK_RCONTROL});
  PostKey(WM_KEYDOWN, VK_CONTROL, KeyLParam(29, true, false, false));
  SetKeysDown({VK_SHIFT, VK_RSHIFT});
  PostKey(WM_KEYDOWN, VK_SHIFT, KeyLParam(54, false, false, false));
  SetKeysDown({VK_MENU, VK_LMENU});
  PostKey(WM_SYSKEYDOWN, VK_MENU, KeyLParam(56, false, false, false));
  SetKeysDown({VK_MENU, VK_RMENU});
  PostKey(WM_SYSKEYDOWN, VK_MENU, KeyLParam(56, true, false, false));
  SetKeysDown({VK_MENU, VK_RMENU, VK_LWIN});
  PostKey(WM_KEYDOWN, VK_LWIN, KeyLParam(91, true, false, false));
  ExpectEvents(KeyEvents(),
               {{KeyDown, 163, 2},
                {KeyDown, 161, 1},
                {KeyDown, 164, 4},
                {KeyDown, 165, 4},
                {KeyDown, VK_LWIN, 4 | 8}},
               window_->source());
}

TEST_F(TranslateTest, OnlyModifierKeysChangeTheModifierBits) {
  SetKeysDown({VK_SHIFT, VK_LSHIFT});
  PostKey(WM_KEYDOWN, 'A', KeyLParam(30, false, false, false));
  ASSERT_FALSE(KeyEvents().empty());
  EXPECT_EQ(KeyEvents()[0]->mods, 0) << "a letter does not make the pump look at the keys";
  EXPECT_EQ(ModifierState(), 0);
}

TEST_F(TranslateTest, CharactersAndKeyCodesOutsideTheKeyRange) {
  PostKey(WM_CHAR, 'a', KeyLParam(30, false, false, false));
  Send(WM_KEYDOWN, 0, 0);
  Send(WM_KEYUP, 256, 0);
  Send(WM_CHAR, 0x263A, 0);
  Send(WM_SYSCHAR, 'x', 0);
  ExpectEvents(KeyEvents(), {{KeyChar, 'a', 0}, {KeyChar, 'x', 0}}, window_->source());
}

TEST_F(TranslateTest, CloseAndApplicationActivation) {
  Send(WM_CLOSE, 0, 0);
  Send(WM_ACTIVATEAPP, 0, 0);
  Send(WM_ACTIVATEAPP, 1, 0);
  ExpectEvents(recorder_.Events({AppTerminate, AppSuspend, AppResume}),
               {{AppTerminate, 0, 0}, {AppSuspend, 0, 0}, {AppResume, 0, 0}}, window_->source());
  EXPECT_TRUE(IsWindow(window_->hwnd())) << "the event is all WM_CLOSE does here";
}

TEST_F(TranslateTest, WheelNotchesAreWholeStepsAtTheClientPoint) {
  POINT at{10, 20};
  ClientToScreen(window_->hwnd(), &at);
  LPARAM screen = MAKELPARAM(at.x, at.y);
  for (int delta : {120, -120, 60, 240}) {
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(delta))), screen);
  }
  auto wheels = recorder_.Events({MouseWheel});
  ExpectEvents(wheels,
               {{MouseWheel, 1, 0}, {MouseWheel, -1, 0}, {MouseWheel, 0, 0}, {MouseWheel, 2, 0}},
               window_->source());
  for (const auto& wheel : wheels) {
    EXPECT_EQ(wheel->x, 10);
    EXPECT_EQ(wheel->y, 20);
  }
}

TEST_F(TranslateTest, ButtonsCaptureThePointerUntilReleased) {
  Send(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(30, 40));
  EXPECT_EQ(GetCapture(), window_->hwnd());
  Send(WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(31, 41));
  Send(WM_MBUTTONUP, 0, MAKELPARAM(32, 42));
  EXPECT_EQ(GetCapture(), nullptr);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
  Send(WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, MAKELPARAM(1, 2));
  Send(WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON | MK_RBUTTON, MAKELPARAM(1, 2));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(1, 2));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
  Send(WM_RBUTTONUP, 0, MAKELPARAM(1, 2));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 2));  // no event of its own
  auto events = recorder_.Events({MouseDown, MouseUp, MouseMove});
  ExpectEvents(events,
               {{MouseDown, 3, 0},
                {MouseMove, 4, 0},
                {MouseUp, 3, 0},
                {MouseDown, 1, 0},
                {MouseMove, 4, 0},
                {MouseMove, 2, 0},
                {MouseUp, 1, 0},
                {MouseDown, 2, 0},
                {MouseUp, 2, 0}},
               window_->source());
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0]->x, 30);
  EXPECT_EQ(events[0]->y, 40);
  EXPECT_EQ(events[2]->x, 32);
  EXPECT_EQ(events[2]->y, 42);
}

}  // namespace
}  // namespace quardeln::win32test
