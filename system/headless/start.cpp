// The headless platform: the windowless driver and timers on a portable thread.
#include "system/headless/headless_driver.h"
#include "system/platform.h"
#include "system/thread_timer.h"

namespace quardeln {

std::shared_ptr<TSystemDriver> CreatePlatformSystemDriver() {
  return std::make_shared<THeadlessSystemDriver>();
}

void InstallPlatformTimerBackend() {
  SetNativeTimerBackend(std::make_shared<TThreadTimerBackend>());
}

}  // namespace quardeln
