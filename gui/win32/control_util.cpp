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
  HFONT font = DefaultGuiFont ? DefaultGuiFont->Native() : nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void UseExplorerTheme(HWND hwnd) {
  TWindowsGUIDriver::CheckCommonControlVersion();
  if (CommonControlVersion[0] == 0 || !SetWindowThemePtr) return;
  SetWindowThemePtr(hwnd, L"Explorer", nullptr);
}

}  // namespace quardeln
