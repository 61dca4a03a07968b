// The rules of the Windows system driver that need no window: key codes, modifier bits,
// wheel steps, held buttons, message box styles and the file requester's path, filter
// index and native filter. Pure functions over plain numbers and texts, so they can be
// tested anywhere; the numbers are the Windows headers' values.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "system/system_driver.h"

namespace quardeln {

inline constexpr uint32_t kNativeKeyDown = 0x100;     // WM_KEYDOWN
inline constexpr uint32_t kNativeKeyUp = 0x101;       // WM_KEYUP
inline constexpr uint32_t kNativeSysKeyDown = 0x104;  // WM_SYSKEYDOWN
inline constexpr uint32_t kNativeSysKeyUp = 0x105;    // WM_SYSKEYUP

// The virtual-key code with shift, control and alt told apart by side, from the scan
// code in lParam (bits 16-22, extended-key bit 24 as bit 7).
int32_t SideKeyCode(int32_t virtualKey, intptr_t lParam);

// True for a key message about shift, control, alt or either Windows key, after which
// the modifier state is rebuilt.
bool IsModifierKeyMessage(uint32_t message, uintptr_t wParam);

// The modifier bits (shift 1, control 2, alt 4, Windows key 8) from a query that tells
// whether a virtual key is down.
using KeyDownQuery = std::function<bool(int32_t virtualKey)>;
int32_t ModifierStateFromKeys(const KeyDownQuery& isDown);

bool IsKeyRepeat(intptr_t lParam);  // bit 30: the key was already down
int32_t SignedLowWord(intptr_t value);
int32_t SignedHighWord(intptr_t value);

// Whole wheel notches in a WM_MOUSEWHEEL wParam, truncated toward zero.
int32_t WheelSteps(uintptr_t wParam);

// The held button of a mouse move from its MK_ flags: 1 left, 4 middle, 2 right, 0 none;
// right beats middle beats left.
int32_t MouseMoveButton(uintptr_t wParam);

// Message boxes: the MessageBoxA style for each operation, and the answers.
uint32_t MessageBoxStyle(MessageKind kind, int32_t serious);
int32_t ConfirmAnswer(int32_t button);  // 1 for IDOK, else 0
int32_t ProceedAnswer(int32_t button);  // 1 IDYES, 0 IDNO, -1 anything else

// The cursor is shown unless the program hid it and the pointer is over a tracked window.
bool CursorWanted(int32_t mouseShown, bool pointerInWindow);
// ShowCursor's display count is settled at 0 (shown) or -1 (hidden).
bool CursorCountSettled(int32_t count);

// File requesters: slashes become backslashes; the initial directory is what stands
// before the last backslash, the initial file name what follows it.
struct RequestPath {
  std::u16string directory;
  std::u16string name;
};
std::u16string BackslashPath(const std::u16string& path);
RequestPath SplitRequestPath(const std::u16string& path);

// The 1-based filter group that lists the initial file's extension, or 0 when none
// does. Filter form: "Description:ext,ext;Description:ext".
int32_t InitialFilterIndex(const std::u16string& filter, const std::u16string& path);

// The filter as description and pattern pairs separated by zero characters, ending in
// one zero (the string's own terminator makes the double zero); empty for no filter.
std::string NativeFilterString(const std::u16string& filter);

}  // namespace quardeln
