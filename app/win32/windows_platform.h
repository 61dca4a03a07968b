// The reminder's platform seam on Windows: the main window's large icon taken from an
// icon file through the shell, and the fire step's topmost placement and foreground
// request through user32. Windows refuses the foreground to a background process while
// the user works in another program; the window's taskbar button then flashes until the
// user comes to it. Calls come from the GUI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "app/platform_seam.h"
#include "runtime/win32/native_owner.h"

namespace tempra {

// The user32 calls of the foreground request, replaceable so tests can play a system
// that refuses it.
struct ForegroundCalls {
  BOOL(WINAPI* setForeground)(HWND) = &SetForegroundWindow;
  HWND(WINAPI* foreground)() = &GetForegroundWindow;
  BOOL(WINAPI* flash)(PFLASHWINFO) = &FlashWindowEx;
};

class WindowsAppPlatform final : public AppPlatform {
 public:
  explicit WindowsAppPlatform(ForegroundCalls calls = {}) : calls_(calls) {}

  // Only a real icon is set: a file that holds none leaves the window as it was.
  void SetWindowIconFromFile(NativeHandle window, const std::u16string& fileName) override;
  void BringToFrontTopmost(NativeHandle window, int32_t x, int32_t y, int32_t w,
                           int32_t h) override;

 private:
  ForegroundCalls calls_;
  // The icon taken from the file: the window shows it but does not own it.
  quardeln::UniqueIcon icon_;
};

}  // namespace tempra
