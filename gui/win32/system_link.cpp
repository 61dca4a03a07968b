#include "gui/win32/system_link.h"

namespace quardeln {

// FIXME: call TWin32SystemDriver::TranslateNativeEvent once system/win32 provides it;
// until then key and mouse input of sensitive gadgets produces no events.
void TranslateGadgetInput(HWND, UINT, WPARAM, LPARAM, const GadgetRef&) {}

}  // namespace quardeln
