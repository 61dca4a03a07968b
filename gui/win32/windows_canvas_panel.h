// A panel of the canvas kind: it paints no background of its own and reports each paint
// request as GadgetPaint, for the program to draw.
#pragma once

#include "gui/win32/win32_api.h"
//
#include "gui/win32/windows_panel.h"

namespace quardeln {

class TWindowsCanvasPanel final : public TWindowsPanel {
 public:
  TWindowsCanvasPanel() = default;

  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace quardeln
