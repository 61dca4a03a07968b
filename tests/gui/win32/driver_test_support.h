// Shared pieces of the Windows driver tests: the one driver of the test program, a
// recorder of emitted events, message pumping with deadlines, a per-test watchdog, and
// small gadgets of the tests' own making on real native windows, so that the driver's
// routing is tested apart from the real gadget classes.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "events/event.h"
#include "events/hooks.h"
#include "gui/win32/windows_desktop.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"
#include "gui/win32/windows_gadget.h"
#include "pixmap/platform.h"
#include "tests/gui/win32/native_of.h"

namespace quardeln::test {

// Ends the program if the test is still running after `seconds`: nothing may hang.
class Watchdog {
 public:
  explicit Watchdog(std::string what, int seconds = 20)
      : what_(std::move(what)), thread_([this, seconds] { Watch(seconds); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  void Watch(int seconds) {
    std::unique_lock<std::mutex> hold(lock_);
    if (wake_.wait_for(hold, std::chrono::seconds(seconds), [this] { return done_; })) return;
    std::fprintf(stderr, "watchdog: %s did not finish within %d s\n", what_.c_str(), seconds);
    std::fflush(stderr);
    std::_Exit(124);
  }

  std::string what_;
  std::mutex lock_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

// Every event emitted since the last Clear.
inline std::vector<EventRef>& RecordedEvents() {
  static std::vector<EventRef> events;
  return events;
}

inline ObjectRef RecordEvent(int32_t, ObjectRef data, const ObjectRef&) {
  if (auto event = std::dynamic_pointer_cast<TEvent>(data)) RecordedEvents().push_back(event);
  return data;
}

inline int CountEvents(int32_t id, const ObjectRef& source) {
  int count = 0;
  for (const EventRef& event : RecordedEvents()) {
    if (event->id == id && event->source == source) ++count;
  }
  return count;
}

// The driver, started once for the whole program.
inline void StartDriverOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  StartEventsModule();
  InsertHook(EventHookId, &RecordEvent, nullptr, 1000);
  InstallPlatformImageDecoder();
  StartGuiModule(std::make_shared<TWindowsGUIDriver>());
}

inline void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps until `done` holds or `ms` have passed; answers whether it held.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

inline RECT RectInParent(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A Windows gadget that reports what reached it. It stands in for the driver's gadget
// classes: it answers what each of them decides for itself as the class it is registered
// as would.
class TTestGadget : public TWindowsGadget {
 public:
  int32_t Register(int32_t gadgetClass, HWND hwnd, HWND hwndclient, int32_t tooltips) override {
    registered = gadgetClass;
    return TWindowsGadget::Register(gadgetClass, hwnd, hwndclient, tooltips);
  }
  bool IsTopLevelWindow() const override { return registered == GADGETCLASS_WINDOW; }
  void NativeSized(HWND hwnd) override {
    if (registered != GADGETCLASS_WINDOW) TWindowsGadget::NativeSized(hwnd);
  }
  bool HearsInnerWindows() const override { return registered == GADGETCLASS_TABBER; }
  ColourRule ControlColourRule() override {
    switch (registered) {
      case GADGETCLASS_LABEL:
      case GADGETCLASS_BUTTON:
      case GADGETCLASS_SLIDER:
        return ColourRule::kTransparent;
      case GADGETCLASS_PANEL:  // a group box
        return ClientHwnd() ? ColourRule::kTransparent : ColourRule::kForward;
      case GADGETCLASS_TEXTFIELD:
      case GADGETCLASS_COMBOBOX:
        return ColourRule::kField;
      default:
        return ColourRule::kForward;
    }
  }

  int32_t registered = 0;  // the class given to Register
  int commands = 0;
  UINT lastCommandMsg = 0;
  WPARAM lastCommandParam = 0;
  int notifies = 0;
  int paints = 0;
  int layouts = 0;
  int resized = 0;
  int32_t redrawDuringLayout = -1;  // RedrawOnLayout as LayoutKids found it
  bool postOnCommand = false;       // post GadgetAction for every command, as controls do
  std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> onMessage;

  LRESULT OnCommand(UINT msg, WPARAM wParam) override {
    ++commands;
    lastCommandMsg = msg;
    lastCommandParam = wParam;
    if (postOnCommand) PostGuiEvent(GadgetAction, 0, 0, 0, 0, nullptr);
    return 0;
  }
  LRESULT OnNotify(WPARAM, LPARAM) override {
    ++notifies;
    return 0x77;
  }
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_PAINT) ++paints;
    if (onMessage) return onMessage(hwnd, msg, wParam, lParam);
    return 0;
  }
  int32_t LayoutKids() override {
    ++layouts;
    redrawDuringLayout = RedrawOnLayout;
    return TWindowsGadget::LayoutKids();
  }
  // Where the native window stood right after the gadget asked to be moved.
  RECT rectAfterRethink{};
  int32_t Rethink() override {
    const int32_t result = TWindowsGadget::Rethink();
    if (IsWindow(Hwnd())) rectAfterRethink = RectInParent(Hwnd());
    return result;
  }
  int32_t HasResized() override {
    ++resized;
    return 0;
  }

 protected:
  HWND ColourBrushWindow(HWND control) override {
    return registered == GADGETCLASS_PANEL ? control : Hwnd();
  }
};

using TestGadgetRef = std::shared_ptr<TTestGadget>;

inline LPCWSTR DriverClass() {
  static const std::u16string name = TWindowsGUIDriver::ClassName();
  return reinterpret_cast<LPCWSTR>(name.c_str());
}

// A visible top-level window of the driver's class, registered as a window gadget.
inline TestGadgetRef MakeWindow(int32_t x, int32_t y, int32_t w, int32_t h) {
  auto gadget = std::make_shared<TTestGadget>();
  HWND hwnd = CreateWindowExW(0, DriverClass(), L"test window",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w, h,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  gadget->Register(GADGETCLASS_WINDOW, hwnd, nullptr, 0);
  gadget->_setparent(DriverDesktop, -1);
  gadget->SetRect(x, y, w, h);
  gadget->LockLayout();
  gadget->Sensitize();
  return gadget;
}

// A child of `group` in the way CreateGadget makes one: native window, Register, parent,
// shape, then sensitized. `nativeClass` null means the driver's own class.
inline TestGadgetRef MakeChild(const GadgetRef& group, LPCWSTR nativeClass, DWORD style,
                               int32_t gadgetClass, int32_t x, int32_t y, int32_t w, int32_t h,
                               DWORD exStyle = 0) {
  auto gadget = std::make_shared<TTestGadget>();
  HWND parent = reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT));
  HWND hwnd = CreateWindowExW(exStyle, nativeClass ? nativeClass : DriverClass(), L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  gadget->Register(gadgetClass, hwnd, nullptr, 0);
  gadget->_setparent(group, -1);
  gadget->SetShape(x, y, w, h);
  gadget->Sensitize();
  return gadget;
}

// The driver tests' fixture: the driver, a fresh event record and a watchdog per test,
// and one top-level window per suite (under Wine without a window manager destroying a
// top-level window takes seconds, so tests share one and put their gadgets inside it).
class DriverTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartDriverOnce();
    sharedWindow_ = MakeWindow(40, 40, 420, 320);
  }
  static void TearDownTestSuite() {
    sharedWindow_->Free();
    sharedWindow_.reset();
    PumpPending();
  }
  void SetUp() override {
    sharedWindow_->onMessage = nullptr;
    sharedWindow_->commands = 0;
    sharedWindow_->notifies = 0;
    PumpPending();
    RecordedEvents().clear();
  }
  void TearDown() override {
    for (const GadgetRef& gadget : made_) gadget->Free();
    made_.clear();
    PumpPending();
    RecordedEvents().clear();
  }
  // The suite's window, for gadgets that need one.
  static const TestGadgetRef& Window() { return sharedWindow_; }
  // Freed at the end of the test.
  template <typename G>
  std::shared_ptr<G> Keep(std::shared_ptr<G> gadget) {
    made_.push_back(gadget);
    return gadget;
  }
  // A child of the suite's window, freed at the end of the test.
  TestGadgetRef Child(LPCWSTR nativeClass, DWORD style, int32_t gadgetClass, int32_t x, int32_t y,
                      int32_t w, int32_t h, DWORD exStyle = 0) {
    return Keep(MakeChild(sharedWindow_, nativeClass, style, gadgetClass, x, y, w, h, exStyle));
  }

  Watchdog watchdog_{::testing::UnitTest::GetInstance()->current_test_info()->name()};

 private:
  static inline TestGadgetRef sharedWindow_;
  std::vector<GadgetRef> made_;
};

}  // namespace quardeln::test
