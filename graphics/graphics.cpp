#include "graphics/graphics.h"

#include <algorithm>

namespace quardeln {

int32_t DefaultGraphicsFlags = 0;

namespace {

uint32_t Rgb(int32_t red, int32_t green, int32_t blue) {
  const auto byte = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return byte(red) << 16 | byte(green) << 8 | byte(blue);
}

}  // namespace

TGraphicsRect TGraphicsRect::Intersect(const TGraphicsRect& other) const {
  const int64_t left = std::max(x, other.x);
  const int64_t top = std::max(y, other.y);
  const int64_t right = std::min(int64_t{x} + w, int64_t{other.x} + other.w);
  const int64_t bottom = std::min(int64_t{y} + h, int64_t{other.y} + other.h);
  if (right <= left || bottom <= top)
    return {static_cast<int32_t>(left), static_cast<int32_t>(top)};
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
          static_cast<int32_t>(bottom - top)};
}

std::intptr_t TGraphicsFont::NativeFontFor(int32_t) {
  return 0;
}

GraphicsRef AsGraphics(const ObjectRef& object) {
  return std::dynamic_pointer_cast<TGraphics>(object);
}

void TGraphics::SetColor(int32_t red, int32_t green, int32_t blue) {
  rgb_ = Rgb(red, green, blue);
}

void TGraphics::SetAlpha(float alpha) {
  alpha_ = std::clamp(alpha, 0.0f, 1.0f);
}

void TGraphics::SetFont(GraphicsFontRef font) {
  font_ = std::move(font);
}

void TGraphics::SetOrigin(int32_t x, int32_t y) {
  origin_ = {x, y};
}

void TGraphics::SetClip(int32_t x, int32_t y, int32_t w, int32_t h) {
  clip_ = {x, y, std::max(w, 0), std::max(h, 0)};
  clipped_ = true;
}

void TGraphics::ResetClip() {
  clipped_ = false;
}

void TGraphics::SetSize(int32_t w, int32_t h) {
  width_ = std::max(w, 0);
  height_ = std::max(h, 0);
}

void TGraphics::SurfaceGone() {
  SetSize(0, 0);
  font_.reset();
  defaultFont_.reset();
}

const GraphicsFontRef* TGraphics::Font() const {
  if (font_) return &font_;
  return defaultFont_ ? &defaultFont_ : nullptr;
}

bool TGraphics::Ready(TPen& pen) const {
  const TGraphicsRect surface{0, 0, width_, height_};
  pen.clip = clipped_ ? clip_.Intersect(surface) : surface;
  pen.rgb = rgb_;
  pen.alpha = alpha_;
  pen.font = Font();
  return alpha_ > 0.0f && !pen.clip.Empty();
}

void TGraphics::Clear(int32_t red, int32_t green, int32_t blue) {
  TPen pen;
  Ready(pen);
  if (pen.clip.Empty()) return;
  pen.rgb = Rgb(red, green, blue);
  pen.alpha = 1.0f;
  DoClear(pen);
}

void TGraphics::Plot(int32_t x, int32_t y) {
  TPen pen;
  if (Ready(pen)) DoPlot(pen, x + origin_.x, y + origin_.y);
}

void TGraphics::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  TPen pen;
  if (Ready(pen)) DoLine(pen, x1 + origin_.x, y1 + origin_.y, x2 + origin_.x, y2 + origin_.y);
}

void TGraphics::Shape(int32_t x, int32_t y, int32_t w, int32_t h, bool oval, bool filled) {
  TPen pen;
  if (w <= 0 || h <= 0 || !Ready(pen)) return;
  const TGraphicsRect rect{x + origin_.x, y + origin_.y, w, h};
  if (oval) {
    DoOval(pen, rect, filled);
  } else {
    DoRect(pen, rect, filled);
  }
}

void TGraphics::DrawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  Shape(x, y, w, h, false, false);
}
void TGraphics::FillRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  Shape(x, y, w, h, false, true);
}
void TGraphics::DrawOval(int32_t x, int32_t y, int32_t w, int32_t h) {
  Shape(x, y, w, h, true, false);
}
void TGraphics::FillOval(int32_t x, int32_t y, int32_t w, int32_t h) {
  Shape(x, y, w, h, true, true);
}

void TGraphics::Polygon(const std::vector<TGraphicsPoint>& points, bool filled) {
  TPen pen;
  if (points.size() < 3 || !Ready(pen)) return;
  std::vector<TGraphicsPoint> placed(points);
  for (TGraphicsPoint& point : placed) {
    point.x += origin_.x;
    point.y += origin_.y;
  }
  DoPolygon(pen, placed, filled);
}

void TGraphics::DrawPolygon(const std::vector<TGraphicsPoint>& points) {
  Polygon(points, false);
}
void TGraphics::FillPolygon(const std::vector<TGraphicsPoint>& points) {
  Polygon(points, true);
}

void TGraphics::DrawString(const std::u16string& text, int32_t x, int32_t y) {
  TPen pen;
  if (!text.empty() && Ready(pen)) DoString(pen, text, x + origin_.x, y + origin_.y);
}

int32_t TGraphics::TextWidth(const std::u16string& text) {
  return text.empty() ? 0 : DoMeasure(Font(), text).x;
}

int32_t TGraphics::TextHeight(const std::u16string& text) {
  return DoMeasure(Font(), text.empty() ? u" " : text).y;
}

void TGraphics::DrawPixmap(const PixmapRef& pixmap, int32_t x, int32_t y) {
  if (pixmap) DrawPixmap(pixmap, x, y, pixmap->Width(), pixmap->Height());
}

void TGraphics::DrawPixmap(const PixmapRef& pixmap, int32_t x, int32_t y, int32_t w, int32_t h) {
  TPen pen;
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return;
  if (w <= 0 || h <= 0 || !Ready(pen)) return;
  DoPixmap(pen, pixmap, {x + origin_.x, y + origin_.y, w, h});
}

void TGraphics::Present() {
  if (width_ > 0 && height_ > 0) DoPresent();
}

}  // namespace quardeln
