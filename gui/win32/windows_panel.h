// A panel gadget: a child container. A plain panel (optionally sunken, coloured, with a
// background picture in one of five layouts, translucent), a captioned group box whose
// kids live in an inner client window 4 pixels in and 16 down, or a canvas that paints
// nothing itself and reports each paint request as GadgetPaint. Panels owned by the
// driver's window class paint their background in WM_ERASEBKGND.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsPanel final : public TWindowsGadget {
 public:
  static constexpr int32_t kPlain = 0;
  static constexpr int32_t kGroupBox = 1;
  static constexpr int32_t kCanvas = 2;

  TWindowsPanel() = default;

  int32_t _type = kPlain;
  float _alpha = 1.0f;  // opacity of the panel's own painting
  int32_t _bitmapwidth = 0;
  int32_t _bitmapheight = 0;
  int32_t _bitmapflags = 0;  // picture layout in the low three bits (PANELPIXMAP_*)
  ObjectRef _canvas;         // attached graphics context
  int32_t _hasalpha = 0;     // 1: the picture is premultiplied and blended per pixel

  static std::shared_ptr<TWindowsPanel> Create(const GadgetRef& group, int32_t style);

  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t SetText(const std::u16string& text) override;  // a group box's caption
  int32_t SetAlpha(float alpha) override;
  int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags) override;
  ObjectRef AttachGraphics(int32_t flags) override;
  ObjectRef CanvasGraphics() override;
  int32_t RethinkClient() override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Where a bw x bh picture goes on a w x h panel in layout 1 (centre), 2 (fit),
  // 3 (stretch) or 4 (fit to width); tiles (0) start at (0, 0) with the picture's size.
  static RECT PictureRect(int32_t layout, int32_t w, int32_t h, int32_t bw, int32_t bh);

 private:
  void Build(const GadgetRef& group, int32_t given);
  LRESULT PaintBackground(HDC dc, HWND hwnd);
  void FillBackground(HDC target, HWND hwnd, const RECT& update);
  void DrawPicture(HDC target, int32_t w, int32_t h);
  void DrawPictureAt(HDC target, HDC picture, const RECT& place);
};

}  // namespace quardeln
