#include "gui/win32/control_util.h"

#include "gui/win32/optional_api.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"

namespace quardeln {

HWND CreateChildWindow(const std::u16string& class_name, DWORD ex_style, DWORD style, HWND parent,
                       intptr_t control_id) {
  EnsureCommonControls();
  // A child window's "menu" argument carries its control id.
  return CreateWindowExW(ex_style, Wide(class_name), L"", style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(control_id), DriverInstance(), nullptr);
}

BYTE AlphaByte(float alpha) {
  const double scaled = static_cast<double>(alpha) * 255.0;
  if (!(scaled > -2147483648.0 && scaled < 2147483648.0)) return 0;
  return static_cast<BYTE>(static_cast<int32_t>(scaled) & 0xFF);
}

void GiveDefaultFont(HWND hwnd) {
  HFONT font = DefaultGuiFont ? DefaultGuiFont->NativeFor(DpiOfWindow(hwnd)) : nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void UseExplorerTheme(HWND hwnd) {
  TWindowsGUIDriver::CheckCommonControlVersion();
  if (CommonControlVersion[0] == 0 || !SetWindowThemePtr) return;
  SetWindowThemePtr(hwnd, L"Explorer", nullptr);
}

UINT TDeferredRedraw::ResumeMessage() {
  static const UINT message = RegisterWindowMessageW(L"QuardelnResumeRedraw");
  return message;
}

void TDeferredRedraw::Defer(HWND hwnd) {
  if (deferred_ || !hwnd) return;
  if (!PostMessageW(hwnd, ResumeMessage(), 0, 0)) return;
  deferred_ = true;
  wasVisible_ = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
}

bool TDeferredRedraw::Resume(HWND hwnd) {
  if (!deferred_) return false;
  deferred_ = false;
  SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
  // A control that leaves the message to the default procedure gets WS_VISIBLE with it.
  const LONG native = GetWindowLongW(hwnd, GWL_STYLE);
  if (!wasVisible_ && (native & WS_VISIBLE)) SetWindowLongW(hwnd, GWL_STYLE, native & ~WS_VISIBLE);
  return true;
}

}  // namespace quardeln
