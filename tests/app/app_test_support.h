// Running the reminder in tests: the platform's modules are started as the program does,
// then the system driver is replaced by a scripted one and the timers by manual ones.
// Whenever the program waits for input, the next step of the script runs (a user action,
// a timer tick at a given clock time, or a check), one step per wait, as if a user acted
// between two events. A wait with nothing left to run fails the test instead of hanging,
// and a watchdog ends a test that runs too long.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/headless/headless_platform.h"
#include "app/program.h"
#include "gui/headless/headless_gadget.h"
#include "system/headless/headless_driver.h"
#include "system/headless/manual_timer.h"

namespace tempra {

using quardeln::GadgetRef;
using quardeln::HeadlessGadgetRef;

class TScriptedSystemDriver final : public quardeln::TSystemDriver {
 public:
  using Step = std::function<void()>;

  void Add(Step step) { script_.push_back(std::move(step)); }
  size_t StepsLeft() const { return script_.size(); }
  int32_t Polls() const { return polls_; }  // pumps asked for outside the waits
  const quardeln::THeadlessSystemDriver& Inner() const { return inner_; }

  int32_t Poll() override;
  int32_t Wait() override;
  int32_t MoveMouse(int32_t x, int32_t y) override { return inner_.MoveMouse(x, y); }
  int32_t SetMouseVisible(int32_t visible) override { return inner_.SetMouseVisible(visible); }
  int32_t Notify(const std::u16string& text, int32_t serious) override;
  int32_t Confirm(const std::u16string& text, int32_t serious) override;
  int32_t Proceed(const std::u16string& text, int32_t serious) override;
  std::u16string RequestFile(const std::u16string& title, const std::u16string& filter,
                             int32_t save, const std::u16string& path) override;
  std::u16string RequestDir(const std::u16string& title, const std::u16string& path) override;
  int32_t OpenURL(const std::u16string& url) override { return inner_.OpenURL(url); }
  quardeln::ObjectRef RequestWake(std::time_t dueUtc) override {
    return inner_.RequestWake(dueUtc);
  }
  int32_t KeepAwake() override { return inner_.KeepAwake(); }
  int32_t RunOnMainThread(quardeln::MainThreadFunction function, quardeln::ObjectRef argument,
                          intptr_t data) override;

 private:
  quardeln::THeadlessSystemDriver inner_;
  std::deque<Step> script_;
  int32_t polls_ = 0;
};

// Ends the process when a test is still running at its deadline.
class Watchdog {
 public:
  Watchdog(std::string waitingFor, std::chrono::seconds deadline);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex lock_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The local clock, read by the program's ClockText: a day in May, far from
  // daylight-saving changes, or any local date and time.
  static void SetClock(int hour, int minute, int second);
  static void SetClock(const quardeln::TLocalTime& time);
  static std::time_t Now();

  void StartProgramAt(int hour, int minute, int second);
  void StartProgramAt(const quardeln::TLocalTime& time);
  int32_t RunMainLoop() { return program_->RunMainLoop(); }
  const MainWindow& W() const { return program_->Gadgets(); }
  HeadlessGadgetRef Headless(const GadgetRef& gadget) const;

  // Script steps, each run at one wait of the program.
  void Then(TScriptedSystemDriver::Step step) { system_->Add(std::move(step)); }
  void Click(const GadgetRef& button);
  void ClickArrow(const GadgetRef& stepper, bool up);  // press and release: two steps
  void Type(const GadgetRef& field, const std::u16string& text);
  void CloseBox(const GadgetRef& window);
  void Tick(int hour, int minute, int second);  // every running timer ticks at that time
  void Tick(const quardeln::TLocalTime& time);
  void TickAfter(std::time_t seconds);  // the clock moved on (or back) by that much first
  void ClickInWindow(const std::u16string& title, const std::u16string& button);
  void CloseBoxOfWindow(const std::u16string& title);

  // The open top-level window with that title, or null.
  static GadgetRef OpenWindow(const std::u16string& title);
  static GadgetRef KidOfClass(const GadgetRef& group, int32_t gadgetClass);

  std::shared_ptr<TScriptedSystemDriver> system_;
  std::shared_ptr<quardeln::TManualTimerBackend> timers_;
  HeadlessAppPlatform platform_;
  std::unique_ptr<TempraProgram> program_;

 private:
  Watchdog watchdog_{"a test of the reminder to finish", std::chrono::seconds(30)};
};

}  // namespace tempra
