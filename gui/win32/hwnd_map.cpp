#include "gui/win32/hwnd_map.h"

#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {

THwndMap HwndMap;

namespace {

constexpr UINT_PTR kWatchId = 0x51574D;  // one watch per window, whoever registers it

// ClassWndProc forgets the windows it runs for when they end; every other window in the
// map (a gadget's tooltip window, the inner controls of a combo box) is watched for its
// end: when the system destroys one with its parent or owner, its entry goes with it, so
// the map never routes a reused handle to a gadget that is gone.
LRESULT CALLBACK WatchDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &WatchDestroy, kWatchId);
    if (std::shared_ptr<TWindowsGadget> gadget = GadgetOfHwnd(hwnd)) {
      gadget->NativeWindowGone(hwnd);
    }
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

std::shared_ptr<TWindowsGadget> GadgetOfHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto at = HwndMap.find(hwnd);
  return at == HwndMap.end() ? nullptr : at->second;
}

void TWindowsGUIDriver::RegisterHwnd(HWND hwnd, const std::shared_ptr<TWindowsGadget>& gadget) {
  // A failed CreateWindowExW leaves handle 0, which must never find a gadget.
  if (!hwnd || !gadget) return;
  HwndMap[hwnd] = gadget;
  const auto ownProc = reinterpret_cast<LONG_PTR>(&TWindowsGUIDriver::ClassWndProc);
  if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == ownProc) return;
  // Only our own windows: the desktop belongs to another process, and a subclass record
  // left on it would point into this process's memory for every other program to read.
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == GetCurrentProcessId()) SetWindowSubclass(hwnd, &WatchDestroy, kWatchId, 0);
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
