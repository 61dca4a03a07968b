// A panel gadget: a child container, optionally sunken, coloured, with a background
// picture in one of five layouts, translucent. Its two other kinds are classes of their
// own: the captioned group box (TWindowsGroupBox) and the canvas (TWindowsCanvasPanel);
// Create makes the kind the style asks for. Panels owned by the driver's window class
// paint their background in WM_ERASEBKGND.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsPanel : public TWindowsGadget {
 public:
  TWindowsPanel() = default;

  // A plain panel, a group box (PANEL_GROUP) or a canvas (PANEL_NOERASE).
  static std::shared_ptr<TWindowsPanel> Create(const GadgetRef& group, int32_t style);

  int32_t SetAlpha(float alpha) override;
  int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Where a bw x bh picture goes on a w x h panel in layout 1 (centre), 2 (fit),
  // 3 (stretch) or 4 (fit to width); tiles (0) start at (0, 0) with the picture's size.
  static RECT PictureRect(int32_t layout, int32_t w, int32_t h, int32_t bw, int32_t bh);
  // The background picture as the panel holds it; null for none.
  HBITMAP Picture() { return BackgroundPicture().get(); }
  int32_t PictureWidth() const { return _bitmapwidth; }
  bool PictureHasAlpha() const { return _hasalpha != 0; }  // blended per pixel
  float Alpha() const { return _alpha; }

 protected:
  // Makes the native windows: a plain panel is one window of the driver's class.
  virtual void Build(const GadgetRef& group, int32_t given);

 private:
  LRESULT PaintBackground(HDC dc, HWND hwnd);
  void FillBackground(HDC target, HWND hwnd, const RECT& update);
  void DrawPicture(HDC target, int32_t w, int32_t h);
  void DrawPictureAt(HDC target, HDC picture, const RECT& place);

  float _alpha = 1.0f;  // opacity of the panel's own painting
  int32_t _bitmapwidth = 0;
  int32_t _bitmapheight = 0;
  int32_t _bitmapflags = 0;  // picture layout in the low three bits (PANELPIXMAP_*)
  int32_t _hasalpha = 0;     // 1: the picture is premultiplied and blended per pixel
};

}  // namespace quardeln
