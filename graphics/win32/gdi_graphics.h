// The Windows back end of the graphics: a back buffer (a 32-bit DIB section of the
// window's size in pixels, at its DPI) drawn with GDI. Opaque drawing goes straight into
// the buffer; what is translucent is drawn as a coverage mask and blended with AlphaBlend,
// as pixmaps are. Present copies the buffer to the window, and the window's WM_PAINT
// copies it again (PaintTo), so what was drawn survives being covered. Every native object
// is held by an owner of runtime/win32/native_owner.h; Release lets go of all of them.
#pragma once

#include "runtime/win32/windows_api.h"
//
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/graphics.h"

namespace quardeln {

class TGdiGraphics final : public TGraphics {
 public:
  // Present shows the buffer in `window`; null keeps it off screen.
  explicit TGdiGraphics(HWND window);
  ~TGdiGraphics() override;
  TGdiGraphics(const TGdiGraphics&) = delete;
  TGdiGraphics& operator=(const TGdiGraphics&) = delete;

  // A buffer of w x h pixels at `dpi`: what was drawn stays where both overlap, the rest
  // is white. Negative sizes count as 0.
  void Resize(int32_t pixelWidth, int32_t pixelHeight, int32_t dpi);
  // Lets go of the buffer and every native object; the context draws nothing afterwards.
  void Release();
  // The buffer's `area` (pixels) copied to the same place of `dc`.
  void PaintTo(HDC dc, const RECT& area) const;

  int32_t Dpi() const { return dpi_; }
  int32_t PixelWidth() const;
  int32_t PixelHeight() const;
  // A pixel of the buffer as 0xRRGGBB; 0 outside it.
  uint32_t PixelAt(int32_t x, int32_t y) const;

 protected:
  void DoClear(const TPen& pen) override;
  void DoPlot(const TPen& pen, int32_t x, int32_t y) override;
  void DoLine(const TPen& pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void DoRect(const TPen& pen, const TGraphicsRect& rect, bool filled) override;
  void DoOval(const TPen& pen, const TGraphicsRect& rect, bool filled) override;
  void DoPolygon(const TPen& pen, const std::vector<TGraphicsPoint>& points, bool filled) override;
  void DoString(const TPen& pen, const std::u16string& text, int32_t x, int32_t y) override;
  TGraphicsPoint DoMeasure(const GraphicsFontRef* font, const std::u16string& text) override;
  void DoPixmap(const TPen& pen, const PixmapRef& pixmap, const TGraphicsRect& place) override;
  void DoPresent() override;

 private:
  class TSurface;

  int32_t Px(int32_t units) const;
  RECT PixelRect(const TGraphicsRect& rect) const;
  int32_t PenWidth() const;
  // Runs `paint` (which draws with a surface and a colour) opaque into the buffer, or,
  // for a translucent pen, as a white-on-black mask inside `bounds` that is blended.
  template <typename Paint>
  void Draw(const TPen& pen, const RECT& bounds, Paint paint);
  void Blend(const TPen& pen, const RECT& box);
  // The scratch surface, at least w x h pixels.
  TSurface& Scratch(int32_t w, int32_t h);

  HWND window_;
  int32_t dpi_ = 96;
  std::unique_ptr<TSurface> buffer_;
  std::unique_ptr<TSurface> scratch_;  // masks and pixmaps on their way to AlphaBlend
};

}  // namespace quardeln
