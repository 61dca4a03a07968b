#include "app/win32/windows_platform.h"

#include "runtime/text.h"
#include "system/win32/win32_dpi.h"
#include "system/win32/windows_api.h"

#include <shellapi.h>

#include <utility>

namespace tempra {
namespace {

HWND AsWindow(NativeHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

}  // namespace

void WindowsAppPlatform::SetWindowIconFromFile(NativeHandle window,
                                               const std::u16string& fileName) {
  const std::string name = quardeln::ToAnsi(fileName);
  // The shell looks the relative name up in the current directory. It answers 0 when the
  // file is missing or holds no icon, and 1 when the file is not an icon file at all;
  // neither is a handle, so neither is handed to the window.
  HICON icon = ExtractIconA(GetModuleHandleW(nullptr), name.c_str(), 0);
  if (reinterpret_cast<uintptr_t>(icon) <= 1) return;
  quardeln::UniqueIcon extracted(icon);
  SendMessageA(AsWindow(window), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  icon_ = std::move(extracted);  // an earlier icon goes once the window has let go of it
}

void WindowsAppPlatform::BringToFrontTopmost(NativeHandle window, int32_t x, int32_t y, int32_t w,
                                             int32_t h) {
  HWND hwnd = AsWindow(window);
  // Topmost for the rest of the run: nothing takes it back. The place is in units.
  const int32_t dpi = quardeln::DpiOfWindow(hwnd);
  SetWindowPos(hwnd, HWND_TOPMOST, quardeln::ToNative(x, dpi), quardeln::ToNative(y, dpi),
               quardeln::ToNative(w, dpi), quardeln::ToNative(h, dpi), SWP_SHOWWINDOW);
  calls_.setForeground(hwnd);
  if (calls_.foreground() == hwnd) return;
  // Until the window comes to the foreground; the count is then ignored.
  FLASHWINFO flash{sizeof(FLASHWINFO), hwnd, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
  calls_.flash(&flash);
}

}  // namespace tempra
