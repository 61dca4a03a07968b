// The Windows system driver. All instances share one process-wide state, set up once by
// the first construction, which must happen on the main thread: its thread id, the
// thread-message hook that runs posted calls when the pump removes them, and the 1 ms
// timer resolution. Only RunOnMainThread and StartWorkerThread may be used from other
// threads; everything else belongs to the main thread. ANSI calls get texts via ToAnsi.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "system/system_driver.h"
#include "system/win32/windows_api.h"

namespace quardeln {

// The thread message that carries a posted call; wParam 0, lParam the call record.
inline constexpr UINT kMainThreadCallMessage = 0x7001;

class TWin32SystemDriver final : public TSystemDriver {
 public:
  TWin32SystemDriver();  // starts the process-wide driver state once

  int32_t Poll() override;
  int32_t Wait() override;
  int32_t MoveMouse(int32_t x, int32_t y) override;
  int32_t SetMouseVisible(int32_t visible) override;
  int32_t Notify(const std::u16string& text, int32_t serious) override;
  int32_t Confirm(const std::u16string& text, int32_t serious) override;
  int32_t Proceed(const std::u16string& text, int32_t serious) override;
  int32_t ShowMessage(MessageKind kind, const std::u16string& title, const std::u16string& text,
                      int32_t serious) override;
  std::u16string RequestFile(const std::u16string& title, const std::u16string& filter,
                             int32_t save, const std::u16string& path) override;
  std::u16string RequestDir(const std::u16string& title, const std::u16string& path) override;
  int32_t OpenURL(const std::u16string& url) override;
  ObjectRef RequestWake(std::time_t dueUtc) override;
  int32_t KeepAwake() override;
  int32_t RunOnMainThread(MainThreadFunction function, ObjectRef argument, intptr_t data) override;
};

// Turns one native keyboard or mouse message of `window` into at most one event with
// `source` as its source (a mouse move may add MouseLeave/MouseEnter before it). For the
// GUI driver's window procedures. Returns 1 when the message produced an event.
int32_t TranslateNativeEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             const ObjectRef& source);

// Modifier bits as of the last modifier key the pump removed: shift 1, control 2, alt 4,
// either Windows key 8.
int32_t ModifierState();

// For a window that is being destroyed: if the pointer is over it, forget it without a
// MouseLeave, so its source is released and a reused handle is not taken for it.
void ForgetPointerWindow(HWND window);

// Native callbacks (hooks, window procedures) must not let exceptions cross the system's
// frames. They hand them here instead; the pump rethrows the first one once the native
// call that reached them has returned.
void DeferCallbackFailure(std::exception_ptr failure);

// The thread that started the driver, where posted calls run; 0 before start-up.
DWORD MainThreadId();

// Runs function(argument) on a new native thread, then completion(object, its result)
// on the main thread inside a pump; `object` is kept alive until then. Returns 1 when the
// thread started. The thread function must not throw.
using WorkerThreadFunction = intptr_t (*)(intptr_t argument);
int32_t StartWorkerThread(WorkerThreadFunction function, intptr_t argument,
                          MainThreadFunction completion, ObjectRef object);

}  // namespace quardeln
