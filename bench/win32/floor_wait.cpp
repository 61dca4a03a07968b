// The floor of waiting for an alarm: what the wait needs and nothing else. A minimised
// window whose title shows the clock, rewritten at every tick of a 4 Hz multimedia timer
// that posts to the main thread. Runs until it is ended from outside.
#include <windows.h>
//
#include <mmsystem.h>

#include <ctime>
#include <cwchar>

namespace {

constexpr UINT kTick = WM_APP + 1;
constexpr UINT kPeriodMs = 250;

DWORD MainThread = 0;

void CALLBACK OnTimer(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
  PostThreadMessageW(MainThread, kTick, 0, 0);
}

void ShowClock(HWND window) {
  const std::time_t now = std::time(nullptr);
  wchar_t text[16];
  std::wcsftime(text, 16, L"%H:%M:%S", std::localtime(&now));
  SetWindowTextW(window, text);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  MainThread = GetCurrentThreadId();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FLOOR_WAIT";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"FLOOR_WAIT", L"Floor wait", WS_OVERLAPPEDWINDOW, 100, 100, 395,
                                300, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWMINIMIZED);
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's queue
  timeBeginPeriod(1);
  timeSetEvent(kPeriodMs, 1, &OnTimer, 0, TIME_PERIODIC);
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == kTick && !message.hwnd) {
      ShowClock(window);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
