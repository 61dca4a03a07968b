#include "app_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "events/queue.h"
#include "gui/api.h"
#include "gui/headless/headless_driver.h"
#include "gui/headless/user_actions.h"
#include "runtime/text.h"
#include "system/clock.h"

namespace tempra {

using namespace quardeln;

namespace {

std::time_t g_now = 0;
std::time_t TestClock() {
  return g_now;
}

}  // namespace

int32_t TScriptedSystemDriver::Poll() {
  ++polls_;
  return inner_.Poll();
}

// Posted calls (timer ticks) first; the next step only when nothing else is pending.
int32_t TScriptedSystemDriver::Wait() {
  if (inner_.PendingCalls() == 0) {
    if (script_.empty()) throw std::runtime_error("the program waits, but the script has ended");
    Step step = std::move(script_.front());
    script_.pop_front();
    step();
  }
  return inner_.Poll();
}

int32_t TScriptedSystemDriver::Notify(const std::u16string& text, int32_t serious) {
  return inner_.Notify(text, serious);
}

int32_t TScriptedSystemDriver::Confirm(const std::u16string& text, int32_t serious) {
  return inner_.Confirm(text, serious);
}

int32_t TScriptedSystemDriver::Proceed(const std::u16string& text, int32_t serious) {
  return inner_.Proceed(text, serious);
}

std::u16string TScriptedSystemDriver::RequestFile(const std::u16string& title,
                                                  const std::u16string& filter, int32_t save,
                                                  const std::u16string& path) {
  return inner_.RequestFile(title, filter, save, path);
}

std::u16string TScriptedSystemDriver::RequestDir(const std::u16string& title,
                                                 const std::u16string& path) {
  return inner_.RequestDir(title, path);
}

int32_t TScriptedSystemDriver::RunOnMainThread(MainThreadFunction function, ObjectRef argument,
                                               intptr_t data) {
  return inner_.RunOnMainThread(function, std::move(argument), data);
}

Watchdog::Watchdog(std::string waitingFor, std::chrono::seconds deadline) {
  thread_ = std::thread([this, waitingFor = std::move(waitingFor), deadline] {
    std::unique_lock<std::mutex> hold(lock_);
    if (!done_.wait_for(hold, deadline, [this] { return finished_; })) {
      std::fprintf(stderr, "watchdog: gave up waiting for %s\n", waitingFor.c_str());
      std::abort();
    }
  });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    finished_ = true;
  }
  done_.notify_one();
  thread_.join();
}

// The modules in the program's order, with the stand-ins in place of the platform's.
void AppTest::SetUp() {
  StartEventsModule();
  system_ = std::make_shared<TScriptedSystemDriver>();
  StartSystemModule(system_);
  timers_ = std::make_shared<TManualTimerBackend>();
  SetNativeTimerBackend(timers_);
  StartGuiModule(std::make_shared<THeadlessGuiDriver>());
  SetClockSource(&TestClock);
  while (TakeEvent() != 0) {
  }
}

void AppTest::TearDown() {
  // A test that failed inside a wait leaves its timer running; the next test needs none.
  for (int32_t id : timers_->RunningIds()) StopNativeTimer(id);
  program_.reset();
  while (TakeEvent() != 0) {
  }
  SetClockSource(nullptr);
}

void AppTest::SetClock(int hour, int minute, int second) {
  SetClock(TLocalTime{2026, 5, 12, hour, minute, second});
}

void AppTest::SetClock(const TLocalTime& time) {
  g_now = FirstInstantAt(time);
}

std::time_t AppTest::Now() {
  return g_now;
}

void AppTest::StartProgramAt(int hour, int minute, int second) {
  StartProgramAt(TLocalTime{2026, 5, 12, hour, minute, second});
}

void AppTest::StartProgramAt(const TLocalTime& time) {
  SetClock(time);
  program_ = std::make_unique<TempraProgram>(platform_);
  program_->Start();
}

HeadlessGadgetRef AppTest::Headless(const GadgetRef& gadget) const {
  HeadlessGadgetRef headless = AsHeadless(gadget);
  EXPECT_NE(headless, nullptr);
  return headless;
}

void AppTest::Click(const GadgetRef& button) {
  Then([button] { UserPressButton(button); });
}

void AppTest::ClickArrow(const GadgetRef& stepper, bool up) {
  Then([stepper, up] { UserPressStepperArrow(stepper, up); });
  Then([stepper] { UserReleaseStepperArrow(stepper); });
}

void AppTest::Type(const GadgetRef& field, const std::u16string& text) {
  Then([field, text] { UserTypeText(field, text); });
}

void AppTest::CloseBox(const GadgetRef& window) {
  Then([window] { UserPressCloseBox(window); });
}

void AppTest::Tick(int hour, int minute, int second) {
  Tick(TLocalTime{2026, 5, 12, hour, minute, second});
}

void AppTest::Tick(const TLocalTime& time) {
  Then([this, time] {
    SetClock(time);
    timers_->TickAll();
  });
}

void AppTest::TickAfter(std::time_t seconds) {
  Then([this, seconds] {
    g_now += seconds;
    timers_->TickAll();
  });
}

void AppTest::ClickInWindow(const std::u16string& title, const std::u16string& buttonText) {
  Then([title, buttonText] {
    GadgetRef window = OpenWindow(title);
    ASSERT_NE(window, nullptr) << "no open window " << ToUtf8(title);
    for (const GadgetRef& kid : window->kids) {
      auto headless = AsHeadless(kid);
      if (headless->gadgetClass == GADGETCLASS_BUTTON && headless->text == buttonText) {
        UserPressButton(kid);
        return;
      }
    }
    ADD_FAILURE() << "no button " << ToUtf8(buttonText);
  });
}

void AppTest::CloseBoxOfWindow(const std::u16string& title) {
  Then([title] {
    GadgetRef window = OpenWindow(title);
    ASSERT_NE(window, nullptr) << "no open window " << ToUtf8(title);
    UserPressCloseBox(window);
  });
}

GadgetRef AppTest::OpenWindow(const std::u16string& title) {
  for (const GadgetRef& kid : DesktopGadget()->kids) {
    auto headless = AsHeadless(kid);
    if (headless && !headless->destroyed && headless->text == title) return kid;
  }
  return nullptr;
}

GadgetRef AppTest::KidOfClass(const GadgetRef& group, int32_t gadgetClass) {
  for (const GadgetRef& kid : group->kids) {
    if (AsHeadless(kid)->gadgetClass == gadgetClass) return kid;
  }
  return nullptr;
}

}  // namespace tempra
