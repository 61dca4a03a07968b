// The system driver: the one bridge between the event system and the operating system.
// There is exactly one active driver (ActiveSystemDriver), used on the main thread; only
// RunOnMainThread may be called from other threads. Pumping and waiting share one busy
// flag, so a pump reached from inside a pump returns at once instead of re-entering.
// Message boxes and requesters are modal: each runs a loop of its own until it is closed,
// so the program's event loop stands still meanwhile. Timers go on counting, and their
// ticks wait in the queue (one merged TimerTick per timer) until the program takes them.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "runtime/object.h"

namespace quardeln {

// A call handed over to the main thread: function(argument, data) runs there, inside a
// pump. The posted record holds the argument until the call has run.
using MainThreadFunction = void (*)(const ObjectRef& argument, intptr_t data);

// The three message boxes: OK (Notify), OK and Cancel (Confirm), Yes, No and Cancel (Proceed).
enum class MessageKind { Notify, Confirm, Proceed };

// Every operation of the base raises "Attempt to call abstract method".
class TSystemDriver : public TObject {
 public:
  virtual int32_t Poll();  // run everything pending, then return 0
  virtual int32_t Wait();  // sleep until something is pending, then Poll
  virtual int32_t MoveMouse(int32_t x, int32_t y);
  virtual int32_t SetMouseVisible(int32_t visible);
  virtual int32_t Notify(const std::u16string& text, int32_t serious);
  virtual int32_t Confirm(const std::u16string& text, int32_t serious);  // 1 OK, else 0
  virtual int32_t Proceed(const std::u16string& text, int32_t serious);  // 1 yes, 0 no, -1
  virtual std::u16string RequestFile(const std::u16string& title, const std::u16string& filter,
                                     int32_t save, const std::u16string& path);
  virtual std::u16string RequestDir(const std::u16string& title, const std::u16string& path);
  virtual int32_t OpenURL(const std::u16string& url);
  // Asks the system to wake the computer from sleep at `dueUtc` (seconds since the epoch)
  // where it allows that; the request holds while the result lives and is withdrawn when
  // it goes. Null when the system takes no such request.
  virtual ObjectRef RequestWake(std::time_t dueUtc);
  // Tells the system the program needs it and the display now, so a computer woken for
  // the program does not go back to sleep at once. Non-zero when the system took it.
  virtual int32_t KeepAwake();
  // Callable from any thread. Returns non-zero when the call was posted.
  virtual int32_t RunOnMainThread(MainThreadFunction function, ObjectRef argument, intptr_t data);
  // The message box of `kind` with `title` as its caption; answers as that kind's
  // operation does (Notify 0).
  virtual int32_t ShowMessage(MessageKind kind, const std::u16string& title,
                              const std::u16string& text, int32_t serious);
};

// The one driver. Set by StartSystemModule on the main thread; read it there only.
extern std::shared_ptr<TSystemDriver> ActiveSystemDriver;

// Set while PumpSystemEvents or AwaitSystemEvents runs.
extern bool SystemBusy;

// Starts the events module if needed, makes `driver` the active one and starts the
// queue with this module's pump. Calling it again installs a fresh driver (tests do).
void StartSystemModule(std::shared_ptr<TSystemDriver> driver);

int32_t PumpSystemEvents();   // Poll, unless a pump or wait is already running
int32_t AwaitSystemEvents();  // Wait, likewise
bool IsSystemBusy();

// Posts through the active driver; safe from any thread, and safe against the driver
// being replaced meanwhile. Returns 0 when there is no driver or the post failed.
int32_t RunOnMainThread(MainThreadFunction function, ObjectRef argument, intptr_t data);

// Forwarding forms of the driver's operations.
int32_t MoveMouse(int32_t x, int32_t y);
int32_t ShowPointer();  // SetMouseVisible(1)
int32_t HidePointer();  // SetMouseVisible(0)
// Message boxes, on top of every window, captioned with the application's title
// (ApplicationTitle). `serious` 0 shows the information icon, anything else the warning
// icon; nothing else changes. Notify answers 0, Confirm 1 for OK and 0 otherwise, Proceed
// 1 yes, 0 no, -1 cancel (the close box too).
int32_t Notify(const std::u16string& text, int32_t serious = 0);
int32_t Confirm(const std::u16string& text, int32_t serious = 0);
int32_t Proceed(const std::u16string& text, int32_t serious = 0);
// The same with a caption of the program's choice.
int32_t NotifyTitled(const std::u16string& title, const std::u16string& text, int32_t serious = 0);
int32_t ConfirmTitled(const std::u16string& title, const std::u16string& text, int32_t serious = 0);
int32_t ProceedTitled(const std::u16string& title, const std::u16string& text, int32_t serious = 0);
std::u16string RequestFile(const std::u16string& title, const std::u16string& filter, int32_t save,
                           const std::u16string& path);
std::u16string RequestDir(const std::u16string& title, const std::u16string& path);
ObjectRef WakeSystemAt(std::time_t dueUtc);
int32_t KeepSystemAwake();

}  // namespace quardeln
