#include "gui/win32/windows_desktop.h"

#include "system/win32/win32_dpi.h"

namespace quardeln {
namespace {

// In units: the desktop at the system's DPI.
RECT DesktopClient() {
  RECT rect{};
  GetClientRect(GetDesktopWindow(), &rect);
  const int32_t dpi = SystemDpi();
  return {FromNative(rect.left, dpi), FromNative(rect.top, dpi), FromNative(rect.right, dpi),
          FromNative(rect.bottom, dpi)};
}

}  // namespace

void TWindowsDesktop::Create() {
  // The system refuses to subclass its own desktop window, so Register keeps no procedure.
  Register(GADGETCLASS_DESKTOP, GetDesktopWindow(), nullptr, 0);
  gadgetclass = GADGETCLASS_DESKTOP;
  const RECT rect = DesktopClient();
  SetRect(0, 0, rect.right - rect.left, rect.bottom - rect.top);
  LockLayout();
}

int32_t TWindowsDesktop::Free() {
  return 0;
}

// The desktop window belongs to the system: it is measured, never moved or asked.
int32_t TWindowsDesktop::Rethink() {
  return 0;
}

int32_t TWindowsDesktop::ClientWidth() {
  const RECT rect = DesktopClient();
  return rect.right - rect.left;
}

int32_t TWindowsDesktop::ClientHeight() {
  const RECT rect = DesktopClient();
  return rect.bottom - rect.top;
}

int32_t TWindowsDesktop::SetTooltip(const std::u16string&) {
  return 0;
}

}  // namespace quardeln
