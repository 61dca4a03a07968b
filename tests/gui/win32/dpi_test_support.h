// What the DPI tests share: the DPI their prefix was set to (TEMPRA_TEST_DPI, 96 when
// unset), where a native window sits, and the room a control's own text needs in its own
// font.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "gui/win32/win32_api.h"
#include "runtime/win32/native_owner.h"

namespace quardeln::test {

inline int32_t PrefixDpi() {
  const char* given = std::getenv("TEMPRA_TEST_DPI");
  return given ? std::atoi(given) : 96;
}

// In the parent's client coordinates; a top-level window's in the screen's.
inline RECT PlacedRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  if (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

// DrawText's DT_CALCRECT answer for the control's text: `format` says single line or
// word-wrapped at `width`.
inline RECT TextRoomNeeded(HWND control, UINT format, LONG width = 0) {
  wchar_t text[512] = {};
  const int length = GetWindowTextW(control, text, 512);
  RECT needed{0, 0, width, 0};
  const TWindowDc dc(control);
  const TSelectedObject font(dc.get(),
                             reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  DrawTextW(dc.get(), text, length, &needed, DT_CALCRECT | DT_NOPREFIX | format);
  return needed;
}

}  // namespace quardeln::test
