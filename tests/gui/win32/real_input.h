// Real input for tests that act as a user would: keys and mouse clicks put into the
// system's input queue (SendInput), so they reach windows the way a person's do, through
// hooks, focus and hit testing. Header-only; the end-to-end tests of programs use it too.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace quardeln::test {

// A key pressed (or released, `up`) by its virtual-key code.
inline INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

inline void SendInputs(std::initializer_list<INPUT> inputs) {
  std::vector<INPUT> list(inputs);
  SendInput(static_cast<UINT>(list.size()), list.data(), sizeof(INPUT));
}

// The mouse moved to a point of `hwnd`'s client area and, when `click`, a left click there.
inline void RealMouse(HWND hwnd, POINT at, bool click = true) {
  ClientToScreen(hwnd, &at);
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + screenW / 2) / screenW;
    input.mi.dy = (at.y * 65536 + screenH / 2) / screenH;
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(click ? 3 : 1, inputs, sizeof(INPUT));
}

}  // namespace quardeln::test
