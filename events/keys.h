// Key codes: what KeyDown, KeyUp and KeyRepeat carry as data and what hot keys are
// registered with. They are the Windows virtual-key codes on every platform. Letters and
// digits have no names here: their code is the upper-case character ('A' is 65, '7' is
// 55), so a shortcut is written GadgetSetHotKey(button, 'S', ModControl).
#pragma once

#include <cstdint>

namespace quardeln {

inline constexpr int32_t KEY_BACKSPACE = 8;
inline constexpr int32_t KEY_TAB = 9;
inline constexpr int32_t KEY_ENTER = 13;
inline constexpr int32_t KEY_SHIFT = 16;  // hot keys; key events tell the sides apart (below)
inline constexpr int32_t KEY_CONTROL = 17;
inline constexpr int32_t KEY_ALT = 18;
inline constexpr int32_t KEY_PAUSE = 19;
inline constexpr int32_t KEY_ESCAPE = 27;
inline constexpr int32_t KEY_SPACE = 32;
inline constexpr int32_t KEY_PAGEUP = 33;
inline constexpr int32_t KEY_PAGEDOWN = 34;
inline constexpr int32_t KEY_END = 35;
inline constexpr int32_t KEY_HOME = 36;
inline constexpr int32_t KEY_LEFT = 37;
inline constexpr int32_t KEY_UP = 38;
inline constexpr int32_t KEY_RIGHT = 39;
inline constexpr int32_t KEY_DOWN = 40;
inline constexpr int32_t KEY_INSERT = 45;
inline constexpr int32_t KEY_DELETE = 46;
inline constexpr int32_t KEY_F1 = 112;
inline constexpr int32_t KEY_F2 = 113;
inline constexpr int32_t KEY_F3 = 114;
inline constexpr int32_t KEY_F4 = 115;
inline constexpr int32_t KEY_F5 = 116;
inline constexpr int32_t KEY_F6 = 117;
inline constexpr int32_t KEY_F7 = 118;
inline constexpr int32_t KEY_F8 = 119;
inline constexpr int32_t KEY_F9 = 120;
inline constexpr int32_t KEY_F10 = 121;
inline constexpr int32_t KEY_F11 = 122;
inline constexpr int32_t KEY_F12 = 123;
// Key events report shift, control and alt by side.
inline constexpr int32_t KEY_LSHIFT = 160;
inline constexpr int32_t KEY_RSHIFT = 161;
inline constexpr int32_t KEY_LCONTROL = 162;
inline constexpr int32_t KEY_RCONTROL = 163;
inline constexpr int32_t KEY_LALT = 164;
inline constexpr int32_t KEY_RALT = 165;

}  // namespace quardeln
