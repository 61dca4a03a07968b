// The platform seam of the GUI: each platform's driver library defines this one function,
// which makes that platform's driver. Start-up code hands the result to StartGuiModule.
#pragma once

#include <memory>

#include "gui/gui_driver.h"

namespace quardeln {

std::shared_ptr<TOrvaneDriver> CreatePlatformGuiDriver();

// Before CreatePlatformGuiDriver: the driver leaves the process unaware of the screen's
// DPI (the system then stretches its windows) instead of scaling them itself. Nothing
// where the platform has no such scaling.
void KeepSystemDpiScaling();

}  // namespace quardeln
