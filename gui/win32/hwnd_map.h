// HwndMap: the driver's table from native window handle to the Windows gadget that owns
// it. A gadget's _hwnd and _hwndclient (and its per-gadget tooltip window) are entered
// from Register to Free, or until the system destroys that window (every registered
// window is watched for its WM_NCDESTROY, whatever its window procedure). The table holds
// the gadgets, so a registered gadget stays alive until then. Handle 0 is never entered.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <map>
#include <memory>

namespace quardeln {

class TWindowsGadget;

using THwndMap = std::map<HWND, std::shared_ptr<TWindowsGadget>>;

extern THwndMap HwndMap;

// The gadget entered under `hwnd`, or null.
std::shared_ptr<TWindowsGadget> GadgetOfHwnd(HWND hwnd);

}  // namespace quardeln
