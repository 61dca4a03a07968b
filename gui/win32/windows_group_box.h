// A panel of the group-box kind: a native "BUTTON" group box with its caption, whose kids
// live in an inner client window of the driver's class, 4 pixels in and 16 down. Made
// hidden; CreateGadget shows it once it has been placed. Its text and the group's frame
// stand on the parent's background.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>

#include "gui/win32/windows_panel.h"

namespace quardeln {

class TWindowsGroupBox final : public TWindowsPanel {
 public:
  TWindowsGroupBox() = default;

  // The client window's size: the box less its frame and caption.
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t RethinkClient() override;  // the client window follows the box
  ColourRule ControlColourRule() override { return ColourRule::kTransparent; }

 protected:
  void Build(const GadgetRef& group, int32_t given) override;
  HWND ColourBrushWindow(HWND control) override { return control; }
};

}  // namespace quardeln
