#include "tempra_driver.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace tempra::e2e {
namespace {

constexpr UINT kAnswerMs = 5000;

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD deadlineMs) {
  const ULONGLONG end = GetTickCount64() + deadlineMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  std::replace(windows.begin(), windows.end(), L'/', L'\\');
  return windows;
}

std::wstring Environment(const wchar_t* name) {
  wchar_t buffer[4096];
  const DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
  return length > 0 && length < 4096 ? std::wstring(buffer, length) : std::wstring();
}

std::wstring MakeFolder(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(folder.c_str(), MAX_PATH, full, nullptr);
  return std::wstring(full, length);
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &answer);
  return static_cast<LRESULT>(answer);
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT rather than GetWindowTextW: the latter does not ask other processes'
  // controls for their text. A program that does not answer gives the empty text.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kAnswerMs, &copied);
  text.resize(std::min<size_t>(copied, length));
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

bool SameClass(HWND window, const wchar_t* className) {
  return _wcsicmp(ClassName(window).c_str(), className) == 0;
}

int ScreenTop(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r.top;
}

}  // namespace

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindControl(HWND parent, const wchar_t* className, const std::wstring& text) {
  for (HWND child : Descendants(parent)) {
    if (SameClass(child, className) && WindowText(child) == text) return child;
  }
  return nullptr;
}

std::vector<HWND> ControlsByClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child : Descendants(parent)) {
    if (SameClass(child, className)) found.push_back(child);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](HWND a, HWND b) { return ScreenTop(a) < ScreenTop(b); });
  return found;
}

void PostButtonDown(HWND control, int x, int y) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void PostButtonUp(HWND control, int x, int y) {
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PressButton(HWND button) {
  // Posted, not sent: the program may start a nested loop of its own on the press.
  PostMessageW(button, BM_CLICK, 0, 0);
}

int LocalSecondOfDay() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

TempraProcess::TempraProcess(const std::wstring& workFolder) {
  const std::wstring exe = WindowsPath(Environment(L"TEMPRA_EXE"));
  if (exe.empty()) {
    ADD_FAILURE() << "TEMPRA_EXE is not set";
    return;
  }
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workFolder.c_str(), &startup, &info_)) {
    ADD_FAILURE() << "cannot start tempra.exe, error " << GetLastError();
    return;
  }
  WaitUntil([&] { return (main_ = TopLevel(kMainTitle)) != nullptr || !Running(); },
            kStartDeadlineMs);
  if (!main_) ADD_FAILURE() << "the main window did not appear";
}

namespace {

// This process's environment with `extra` in place of any variables of the same names.
std::wstring EnvironmentWith(const std::vector<std::wstring>& extra) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
    const std::wstring text(entry);
    const std::wstring name = text.substr(0, text.find(L'=', 1) + 1);
    const bool replaced = std::any_of(extra.begin(), extra.end(), [&](const std::wstring& e) {
      return e.compare(0, name.size(), name) == 0;
    });
    if (!replaced) block += text + L'\0';
  }
  FreeEnvironmentStringsW(strings);
  for (const std::wstring& e : extra) block += e + L'\0';
  return block + L'\0';
}

}  // namespace

TempraProcess::TempraProcess(const std::wstring& workFolder, const MovedClock& clock) {
  const std::wstring exe = WindowsPath(Environment(L"TEMPRA_EXE"));
  const std::wstring loader = Environment(L"TEMPRA_WINE_LOADER");
  const std::wstring library = Environment(L"TEMPRA_FAKETIME_LIBRARY");
  if (exe.empty() || loader.empty() || library.empty()) {
    ADD_FAILURE() << "TEMPRA_EXE, TEMPRA_WINE_LOADER or TEMPRA_FAKETIME_LIBRARY is not set";
    return;
  }
  std::wstring environment = EnvironmentWith(
      {L"LD_PRELOAD=" + library, L"FAKETIME_TIMESTAMP_FILE=" + clock.offsetFile,
       L"FAKETIME_NO_CACHE=1", L"FAKETIME_DONT_FAKE_MONOTONIC=1", L"TZ=" + clock.zone});
  std::wstring commandLine = L"\"" + loader + L"\" \"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION launcher{};
  // A Unix program gets the environment given here as its own, LD_PRELOAD included.
  if (!CreateProcessW(WindowsPath(loader).c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(), workFolder.c_str(), &startup,
                      &launcher)) {
    ADD_FAILURE() << "cannot start Wine's loader, error " << GetLastError();
    return;
  }
  if (launcher.hThread) CloseHandle(launcher.hThread);
  if (launcher.hProcess) CloseHandle(launcher.hProcess);
  // Wine hands out no handle to a Unix process: the program is found by its window.
  WaitUntil([&] { return (main_ = TopLevel(kMainTitle)) != nullptr; }, kStartDeadlineMs);
  if (!main_) {
    ADD_FAILURE() << "the main window did not appear";
    return;
  }
  GetWindowThreadProcessId(main_, &info_.dwProcessId);
  info_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION,
                               FALSE, info_.dwProcessId);
}

TempraProcess::~TempraProcess() {
  if (!info_.hProcess) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  if (info_.hThread) CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool TempraProcess::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD TempraProcess::WaitForExit(DWORD deadlineMs) const {
  if (WaitForSingleObject(info_.hProcess, deadlineMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {

struct TopLevelSearch {
  DWORD process;
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM search) {
  auto& s = *reinterpret_cast<TopLevelSearch*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((s.process && owner != s.process) || !IsWindowVisible(window) ||
      WindowText(window) != *s.title) {
    return TRUE;
  }
  s.found = window;
  return FALSE;
}

}  // namespace

HWND TempraProcess::TopLevel(const std::wstring& title) const {
  TopLevelSearch search{info_.dwProcessId, &title, nullptr};
  EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TempraProcess::WaitForTopLevel(const std::wstring& title, DWORD deadlineMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = TopLevel(title)) != nullptr; }, deadlineMs);
  return found;
}

}  // namespace tempra::e2e
