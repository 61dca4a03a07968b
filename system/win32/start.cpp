// The Windows platform: the Win32 system driver and multimedia timers.
#include "system/platform.h"
#include "system/win32/multimedia_timer.h"
#include "system/win32/win32_system_driver.h"

namespace quardeln {

// All instances would share one state anyway; the program and its tests get the same one.
std::shared_ptr<TSystemDriver> CreatePlatformSystemDriver() {
  static const auto driver = std::make_shared<TWin32SystemDriver>();
  return driver;
}

void InstallPlatformTimerBackend() {
  SetNativeTimerBackend(std::make_shared<TMultimediaTimerBackend>());
}

}  // namespace quardeln
