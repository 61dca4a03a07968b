// A panel of the canvas kind: it paints no background of its own. Its graphics context
// (AttachGraphics) draws into a back buffer of the panel's size at its window's DPI, which
// each WM_PAINT copies to the window before reporting the paint as GadgetPaint, so a
// program may draw whenever it likes and the window repaints itself. The buffer follows
// the panel's size and goes with the panel's native window, however that ends.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <memory>

#include "graphics/win32/gdi_graphics.h"
#include "gui/win32/windows_panel.h"

namespace quardeln {

class TWindowsCanvasPanel final : public TWindowsPanel {
 public:
  TWindowsCanvasPanel() = default;

  // A new context for the panel (one attached before lets go of its buffer).
  ObjectRef AttachGraphics(int32_t flags) override;
  ObjectRef CanvasGraphics() override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void NativeSized(HWND hwnd) override;

  // The attached context; null before AttachGraphics.
  const std::shared_ptr<TGdiGraphics>& Graphics() const { return _canvas; }

 protected:
  void ReleaseNativeResources() override;

 private:
  void FitBuffer();

  std::shared_ptr<TGdiGraphics> _canvas;  // the attached graphics context
};

}  // namespace quardeln
