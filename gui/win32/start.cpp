// The Windows platform's GUI: the Windows driver.
#include "gui/platform.h"
#include "gui/win32/windows_driver.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {

std::shared_ptr<TOrvaneDriver> CreatePlatformGuiDriver() {
  return std::make_shared<TWindowsGUIDriver>();
}

void KeepSystemDpiScaling() {
  WantDpiAwareness(false);
}

}  // namespace quardeln
