#include "graphics/win32/gdi_graphics.h"

#include <algorithm>
#include <cstring>

#include "runtime/dpi_scale.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF ColourOf(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

LPCWSTR Wide(const std::u16string& text) {
  return reinterpret_cast<LPCWSTR>(text.c_str());
}

uint32_t AlphaByte(float alpha) {
  return static_cast<uint32_t>(alpha * 255.0f + 0.5f);
}

// A top-down 32-bit DIB section of w x h pixels; `bits` is its first pixel.
HBITMAP MakeDib(int32_t w, int32_t h, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  *bits = dib ? static_cast<uint32_t*>(memory) : nullptr;
  return dib;
}

}  // namespace

// A DIB section with a memory DC to draw into it, and the GDI state last set on that DC,
// so that a run of calls in one colour sets it once. The system's DC pen and DC brush are
// selected for good; a wider pen (above 96 dots per inch) and the font are ours while
// selected, and leave the DC before it is deleted.
class TGdiGraphics::TSurface {
 public:
  TSurface(int32_t w, int32_t h)
      : width_(std::max(w, 1)),
        height_(std::max(h, 1)),
        bitmap_(MakeDib(width_, height_, &bits_)),
        dc_(nullptr, bitmap_.get()),
        pen_(dc_.get(), GetStockObject(DC_PEN)),
        brush_(dc_.get(), GetStockObject(DC_BRUSH)) {
    if (!Valid()) return;
    SetBkMode(dc_.get(), TRANSPARENT);
    std::fill_n(bits_, static_cast<size_t>(width_) * height_, 0xFFFFFFu);
  }
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  bool Valid() const { return bits_ && dc_; }
  HDC Dc() const { return dc_.get(); }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  uint32_t* Row(int32_t y) const { return bits_ + static_cast<size_t>(y) * width_; }

  void Clip(const RECT& clip) {
    if (clipped_ && EqualRect(&clip, &clip_)) return;
    SelectClipRgn(dc_.get(), nullptr);
    IntersectClipRect(dc_.get(), clip.left, clip.top, clip.right, clip.bottom);
    clip_ = clip;
    clipped_ = true;
  }
  void NoClip() {
    if (!clipped_) return;
    SelectClipRgn(dc_.get(), nullptr);
    clipped_ = false;
  }

  void Pen(COLORREF colour, int32_t width) {
    if (colour == penColour_ && width == penWidth_) return;
    penColour_ = colour;
    penWidth_ = width;
    widePenSelected_.reset();
    widePen_.reset();
    if (width > 1) {
      // Inside the frame, so that outlines keep within their rectangle at every DPI.
      widePen_.reset(CreatePen(PS_INSIDEFRAME, width, colour));
      widePenSelected_ = std::make_unique<TSelectedObject>(dc_.get(), widePen_.get());
    } else {
      SetDCPenColor(dc_.get(), colour);
    }
  }
  void Brush(COLORREF colour) {
    if (colour == brushColour_) return;
    brushColour_ = colour;
    SetDCBrushColor(dc_.get(), colour);
  }
  void Text(COLORREF colour) {
    if (colour == textColour_) return;
    textColour_ = colour;
    SetTextColor(dc_.get(), colour);
  }
  // The font for `dpi`; the system's GUI font (a stock object) where there is none.
  void Font(const GraphicsFontRef* font, int32_t dpi) {
    const GraphicsFontRef wanted = font ? *font : nullptr;
    HFONT native = wanted ? reinterpret_cast<HFONT>(wanted->NativeFontFor(dpi)) : nullptr;
    if (!native) native = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (native == selectedFont_) return;
    fontSelected_.reset();
    font_ = wanted;  // keeps the native font alive while it is selected
    fontSelected_ = std::make_unique<TSelectedObject>(dc_.get(), native);
    selectedFont_ = native;
  }

 private:
  int32_t width_;
  int32_t height_;
  uint32_t* bits_ = nullptr;  // set by MakeDib before bitmap_ holds the DIB
  UniqueBitmap bitmap_;
  TMemoryDc dc_;
  TSelectedObject pen_;
  TSelectedObject brush_;
  UniquePen widePen_;
  std::unique_ptr<TSelectedObject> widePenSelected_;  // after widePen_: leaves the DC first
  GraphicsFontRef font_;
  std::unique_ptr<TSelectedObject> fontSelected_;  // after font_, likewise
  HFONT selectedFont_ = nullptr;
  COLORREF penColour_ = CLR_INVALID;
  int32_t penWidth_ = 1;
  COLORREF brushColour_ = CLR_INVALID;
  COLORREF textColour_ = CLR_INVALID;
  RECT clip_{};
  bool clipped_ = false;
};

TGdiGraphics::TGdiGraphics(HWND window) : window_(window) {}

TGdiGraphics::~TGdiGraphics() = default;

void TGdiGraphics::Resize(int32_t pixelWidth, int32_t pixelHeight, int32_t dpi) {
  pixelWidth = std::max(pixelWidth, 0);
  pixelHeight = std::max(pixelHeight, 0);
  dpi_ = dpi > 0 ? dpi : kUnitDpi;
  if (buffer_ && buffer_->Width() == std::max(pixelWidth, 1) &&
      buffer_->Height() == std::max(pixelHeight, 1)) {
    SetSize(PixelsToUnits(pixelWidth, dpi_), PixelsToUnits(pixelHeight, dpi_));
    return;
  }
  auto resized = std::make_unique<TSurface>(pixelWidth, pixelHeight);
  if (!resized->Valid()) {
    Release();
    return;
  }
  if (buffer_) {
    buffer_->NoClip();
    BitBlt(resized->Dc(), 0, 0, std::min(buffer_->Width(), resized->Width()),
           std::min(buffer_->Height(), resized->Height()), buffer_->Dc(), 0, 0, SRCCOPY);
  }
  buffer_ = std::move(resized);
  SetSize(PixelsToUnits(pixelWidth, dpi_), PixelsToUnits(pixelHeight, dpi_));
}

void TGdiGraphics::Release() {
  scratch_.reset();
  buffer_.reset();
  SurfaceGone();
}

void TGdiGraphics::PaintTo(HDC dc, const RECT& area) const {
  if (!buffer_) return;
  buffer_->NoClip();
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer_->Dc(),
         area.left, area.top, SRCCOPY);
}

int32_t TGdiGraphics::PixelWidth() const {
  return buffer_ ? buffer_->Width() : 0;
}

int32_t TGdiGraphics::PixelHeight() const {
  return buffer_ ? buffer_->Height() : 0;
}

uint32_t TGdiGraphics::PixelAt(int32_t x, int32_t y) const {
  if (!buffer_ || x < 0 || y < 0 || x >= buffer_->Width() || y >= buffer_->Height()) return 0;
  GdiFlush();
  return buffer_->Row(y)[x] & 0xFFFFFFu;
}

int32_t TGdiGraphics::Px(int32_t units) const {
  return UnitsToPixels(units, dpi_);
}

RECT TGdiGraphics::PixelRect(const TGraphicsRect& rect) const {
  return {Px(rect.x), Px(rect.y), Px(rect.x + rect.w), Px(rect.y + rect.h)};
}

// A unit wide, never less than a pixel.
int32_t TGdiGraphics::PenWidth() const {
  return std::max(Px(1), 1);
}

TGdiGraphics::TSurface& TGdiGraphics::Scratch(int32_t w, int32_t h) {
  if (!scratch_ || scratch_->Width() < w || scratch_->Height() < h) {
    const int32_t width = std::max(w, scratch_ ? scratch_->Width() : 0);
    const int32_t height = std::max(h, scratch_ ? scratch_->Height() : 0);
    scratch_ = std::make_unique<TSurface>(width, height);
  }
  return *scratch_;
}

template <typename Paint>
void TGdiGraphics::Draw(const TPen& pen, const RECT& bounds, Paint paint) {
  if (!buffer_) return;
  const RECT clip = PixelRect(pen.clip);
  if (pen.alpha >= 1.0f) {
    buffer_->Clip(clip);
    paint(*buffer_, ColourOf(pen.rgb));
    return;
  }
  RECT box{};
  if (!IntersectRect(&box, &bounds, &clip)) return;
  TSurface& mask = Scratch(box.right - box.left, box.bottom - box.top);
  if (!mask.Valid()) return;
  PatBlt(mask.Dc(), 0, 0, box.right - box.left, box.bottom - box.top, BLACKNESS);
  SetWindowOrgEx(mask.Dc(), box.left, box.top, nullptr);
  paint(mask, kWhite);
  SetWindowOrgEx(mask.Dc(), 0, 0, nullptr);
  Blend(pen, box);
}

// The mask's coverage becomes the pen's colour, premultiplied by coverage and alpha, and
// is blended over the buffer.
void TGdiGraphics::Blend(const TPen& pen, const RECT& box) {
  const int32_t w = box.right - box.left;
  const int32_t h = box.bottom - box.top;
  GdiFlush();
  const uint32_t alpha = AlphaByte(pen.alpha);
  const uint32_t red = (pen.rgb >> 16) & 0xFF;
  const uint32_t green = (pen.rgb >> 8) & 0xFF;
  const uint32_t blue = pen.rgb & 0xFF;
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* row = scratch_->Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t a = ((row[x] >> 8) & 0xFF) * alpha / 255;
      row[x] = a << 24 | (red * a / 255) << 16 | (green * a / 255) << 8 | (blue * a / 255);
    }
  }
  buffer_->Clip(box);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(buffer_->Dc(), box.left, box.top, w, h, scratch_->Dc(), 0, 0, w, h, blend);
}

void TGdiGraphics::DoClear(const TPen& pen) {
  const RECT area = PixelRect(pen.clip);
  Draw(pen, area, [&](TSurface& s, COLORREF colour) {
    s.Brush(colour);
    PatBlt(s.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, PATCOPY);
  });
}

void TGdiGraphics::DoPlot(const TPen& pen, int32_t x, int32_t y) {
  const RECT square = PixelRect({x, y, 1, 1});
  Draw(pen, square, [&](TSurface& s, COLORREF colour) {
    s.Brush(colour);
    PatBlt(s.Dc(), square.left, square.top, square.right - square.left, square.bottom - square.top,
           PATCOPY);
  });
}

void TGdiGraphics::DoLine(const TPen& pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const POINT from{Px(x1), Px(y1)};
  const POINT to{Px(x2), Px(y2)};
  const int32_t width = PenWidth();
  const RECT bounds{std::min(from.x, to.x) - width, std::min(from.y, to.y) - width,
                    std::max(from.x, to.x) + width + 1, std::max(from.y, to.y) + width + 1};
  Draw(pen, bounds, [&](TSurface& s, COLORREF colour) {
    s.Pen(colour, width);
    MoveToEx(s.Dc(), from.x, from.y, nullptr);
    LineTo(s.Dc(), to.x, to.y);
    // GDI leaves a thin line's last point out; a wide pen's round end covers it.
    if (width == 1) SetPixelV(s.Dc(), to.x, to.y, colour);
  });
}

void TGdiGraphics::DoRect(const TPen& pen, const TGraphicsRect& rect, bool filled) {
  const RECT r = PixelRect(rect);
  const int32_t t = PenWidth();
  Draw(pen, r, [&](TSurface& s, COLORREF colour) {
    s.Brush(colour);
    HDC dc = s.Dc();
    const int32_t w = r.right - r.left;
    const int32_t h = r.bottom - r.top;
    if (filled || w <= 2 * t || h <= 2 * t) {
      PatBlt(dc, r.left, r.top, w, h, PATCOPY);
      return;
    }
    PatBlt(dc, r.left, r.top, w, t, PATCOPY);
    PatBlt(dc, r.left, r.bottom - t, w, t, PATCOPY);
    PatBlt(dc, r.left, r.top + t, t, h - 2 * t, PATCOPY);
    PatBlt(dc, r.right - t, r.top + t, t, h - 2 * t, PATCOPY);
  });
}

void TGdiGraphics::DoOval(const TPen& pen, const TGraphicsRect& rect, bool filled) {
  const RECT r = PixelRect(rect);
  const int32_t width = PenWidth();
  Draw(pen, r, [&](TSurface& s, COLORREF colour) {
    s.Pen(colour, width);
    s.Brush(colour);
    // A thin pen's ellipse ends a pixel short of its rectangle's right and bottom.
    const int32_t grow = width == 1 ? 1 : 0;
    if (filled) {
      Ellipse(s.Dc(), r.left, r.top, r.right + grow, r.bottom + grow);
      return;
    }
    const TSelectedObject hollow(s.Dc(), GetStockObject(NULL_BRUSH));
    Ellipse(s.Dc(), r.left, r.top, r.right + grow, r.bottom + grow);
  });
}

void TGdiGraphics::DoPolygon(const TPen& pen, const std::vector<TGraphicsPoint>& points,
                             bool filled) {
  std::vector<POINT> corners;
  corners.reserve(points.size());
  RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  const int32_t width = PenWidth();
  for (const TGraphicsPoint& point : points) {
    const POINT corner{Px(point.x), Px(point.y)};
    corners.push_back(corner);
    bounds.left = std::min(bounds.left, corner.x - width);
    bounds.top = std::min(bounds.top, corner.y - width);
    bounds.right = std::max(bounds.right, corner.x + width + 1);
    bounds.bottom = std::max(bounds.bottom, corner.y + width + 1);
  }
  Draw(pen, bounds, [&](TSurface& s, COLORREF colour) {
    s.Pen(colour, width);
    s.Brush(colour);
    const int count = static_cast<int>(corners.size());
    if (filled) {
      ::Polygon(s.Dc(), corners.data(), count);
      return;
    }
    const TSelectedObject hollow(s.Dc(), GetStockObject(NULL_BRUSH));
    ::Polygon(s.Dc(), corners.data(), count);
  });
}

void TGdiGraphics::DoString(const TPen& pen, const std::u16string& text, int32_t x, int32_t y) {
  if (!buffer_) return;
  buffer_->Font(pen.font, dpi_);
  SIZE size{};
  GetTextExtentPoint32W(buffer_->Dc(), Wide(text), static_cast<int>(text.size()), &size);
  const RECT bounds{Px(x), Px(y), Px(x) + size.cx, Px(y) + size.cy};
  Draw(pen, bounds, [&](TSurface& s, COLORREF colour) {
    s.Font(pen.font, dpi_);
    s.Text(colour);
    TextOutW(s.Dc(), bounds.left, bounds.top, Wide(text), static_cast<int>(text.size()));
  });
}

TGraphicsPoint TGdiGraphics::DoMeasure(const GraphicsFontRef* font, const std::u16string& text) {
  if (!buffer_) return {};
  buffer_->Font(font, dpi_);
  SIZE size{};
  GetTextExtentPoint32W(buffer_->Dc(), Wide(text), static_cast<int>(text.size()), &size);
  return {PixelsToUnits(size.cx, dpi_), PixelsToUnits(size.cy, dpi_)};
}

// The pixmap goes premultiplied into the scratch surface and is blended from there,
// scaled to its place; the pen's alpha is the blend's constant alpha.
void TGdiGraphics::DoPixmap(const TPen& pen, const PixmapRef& pixmap, const TGraphicsRect& place) {
  if (!buffer_) return;
  const int32_t w = pixmap->Width();
  const int32_t h = pixmap->Height();
  TSurface& source = Scratch(w, h);
  if (!source.Valid()) return;
  GdiFlush();
  // Blue, green, red, alpha in memory is 0xAARRGGBB read as one little-endian word.
  const bool words = pixmap->Format() == PF_BGRA8888;
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* row = source.Row(y);
    const uint8_t* bytes = pixmap->PixelPtr(0, y);
    for (int32_t x = 0; x < w; ++x) {
      uint32_t argb = 0;
      if (words) {
        std::memcpy(&argb, bytes + 4 * x, sizeof(argb));
      } else {
        argb = pixmap->ReadPixel(x, y);
      }
      const uint32_t a = argb >> 24;
      const auto premultiplied = [&](int shift) { return ((argb >> shift) & 0xFF) * a / 255; };
      row[x] = a << 24 | premultiplied(16) << 16 | premultiplied(8) << 8 | premultiplied(0);
    }
  }
  const RECT to = PixelRect(place);
  buffer_->Clip(PixelRect(pen.clip));
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(AlphaByte(pen.alpha)), AC_SRC_ALPHA};
  AlphaBlend(buffer_->Dc(), to.left, to.top, to.right - to.left, to.bottom - to.top, source.Dc(), 0,
             0, w, h, blend);
}

void TGdiGraphics::DoPresent() {
  if (!buffer_ || !window_) return;
  const TWindowDc dc(window_);
  if (!dc) return;
  buffer_->NoClip();
  BitBlt(dc.get(), 0, 0, buffer_->Width(), buffer_->Height(), buffer_->Dc(), 0, 0, SRCCOPY);
}

}  // namespace quardeln
