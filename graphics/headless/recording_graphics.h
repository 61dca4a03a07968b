// The headless back end: a graphics context that keeps a record of every call that would
// have drawn, with the state it drew with, so tests can read what a program drew. Text is
// measured by a fixed rule (a line is as high as the font's size in units, each character
// half that wide), close enough to a real font for layouts and exact for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/graphics.h"

namespace quardeln {

enum class TDrawKind { kClear, kPlot, kLine, kRect, kOval, kPolygon, kString, kPixmap, kPresent };

// One recorded call. Coordinates are the surface's (origin applied): a line runs from
// (rect.x, rect.y) to (rect.w, rect.h); a plot or a string is at (rect.x, rect.y).
struct TDrawing {
  TDrawKind kind = TDrawKind::kClear;
  bool filled = false;
  uint32_t rgb = 0;  // 0xRRGGBB
  float alpha = 1.0f;
  TGraphicsRect rect;
  TGraphicsRect clip;
  std::vector<TGraphicsPoint> points;
  std::u16string text;
  GraphicsFontRef font;  // null for the default
  PixmapRef pixmap;
};

class TRecordingGraphics final : public TGraphics {
 public:
  TRecordingGraphics(int32_t w, int32_t h) { Resize(w, h); }

  void Resize(int32_t w, int32_t h) { SetSize(w, h); }
  // The surface is gone: nothing is recorded any more.
  void Release() { SurfaceGone(); }

  const std::vector<TDrawing>& Drawings() const { return drawings_; }
  void Forget() { drawings_.clear(); }

  // The rule's measures for a font of `points` (8 without a font).
  static int32_t LineHeight(int32_t points);

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
  TDrawing& Record(TDrawKind kind, const TPen& pen, const TGraphicsRect& rect);

  std::vector<TDrawing> drawings_;
};

}  // namespace quardeln
