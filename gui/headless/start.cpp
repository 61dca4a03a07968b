// The headless platform's GUI: the windowless driver.
#include "gui/headless/headless_driver.h"
#include "gui/platform.h"

namespace quardeln {

std::shared_ptr<TOrvaneDriver> CreatePlatformGuiDriver() {
  return std::make_shared<THeadlessGuiDriver>();
}

void KeepSystemDpiScaling() {}

}  // namespace quardeln
