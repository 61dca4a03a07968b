// The desktop gadget: the one parent of top-level windows, bound to the system's desktop
// window. It is made once with the driver, cannot be freed, takes no tooltip and never
// moves the desktop window; its size is the desktop's client area at start-up.
#pragma once

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsDesktop final : public TWindowsGadget {
 public:
  TWindowsDesktop() = default;

  // Registers the desktop window and takes its size. Called once, by the driver.
  void Create();

  int32_t Free() override;
  int32_t Rethink() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t SetTooltip(const std::u16string& text) override;
};

}  // namespace quardeln
