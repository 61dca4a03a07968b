// Brings a program into the state of waiting for an alarm and leaves it running there:
// tempra.exe with an alarm set a little more than an hour ahead ("Attiva" pressed, the
// window minimised), or the floor program. Exits once the program waits; the caller
// measures it and ends it.
// Usage: wait_launch tempra|floor PROGRAM
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDeadlineMs = 60000;

struct Search {
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->process || GetParent(hwnd) || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

template <typename Done>
bool WaitUntil(Done done) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kDeadlineMs) {
    if (done()) return true;
    Sleep(20);
  }
  return false;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> OfClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> all;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> found;
  for (HWND hwnd : all) {
    wchar_t name[64];
    if (GetClassNameW(hwnd, name, 64) && _wcsicmp(name, className) == 0) found.push_back(hwnd);
  }
  std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top < rb.top;
  });
  return found;
}

HWND Button(HWND parent, const wchar_t* text) {
  for (HWND hwnd : OfClass(parent, L"Button")) {
    wchar_t caption[64];
    if (GetWindowTextW(hwnd, caption, 64) && std::wcscmp(caption, text) == 0) return hwnd;
  }
  return nullptr;
}

// One click on the up arrow, and a sent message to let the program take it.
void StepUp(HWND main, HWND stepper) {
  RECT r{};
  GetClientRect(stepper, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 4);
  PostMessageW(stepper, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(stepper, WM_LBUTTONUP, 0, at);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
  Sleep(100);
}

bool ActivateTempra(HWND main) {
  // The three steppers of "Allarme" come first from the top. The window shows before
  // its controls are all made.
  std::vector<HWND> steppers;
  HWND attiva = nullptr;
  const bool built = WaitUntil([&] {
    steppers = OfClass(main, L"msctls_updown32");
    attiva = Button(main, L"Attiva");
    return steppers.size() >= 3 && attiva;
  });
  if (!built) return false;
  StepUp(main, steppers[0]);  // an hour ahead
  StepUp(main, steppers[1]);  // and a minute, whatever the hour does at midnight
  PostMessageW(attiva, BM_CLICK, 0, 0);
  return WaitUntil([&] { return IsIconic(main) != FALSE; });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: wait_launch tempra|floor PROGRAM\n");
    return 2;
  }
  const bool tempra = std::wcscmp(argv[1], L"tempra") == 0;
  std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    std::fprintf(stderr, "cannot start the program\n");
    return 1;
  }
  CloseHandle(info.hThread);
  Search search{info.dwProcessId, nullptr};
  const bool shown = WaitUntil([&] {
    EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  const bool waiting = shown && (!tempra || ActivateTempra(search.found));
  CloseHandle(info.hProcess);
  if (!waiting) {
    std::fprintf(stderr, "the program did not reach its wait\n");
    return 1;
  }
  std::printf("waiting\n");
  return 0;
}
