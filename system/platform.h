// The platform's system layer, chosen at link time: each platform has one start-up file
// that defines these two functions (the headless stand-in in system/headless/start.cpp,
// Windows in system/win32/start.cpp). Portable code names no platform.
#pragma once

#include <memory>

#include "system/system_driver.h"
#include "system/timer.h"

namespace quardeln {

// A new instance of the platform's system driver.
std::shared_ptr<TSystemDriver> CreatePlatformSystemDriver();

// Installs the platform's native-timer backend (SetNativeTimerBackend).
void InstallPlatformTimerBackend();

// The system module and timers as the program uses them; the events module first.
inline void StartPlatformSystem() {
  StartSystemModule(CreatePlatformSystemDriver());
  InstallPlatformTimerBackend();
}

}  // namespace quardeln
