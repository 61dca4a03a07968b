#include "gui/win32/hwnd_map.h"

#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {

THwndMap HwndMap;

std::shared_ptr<TWindowsGadget> GadgetOfHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto at = HwndMap.find(hwnd);
  return at == HwndMap.end() ? nullptr : at->second;
}

void TWindowsGUIDriver::RegisterHwnd(HWND hwnd, const std::shared_ptr<TWindowsGadget>& gadget) {
  // A failed CreateWindowExW leaves handle 0, which must never find a gadget.
  if (!hwnd || !gadget) return;
  HwndMap[hwnd] = gadget;
}

void TWindowsGUIDriver::RemoveHwnd(HWND hwnd) {
  if (!hwnd) return;
  auto at = HwndMap.find(hwnd);
  if (at == HwndMap.end()) return;
  // The entry may hold the gadget's last reference; let it go after the map is consistent.
  std::shared_ptr<TWindowsGadget> last = std::move(at->second);
  HwndMap.erase(at);
}

}  // namespace quardeln
