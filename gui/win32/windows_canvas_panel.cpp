#include "gui/win32/windows_canvas_panel.h"

#include "events/event.h"

namespace quardeln {

LRESULT TWindowsCanvasPanel::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PostGuiEvent(GadgetPaint, 0, 0, 0, 0, nullptr);
      ValidateRect(Hwnd(), nullptr);
      return 1;
    default:
      return TWindowsPanel::WndProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace quardeln
