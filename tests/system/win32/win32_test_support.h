// What the Windows driver's tests share: the platform started for each case, a recorder
// on the event-emission chain, real windows whose procedure hands every message to
// TranslateNativeEvent, thread key states, and a thread that answers the next modal
// dialog of the main thread. Everything but DialogAnswerer's thread is main-thread only.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "events/event.h"
#include "system/win32/win32_system_driver.h"

namespace quardeln::win32test {

// Every event emitted while it lives, in order; the queue still gets them.
class EventRecorder {
 public:
  EventRecorder();
  ~EventRecorder();
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  // The events with one of `ids`, or all of them for none.
  std::vector<EventRef> Events(std::initializer_list<int32_t> ids = {}) const;
  void Clear();

 private:
  ObjectRef box_;
};

// A real window of a private class; its procedure records the message numbers it gets
// and passes every message to TranslateNativeEvent with source() as the source. WM_CLOSE
// is answered without closing. Top-level windows are hidden unless `style` says otherwise:
// without a window manager, Wine waits about a second for each shown window to map and
// unmap.
class TestWindow {
 public:
  TestWindow(const std::string& name, RECT where, HWND parent = nullptr, DWORD style = 0);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  const ObjectRef& source() const { return source_; }
  int Received(UINT message) const;  // how many times the procedure got it

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  ObjectRef source_;
  std::vector<UINT> received_;
  HWND hwnd_ = nullptr;
};

// The thread's key state with exactly `down` pressed, as GetKeyState answers it.
void SetKeysDown(std::initializer_list<int> down);

// lParam of a key message: the scan code, the extended-key bit, and bits 30 and 31
// (already down, being released).
LPARAM KeyLParam(int scan, bool extended, bool repeat, bool release);

// Pumps, then takes every queued event.
void DrainEvents();

// Each case starts from a fresh state: the platform started (the same driver each
// time), the queue empty, no key down, modifiers clear, the pointer parked in a corner no
// test window covers.
class Win32Test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Waits on a thread of its own for a dialog box (class "#32770") of the main thread to
// be shown, then calls `answer` with it on that thread. Gives up after the deadline.
class DialogAnswerer {
 public:
  using Answer = std::function<void(HWND dialog)>;
  explicit DialogAnswerer(Answer answer,
                          std::chrono::milliseconds deadline = std::chrono::seconds(15));
  ~DialogAnswerer();  // stops looking and joins
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  bool Answered() const { return answered_; }

 private:
  void Run(std::chrono::milliseconds deadline);

  Answer answer_;
  DWORD mainThread_;
  std::atomic<bool> answered_{false};
  std::atomic<bool> quit_{false};
  std::thread thread_;  // last: started once the rest is ready
};

// Ends a dialog as its button `id` would (IDOK, IDYES, ...).
void PressDialogButton(HWND dialog, int id);

}  // namespace quardeln::win32test
