// Drives the real tempra.exe from outside, as a user would: starts it in a folder of the
// test's choosing, finds its windows and controls by class and text, clicks, and waits
// with a deadline for what should follow. Every process started is killed when its
// TempraProcess goes, so no test leaves one behind.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tempra::e2e {

inline constexpr wchar_t kMainTitle[] = L"Vornelt Tempra V0.5 - Italiano ";
inline constexpr DWORD kStartDeadlineMs = 60000;  // Wine under load starts slowly
inline constexpr DWORD kActionDeadlineMs = 15000;

// Polls `done` every 20 ms until it holds or `deadlineMs` has passed; true when it held.
bool WaitUntil(const std::function<bool()>& done, DWORD deadlineMs = kActionDeadlineMs);

// A Unix path (from the test's environment) as Wine's Windows path on drive Z:; a
// Windows path is returned as it is.
std::wstring WindowsPath(const std::wstring& path);
// The environment variable `name`, empty when unset.
std::wstring Environment(const wchar_t* name);
// `folder` (made when missing) as a full path.
std::wstring MakeFolder(const std::wstring& folder);

// Sends a message that carries no pointer to another process's window and returns the
// answer; 0 when the program does not answer within a few seconds.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// Every descendant of `parent`, in the system's order.
std::vector<HWND> Descendants(HWND parent);
// The first descendant of `parent` of class `className` (case-insensitive) whose text is
// `text`; nullptr when there is none.
HWND FindControl(HWND parent, const wchar_t* className, const std::wstring& text);
// The descendants of `parent` of class `className`, top to bottom on screen.
std::vector<HWND> ControlsByClass(HWND parent, const wchar_t* className);

// Posts the left button's press or release at a point of `control`'s client area.
void PostButtonDown(HWND control, int x, int y);
void PostButtonUp(HWND control, int x, int y);
// Presses a push button as the keyboard's space bar would, without needing the focus.
void PressButton(HWND button);

// Seconds since midnight of the local clock.
int LocalSecondOfDay();

// A clock of the program's own: the system's clock shifted by the seconds written in
// `offsetFile` (a Unix path; "+N" or "-N"), read anew at every look, in the time zone
// `zone` (a TZ rule).
struct MovedClock {
  std::wstring offsetFile;
  std::wstring zone;
};

class TempraProcess {
 public:
  // Starts tempra.exe (TEMPRA_EXE in the environment) in `workFolder` and waits for its
  // main window.
  explicit TempraProcess(const std::wstring& workFolder);
  // Likewise on a moved clock: Wine's loader (TEMPRA_WINE_LOADER) starts it from the Unix
  // side with libfaketime (TEMPRA_FAKETIME_LIBRARY) preloaded for it alone; monotonic
  // time is left alone, so its timers keep real time.
  TempraProcess(const std::wstring& workFolder, const MovedClock& clock);
  ~TempraProcess();
  TempraProcess(const TempraProcess&) = delete;
  TempraProcess& operator=(const TempraProcess&) = delete;

  HWND Main() const { return main_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // The exit code once the process has ended within the deadline; STILL_ACTIVE if not.
  DWORD WaitForExit(DWORD deadlineMs = kActionDeadlineMs) const;
  // A visible top-level window of this process titled `title`; nullptr when none.
  HWND TopLevel(const std::wstring& title) const;
  // Waits for TopLevel(title) to appear; nullptr when it does not in time.
  HWND WaitForTopLevel(const std::wstring& title, DWORD deadlineMs = kActionDeadlineMs) const;

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

}  // namespace tempra::e2e
