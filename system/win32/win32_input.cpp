// Native input into events: the translation table, the modifier state, pointer tracking
// with enter and leave, and the pointer's visibility and position.
// <windows.h> before the headers that build on it.
#include "system/win32/windows_api.h"

#include <commctrl.h>

#include <utility>

#include "events/event.h"
#include "events/keys.h"
#include "system/driver_logic.h"
#include "system/win32/win32_dpi.h"
#include "system/win32/win32_internal.h"
#include "system/win32/win32_system_driver.h"

namespace quardeln {
namespace {

// The portable key names are the virtual-key codes the translation passes through.
static_assert(KEY_BACKSPACE == VK_BACK && KEY_TAB == VK_TAB && KEY_ENTER == VK_RETURN);
static_assert(KEY_SHIFT == VK_SHIFT && KEY_CONTROL == VK_CONTROL && KEY_ALT == VK_MENU);
static_assert(KEY_PAUSE == VK_PAUSE && KEY_ESCAPE == VK_ESCAPE && KEY_SPACE == VK_SPACE);
static_assert(KEY_PAGEUP == VK_PRIOR && KEY_PAGEDOWN == VK_NEXT && KEY_END == VK_END);
static_assert(KEY_HOME == VK_HOME && KEY_LEFT == VK_LEFT && KEY_UP == VK_UP);
static_assert(KEY_RIGHT == VK_RIGHT && KEY_DOWN == VK_DOWN && KEY_INSERT == VK_INSERT);
static_assert(KEY_DELETE == VK_DELETE && KEY_F1 == VK_F1 && KEY_F12 == VK_F12);
static_assert(KEY_LSHIFT == VK_LSHIFT && KEY_RSHIFT == VK_RSHIFT && KEY_LCONTROL == VK_LCONTROL);
static_assert(KEY_RCONTROL == VK_RCONTROL && KEY_LALT == VK_LMENU && KEY_RALT == VK_RMENU);

int32_t Modifiers = 0;
HWND PointerWindow = nullptr;
int32_t MouseShown = 1;

// The source given with PointerWindow, kept alive while it is current. Never destroyed:
// releasing a gadget during static destruction could reach modules already gone.
ObjectRef& PointerSource() {
  static auto* source = new ObjectRef();
  return *source;
}

int32_t Emit(int32_t id, const ObjectRef& source, int32_t data, int32_t mods, int32_t x = 0,
             int32_t y = 0) {
  SendEvent(MakeEvent(id, source, data, mods, x, y));
  return 1;
}

// A mouse event at pixel position x, y of `window`, reported in units.
int32_t EmitAt(HWND window, int32_t id, const ObjectRef& source, int32_t data, int32_t x,
               int32_t y) {
  const int32_t dpi = DpiOfWindow(window);
  return Emit(id, source, data, Modifiers, FromNative(x, dpi), FromNative(y, dpi));
}

// ShowCursor keeps a display count; settle it at 0 (shown) or -1 (hidden) however often
// this runs.
void ApplyCursorVisibility() {
  bool wanted = CursorWanted(MouseShown, PointerWindow != nullptr);
  if (!CursorCountSettled(ShowCursor(wanted))) ShowCursor(!wanted);
}

void LeavePointerWindow() {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(PointerWindow, &at);
  ObjectRef leaving = std::move(PointerSource());
  const int32_t dpi = DpiOfWindow(PointerWindow);
  Emit(MouseLeave, leaving, 0, 0, FromNative(at.x, dpi), FromNative(at.y, dpi));
}

// The pointer is now over `window` (or none) at x, y: leave the old window, enter the new
// one and ask the system to tell when the pointer leaves it.
void TrackPointer(HWND window, int32_t x, int32_t y, const ObjectRef& source) {
  if (window == PointerWindow) return;
  if (PointerWindow) LeavePointerWindow();
  PointerWindow = window;
  PointerSource() = nullptr;
  ApplyCursorVisibility();
  if (!window) return;
  PointerSource() = source;
  const int32_t dpi = DpiOfWindow(window);
  Emit(MouseEnter, source, 0, 0, FromNative(x, dpi), FromNative(y, dpi));
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  track.dwHoverTime = 0;
  _TrackMouseEvent(&track);
}

bool InsideClient(HWND window, int32_t x, int32_t y) {
  RECT client{};
  GetClientRect(window, &client);
  return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

int32_t TranslateMouseMove(HWND window, WPARAM wParam, LPARAM lParam, const ObjectRef& source) {
  int32_t x = SignedLowWord(lParam);
  int32_t y = SignedHighWord(lParam);
  TrackPointer(InsideClient(window, x, y) ? window : nullptr, x, y, source);
  return EmitAt(window, MouseMove, source, MouseMoveButton(wParam), x, y);
}

int32_t TranslateButton(HWND window, int32_t id, int32_t button, LPARAM lParam,
                        const ObjectRef& source) {
  if (id == MouseDown) {
    SetCapture(window);
  } else {
    ReleaseCapture();
  }
  return EmitAt(window, id, source, button, SignedLowWord(lParam), SignedHighWord(lParam));
}

int32_t TranslateWheel(HWND window, WPARAM wParam, LPARAM lParam, const ObjectRef& source) {
  POINT at{SignedLowWord(lParam), SignedHighWord(lParam)};  // screen coordinates
  ScreenToClient(window, &at);
  return EmitAt(window, MouseWheel, source, WheelSteps(wParam), at.x, at.y);
}

bool IsKeyCode(WPARAM wParam) {
  return wParam >= 1 && wParam <= 255;
}

int32_t TranslateKey(UINT message, WPARAM wParam, LPARAM lParam, const ObjectRef& source) {
  if (!IsKeyCode(wParam)) return 0;
  auto key = static_cast<int32_t>(wParam);
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return Emit(IsKeyRepeat(lParam) ? KeyRepeat : KeyDown, source, SideKeyCode(key, lParam),
                  Modifiers);
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return Emit(KeyUp, source, SideKeyCode(key, lParam), Modifiers);
    default:  // WM_CHAR, WM_SYSCHAR
      return Emit(KeyChar, source, key, Modifiers);
  }
}

}  // namespace

namespace win32 {

void RebuildModifierState() {
  Modifiers = ModifierStateFromKeys([](int32_t key) { return GetKeyState(key) < 0; });
}

void ResetPointerState() {
  MouseShown = 1;
  PointerWindow = nullptr;
  PointerSource() = nullptr;
}

}  // namespace win32

int32_t TranslateNativeEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             const ObjectRef& source) {
  switch (message) {
    case WM_CLOSE:
      return Emit(AppTerminate, source, 0, Modifiers);
    case WM_ACTIVATEAPP:
      return Emit(wParam ? AppResume : AppSuspend, source, 0, Modifiers);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      return TranslateKey(message, wParam, lParam, source);
    case WM_MOUSEMOVE:
      return TranslateMouseMove(window, wParam, lParam, source);
    case WM_LBUTTONDOWN:
      return TranslateButton(window, MouseDown, 1, lParam, source);
    case WM_RBUTTONDOWN:
      return TranslateButton(window, MouseDown, 2, lParam, source);
    case WM_MBUTTONDOWN:
      return TranslateButton(window, MouseDown, 3, lParam, source);
    case WM_LBUTTONUP:
      return TranslateButton(window, MouseUp, 1, lParam, source);
    case WM_RBUTTONUP:
      return TranslateButton(window, MouseUp, 2, lParam, source);
    case WM_MBUTTONUP:
      return TranslateButton(window, MouseUp, 3, lParam, source);
    case WM_MOUSEWHEEL:
      return TranslateWheel(window, wParam, lParam, source);
    case WM_MOUSELEAVE:
      if (window && window == PointerWindow) TrackPointer(nullptr, 0, 0, nullptr);
      return 0;
    default:
      return 0;
  }
}

int32_t ModifierState() {
  return Modifiers;
}

void ForgetPointerWindow(HWND window) {
  if (!window || window != PointerWindow) return;
  PointerWindow = nullptr;
  PointerSource() = nullptr;
  ApplyCursorVisibility();
}

int32_t TWin32SystemDriver::MoveMouse(int32_t x, int32_t y) {
  HWND active = GetActiveWindow();
  const int32_t dpi = DpiOfWindow(active);
  POINT at{ToNative(x, dpi), ToNative(y, dpi)};
  if (active) ClientToScreen(active, &at);
  SetCursorPos(at.x, at.y);
  return 0;
}

int32_t TWin32SystemDriver::SetMouseVisible(int32_t visible) {
  MouseShown = visible;
  ApplyCursorVisibility();
  return 0;
}

}  // namespace quardeln
