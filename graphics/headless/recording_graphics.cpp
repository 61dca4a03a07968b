#include "graphics/headless/recording_graphics.h"

namespace quardeln {

int32_t TRecordingGraphics::LineHeight(int32_t points) {
  return (points * 96 + 36) / 72;
}

TDrawing& TRecordingGraphics::Record(TDrawKind kind, const TPen& pen, const TGraphicsRect& rect) {
  TDrawing& drawing = drawings_.emplace_back();
  drawing.kind = kind;
  drawing.rgb = pen.rgb;
  drawing.alpha = pen.alpha;
  drawing.rect = rect;
  drawing.clip = pen.clip;
  if (pen.font) drawing.font = *pen.font;
  return drawing;
}

void TRecordingGraphics::DoClear(const TPen& pen) {
  Record(TDrawKind::kClear, pen, pen.clip);
}

void TRecordingGraphics::DoPlot(const TPen& pen, int32_t x, int32_t y) {
  Record(TDrawKind::kPlot, pen, {x, y, 1, 1});
}

void TRecordingGraphics::DoLine(const TPen& pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Record(TDrawKind::kLine, pen, {x1, y1, x2, y2});
}

void TRecordingGraphics::DoRect(const TPen& pen, const TGraphicsRect& rect, bool filled) {
  Record(TDrawKind::kRect, pen, rect).filled = filled;
}

void TRecordingGraphics::DoOval(const TPen& pen, const TGraphicsRect& rect, bool filled) {
  Record(TDrawKind::kOval, pen, rect).filled = filled;
}

void TRecordingGraphics::DoPolygon(const TPen& pen, const std::vector<TGraphicsPoint>& points,
                                   bool filled) {
  TDrawing& drawing = Record(TDrawKind::kPolygon, pen, {});
  drawing.filled = filled;
  drawing.points = points;
}

void TRecordingGraphics::DoString(const TPen& pen, const std::u16string& text, int32_t x,
                                  int32_t y) {
  const TGraphicsPoint size = DoMeasure(pen.font, text);
  Record(TDrawKind::kString, pen, {x, y, size.x, size.y}).text = text;
}

TGraphicsPoint TRecordingGraphics::DoMeasure(const GraphicsFontRef* font,
                                             const std::u16string& text) {
  const int32_t height = LineHeight(font && *font ? (*font)->FontPoints() : 8);
  return {static_cast<int32_t>(text.size()) * height / 2, height};
}

void TRecordingGraphics::DoPixmap(const TPen& pen, const PixmapRef& pixmap,
                                  const TGraphicsRect& place) {
  Record(TDrawKind::kPixmap, pen, place).pixmap = pixmap;
}

void TRecordingGraphics::DoPresent() {
  Record(TDrawKind::kPresent, {}, {});
}

}  // namespace quardeln
