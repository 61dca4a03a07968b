// Tooltips. Every gadget's tip lives in the one SharedTooltip window, with the gadget's
// own window as the tool. List-style gadgets also make a tooltip window of their own for
// their items (SetupToolTips).
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {
namespace {

// Line ends as the tooltip control breaks lines: carriage returns dropped, then every
// line feed written as carriage return + line feed.
std::u16string TooltipLines(const std::u16string& text) {
  std::u16string lines;
  lines.reserve(text.size() + 8);
  for (char16_t c : text) {
    if (c == u'\r') continue;
    if (c == u'\n') lines.push_back(u'\r');
    lines.push_back(c);
  }
  return lines;
}

}  // namespace

int32_t TWindowsGadget::SetTooltip(const std::u16string& text) {
  _wstrTooltip.clear();
  TOOLINFOW tool{};
  // The size the tooltip control knows in every common-controls version.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(_hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(_hwnd);
  tool.hinst = DriverInstance();
  if (!text.empty()) {
    _wstrTooltip = TooltipLines(text);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.lpszText = reinterpret_cast<LPWSTR>(_wstrTooltip.data());
    if (_toolAdded == 0) {
      _toolAdded =
          SendMessageW(SharedTooltipWindow(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) ? 1
                                                                                                : 0;
    } else {
      SendMessageW(SharedTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  } else if (_toolAdded == 1) {
    SendMessageW(SharedTooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    _toolAdded = 0;
  }
  return 0;
}

std::u16string TWindowsGadget::GetTooltip() {
  return _wstrTooltip;
}

int32_t TWindowsGadget::SetupToolTips() {
  if (HWND old = _tooltips) {
    _tooltips = nullptr;
    TWindowsGUIDriver::RemoveHwnd(old);
    DestroyWindow(old);
  }
  EnsureCommonControls();
  _tooltips =
      CreateWindowExW(0, TOOLTIPS_CLASSW, L"", TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, _hwnd, nullptr, DriverInstance(), nullptr);
  SendMessageW(_tooltips, TTM_SETMAXTIPWIDTH, 0, 300);
  TWindowsGUIDriver::RegisterHwnd(_tooltips, WindowsSelf());
  return 0;
}

}  // namespace quardeln
