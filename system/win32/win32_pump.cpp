// Start-up, the main thread's pump and wait, and calls handed over to the main thread.
// <windows.h> before the headers that build on it.
#include "system/win32/windows_api.h"

#include <mmsystem.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <utility>

#include "runtime/error.h"
#include "system/driver_logic.h"
#include "system/win32/win32_internal.h"
#include "system/win32/win32_system_driver.h"

namespace quardeln {
namespace {

// The record behind a posted call. It belongs to the poster until it is posted and to
// the main thread afterwards, which frees it (and so releases the argument) once the
// call has run.
struct MainThreadCall {
  MainThreadFunction function = nullptr;
  ObjectRef argument;
  intptr_t data = 0;
  WorkerThreadFunction threadFunction = nullptr;  // set for a worker thread's record
  intptr_t threadArgument = 0;
};

// Keys, mouse moves and buttons, posted messages, timers, paint, sent messages, hot keys.
constexpr DWORD kWakeMask = 0xFF;

bool Started = false;
bool ResolutionRaised = false;     // main thread only
std::atomic<DWORD> MainThread{0};  // read by posting threads
HHOOK MessageHook = nullptr;
std::exception_ptr DeferredFailure;  // main thread only

void StopSystemDriver() {
  if (!Started) return;
  if (ResolutionRaised) timeEndPeriod(1);
  ResolutionRaised = false;
  Started = false;
}

void RunPostedCall(MSG& message) {
  std::unique_ptr<MainThreadCall> call(reinterpret_cast<MainThreadCall*>(message.lParam));
  // Whoever removed the message (our pump or a modal loop) must not find the freed
  // record in it.
  message.message = WM_NULL;
  message.lParam = 0;
  if (!call || !call->function) return;
  try {
    call->function(call->argument, call->data);
  } catch (...) {
    DeferCallbackFailure(std::current_exception());
  }
}

// Runs a posted call at the moment the message is removed; a peek leaves it alone. Only
// thread messages qualify: a window's private message of the same number is no record.
LRESULT CALLBACK MainThreadMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && wParam == PM_REMOVE) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (message->message == kMainThreadCallMessage && message->hwnd == nullptr) {
      RunPostedCall(*message);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void StartSystemDriver() {
  if (Started) return;
  win32::ResetPointerState();
  MainThread = GetCurrentThreadId();
  // Posting to a thread fails until it has a message queue; a peek creates it.
  MSG unused;
  PeekMessageA(&unused, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  MessageHook = SetWindowsHookExA(WH_GETMESSAGE, &MainThreadMessageHook, nullptr, MainThread);
  if (!MessageHook) RaiseError("Cannot install the message hook of the main thread");
  std::atexit(&StopSystemDriver);
  Started = true;
}

bool QualifiesForDialog(HWND window) {
  constexpr LONG_PTR kWanted = WS_CHILD | WS_TABSTOP;
  return (GetWindowLongPtrA(window, GWL_STYLE) & kWanted) == kWanted;
}

// The first parent above a chain of tab-stop children, which handles their dialog
// keys; none when the window is no tab-stop child or the chain has no such parent.
HWND DialogHost(HWND window) {
  if (!window || !QualifiesForDialog(window)) return nullptr;
  HWND parent = GetParent(window);
  while (parent && QualifiesForDialog(parent)) parent = GetParent(parent);
  return parent;
}

void HandleMessage(MSG& message) {
  // Before dispatch, so that the key event of this very message has the new bits.
  if (IsModifierKeyMessage(message.message, message.wParam)) win32::RebuildModifierState();
  HWND host = DialogHost(message.hwnd);
  if (host && IsDialogMessageA(host, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int32_t PostMainThreadCall(std::unique_ptr<MainThreadCall> call) {
  DWORD target = MainThread;
  if (target == 0) return 0;
  if (!PostThreadMessageA(target, kMainThreadCallMessage, 0,
                          reinterpret_cast<LPARAM>(call.get()))) {
    return 0;  // still ours: freed here
  }
  call.release();  // the main thread's now
  return 1;
}

DWORD WINAPI WorkerThreadMain(LPVOID parameter) {
  std::unique_ptr<MainThreadCall> call(static_cast<MainThreadCall*>(parameter));
  call->data = call->threadFunction(call->threadArgument);
  PostMainThreadCall(std::move(call));
  return 0;
}

}  // namespace

namespace win32 {

// Raised with the first timer rather than at start-up: the multimedia library is then
// mapped only by programs that use timers, and after their first window is up.
void RaiseTimerResolution() {
  if (ResolutionRaised) return;
  ResolutionRaised = timeBeginPeriod(1) == TIMERR_NOERROR;
}

void RethrowDeferredFailure() {
  if (!DeferredFailure) return;
  std::rethrow_exception(std::exchange(DeferredFailure, nullptr));
}

}  // namespace win32

TWin32SystemDriver::TWin32SystemDriver() {
  StartSystemDriver();
}

int32_t TWin32SystemDriver::Poll() {
  MSG message;
  // A failure left by a modal loop outside the pump comes out here too.
  win32::RethrowDeferredFailure();
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    HandleMessage(message);
    win32::RethrowDeferredFailure();
  }
  return 0;
}

// MWMO_INPUTAVAILABLE: input already in the queue also ends the wait, not only input
// that arrived since the last look; otherwise a message merely peeked at (or left by a
// pump that a failure ended) would sleep until something else came.
int32_t TWin32SystemDriver::Wait() {
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, kWakeMask, MWMO_INPUTAVAILABLE);
  return Poll();
}

int32_t TWin32SystemDriver::RunOnMainThread(MainThreadFunction function, ObjectRef argument,
                                            intptr_t data) {
  if (!function) return 0;
  auto call = std::make_unique<MainThreadCall>();
  call->function = function;
  call->argument = std::move(argument);
  call->data = data;
  return PostMainThreadCall(std::move(call));
}

void DeferCallbackFailure(std::exception_ptr failure) {
  if (!DeferredFailure) DeferredFailure = std::move(failure);
}

DWORD MainThreadId() {
  return MainThread;
}

int32_t StartWorkerThread(WorkerThreadFunction function, intptr_t argument,
                          MainThreadFunction completion, ObjectRef object) {
  if (!function || !completion) return 0;
  auto call = std::make_unique<MainThreadCall>();
  call->function = completion;
  call->argument = std::move(object);  // kept alive until the completion has run
  call->threadFunction = function;
  call->threadArgument = argument;
  HANDLE thread = CreateThread(nullptr, 0, &WorkerThreadMain, call.get(), 0, nullptr);
  if (!thread) return 0;
  call.release();  // the thread's now
  CloseHandle(thread);
  return 1;
}

}  // namespace quardeln
