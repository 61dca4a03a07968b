// The Windows platform's GUI: the Windows driver.
#include "gui/platform.h"
#include "gui/win32/windows_driver.h"

namespace quardeln {

std::shared_ptr<TOrvaneDriver> CreatePlatformGuiDriver() {
  return std::make_shared<TWindowsGUIDriver>();
}

}  // namespace quardeln
