// The few things the reminder asks of the platform directly, beside the toolkit: the
// main window's icon and bringing the window to the front when the alarm fires. One
// object per platform implements them (the headless one records what was asked), so the
// rest of the application stays portable. Calls come from the GUI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "gui/gadget.h"

namespace tempra {

using quardeln::NativeHandle;

class AppPlatform {
 public:
  AppPlatform() = default;
  AppPlatform(const AppPlatform&) = delete;
  AppPlatform& operator=(const AppPlatform&) = delete;
  virtual ~AppPlatform() = default;

  // Gives `window` (the main window, just made and so the active one) the large icon
  // extracted from the icon file `fileName` (icon number 0). The name is passed as it is,
  // so a relative name is looked for in the current directory. Whatever the extraction
  // gives is set, so a missing file leaves the window without that icon.
  virtual void SetWindowIconFromFile(NativeHandle window, const std::u16string& fileName) = 0;

  // Puts `window` above all other windows for good (topmost) at the given rectangle,
  // shows it, and asks for it to become the foreground window.
  virtual void BringToFrontTopmost(NativeHandle window, int32_t x, int32_t y, int32_t w,
                                   int32_t h) = 0;
};

}  // namespace tempra
