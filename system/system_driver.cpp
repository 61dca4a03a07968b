#include "system/system_driver.h"

#include <mutex>
#include <utility>

#include "events/queue.h"
#include "runtime/error.h"
#include "runtime/temporary_change.h"

namespace quardeln {

std::shared_ptr<TSystemDriver> ActiveSystemDriver;
bool SystemBusy = false;

namespace {

// Other threads post through this copy of the active driver, under the lock, so that
// installing a new driver never races with a post and the old driver dies here, on the
// main thread, once no post is using it. Both are never destroyed, so a timer thread
// still ticking while the process exits finds them intact.
std::mutex& PostingLock() {
  static auto* lock = new std::mutex();
  return *lock;
}

std::shared_ptr<TSystemDriver>& PostingDriver() {
  static auto* driver = new std::shared_ptr<TSystemDriver>();
  return *driver;
}

TSystemDriver& Driver() {
  if (!ActiveSystemDriver) RaiseError("The system module has not started");
  return *ActiveSystemDriver;
}

}  // namespace

int32_t TSystemDriver::Poll() {
  RaiseAbstractMethod();
}
int32_t TSystemDriver::Wait() {
  RaiseAbstractMethod();
}
int32_t TSystemDriver::MoveMouse(int32_t, int32_t) {
  RaiseAbstractMethod();
}
int32_t TSystemDriver::SetMouseVisible(int32_t) {
  RaiseAbstractMethod();
}
int32_t TSystemDriver::Notify(const std::u16string&, int32_t) {
  RaiseAbstractMethod();
}
int32_t TSystemDriver::Confirm(const std::u16string&, int32_t) {
  RaiseAbstractMethod();
}
int32_t TSystemDriver::Proceed(const std::u16string&, int32_t) {
  RaiseAbstractMethod();
}

std::u16string TSystemDriver::RequestFile(const std::u16string&, const std::u16string&, int32_t,
                                          const std::u16string&) {
  RaiseAbstractMethod();
}

std::u16string TSystemDriver::RequestDir(const std::u16string&, const std::u16string&) {
  RaiseAbstractMethod();
}

int32_t TSystemDriver::OpenURL(const std::u16string&) {
  RaiseAbstractMethod();
}

ObjectRef TSystemDriver::RequestWake(std::time_t) {
  RaiseAbstractMethod();
}

int32_t TSystemDriver::KeepAwake() {
  RaiseAbstractMethod();
}

int32_t TSystemDriver::RunOnMainThread(MainThreadFunction, ObjectRef, intptr_t) {
  RaiseAbstractMethod();
}

int32_t TSystemDriver::ShowMessage(MessageKind, const std::u16string&, const std::u16string&,
                                   int32_t) {
  RaiseAbstractMethod();
}

void StartSystemModule(std::shared_ptr<TSystemDriver> driver) {
  if (!driver) RaiseError("StartSystemModule needs a driver");
  StartEventsModule();
  std::shared_ptr<TSystemDriver> previous;
  {
    std::lock_guard<std::mutex> hold(PostingLock());
    previous = std::exchange(PostingDriver(), driver);
  }
  ActiveSystemDriver = std::move(driver);
  StartQueueModule({&PumpSystemEvents, &AwaitSystemEvents, &IsSystemBusy});
}

int32_t PumpSystemEvents() {
  if (SystemBusy) return 0;
  // Cleared however the pump ends, so an exception from a posted call does not leave
  // every later pump refused.
  const TTemporaryChange busy(SystemBusy, true);
  Driver().Poll();
  return 0;
}

int32_t AwaitSystemEvents() {
  if (SystemBusy) return 0;
  const TTemporaryChange busy(SystemBusy, true);
  Driver().Wait();
  return 0;
}

bool IsSystemBusy() {
  return SystemBusy;
}

int32_t RunOnMainThread(MainThreadFunction function, ObjectRef argument, intptr_t data) {
  std::lock_guard<std::mutex> hold(PostingLock());
  if (!PostingDriver()) return 0;
  return PostingDriver()->RunOnMainThread(function, std::move(argument), data);
}

int32_t MoveMouse(int32_t x, int32_t y) {
  return Driver().MoveMouse(x, y);
}
int32_t ShowPointer() {
  return Driver().SetMouseVisible(1);
}
int32_t HidePointer() {
  return Driver().SetMouseVisible(0);
}

int32_t Notify(const std::u16string& text, int32_t serious) {
  Driver().Notify(text, serious);
  return 0;
}

int32_t Confirm(const std::u16string& text, int32_t serious) {
  return Driver().Confirm(text, serious);
}

int32_t Proceed(const std::u16string& text, int32_t serious) {
  return Driver().Proceed(text, serious);
}

int32_t NotifyTitled(const std::u16string& title, const std::u16string& text, int32_t serious) {
  Driver().ShowMessage(MessageKind::Notify, title, text, serious);
  return 0;
}

int32_t ConfirmTitled(const std::u16string& title, const std::u16string& text, int32_t serious) {
  return Driver().ShowMessage(MessageKind::Confirm, title, text, serious);
}

int32_t ProceedTitled(const std::u16string& title, const std::u16string& text, int32_t serious) {
  return Driver().ShowMessage(MessageKind::Proceed, title, text, serious);
}

std::u16string RequestFile(const std::u16string& title, const std::u16string& filter, int32_t save,
                           const std::u16string& path) {
  return Driver().RequestFile(title, filter, save, path);
}

std::u16string RequestDir(const std::u16string& title, const std::u16string& path) {
  return Driver().RequestDir(title, path);
}

ObjectRef WakeSystemAt(std::time_t dueUtc) {
  return Driver().RequestWake(dueUtc);
}

int32_t KeepSystemAwake() {
  return Driver().KeepAwake();
}

}  // namespace quardeln
