// Small helpers the window, panel and control gadgets share: handing texts to the wide
// Win32 calls and creating a native child window at position and size 0 (CreateGadget
// places it afterwards), optionally with the driver's default font.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <string>

namespace quardeln {

// A text as the W calls take it; char16_t and wchar_t are both UTF-16 on Windows.
inline LPCWSTR Wide(const std::u16string& text) {
  return reinterpret_cast<LPCWSTR>(text.c_str());
}

// A child window of `class_name` inside `parent`, empty text, with the given styles and
// control id (0 for none).
HWND CreateChildWindow(const std::u16string& class_name, DWORD ex_style, DWORD style, HWND parent,
                       intptr_t control_id = 0);

// An opacity 0.0 to 1.0 as a byte: alpha * 255 truncated toward zero, low 8 bits; a
// value no 32-bit integer holds counts as 0.
BYTE AlphaByte(float alpha);

// Gives a control the driver's default GUI font, redrawing it.
void GiveDefaultFont(HWND hwnd);

}  // namespace quardeln
