// A graphics context: a surface of the toolkit's units (1/96 inch) that a program draws on
// whenever it likes, and then presents. The drawing state (colour, alpha, font, origin and
// clip rectangle) lives here and is the same on every platform; a back end (the platform's,
// or the headless recorder) is handed each call with that state resolved. Positions are
// moved by the origin and everything is cut to the clip rectangle and the surface. A
// context whose surface is gone (its canvas was freed) has size 0 and draws nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pixmap/pixmap.h"
#include "runtime/object.h"

namespace quardeln {

// The flags a canvas's graphics is attached with (NewCanvas). No flag has a meaning yet.
extern int32_t DefaultGraphicsFlags;

struct TGraphicsPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const TGraphicsPoint&) const = default;
};

struct TGraphicsRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
  TGraphicsRect Intersect(const TGraphicsRect& other) const;
  bool operator==(const TGraphicsRect&) const = default;
};

// A font the graphics can write with. The GUI's fonts are ones (TGuiFont), so the
// graphics never needs to know the GUI: a platform back end asks for the platform's font
// at its DPI, the recorder only for the size.
class TGraphicsFont : public TObject {
 public:
  virtual int32_t FontPoints() const = 0;
  // The platform's font made for `dpi` dots per inch (an HFONT on Windows), kept by this
  // font as long as it lives; 0 where there is none.
  virtual std::intptr_t NativeFontFor(int32_t dpi);
};
using GraphicsFontRef = std::shared_ptr<TGraphicsFont>;

class TGraphics;
using GraphicsRef = std::shared_ptr<TGraphics>;
// The object as a graphics context, or null: what CanvasGetGraphics gives is one.
GraphicsRef AsGraphics(const ObjectRef& object);

class TGraphics : public TObject {
 public:
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // Colour components 0 to 255 (clamped) and alpha 0 (invisible) to 1 (opaque); they
  // hold for everything drawn afterwards, text and pixmaps included (pixmaps take alpha
  // only). At the start: black, opaque.
  void SetColor(int32_t red, int32_t green, int32_t blue);
  void SetAlpha(float alpha);
  // Null goes back to the default font, the GUI's own.
  void SetFont(GraphicsFontRef font);
  // Where (0, 0) of the drawing calls is on the surface.
  void SetOrigin(int32_t x, int32_t y);
  // Drawing is cut to this rectangle, in surface coordinates (not moved by the origin);
  // ResetClip lets it reach the whole surface again.
  void SetClip(int32_t x, int32_t y, int32_t w, int32_t h);
  void ResetClip();

  // The clip rectangle filled with the colour, opaque whatever the alpha.
  void Clear(int32_t red, int32_t green, int32_t blue);
  // One unit square at (x, y).
  void Plot(int32_t x, int32_t y);
  // Both end points are drawn.
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // Rectangles and ovals cover the w x h unit squares from (x, y); the outline lies inside.
  void DrawRect(int32_t x, int32_t y, int32_t w, int32_t h);
  void FillRect(int32_t x, int32_t y, int32_t w, int32_t h);
  void DrawOval(int32_t x, int32_t y, int32_t w, int32_t h);
  void FillOval(int32_t x, int32_t y, int32_t w, int32_t h);
  // A closed polygon; fewer than three points draw nothing.
  void DrawPolygon(const std::vector<TGraphicsPoint>& points);
  void FillPolygon(const std::vector<TGraphicsPoint>& points);
  // One line of text whose top-left corner is (x, y), in the current font and colour.
  void DrawString(const std::u16string& text, int32_t x, int32_t y);
  int32_t TextWidth(const std::u16string& text);
  int32_t TextHeight(const std::u16string& text);
  // The pixmap at (x, y) at its own size (one pixel a unit), or scaled to w x h; its own
  // alpha and the current alpha both apply.
  void DrawPixmap(const PixmapRef& pixmap, int32_t x, int32_t y);
  void DrawPixmap(const PixmapRef& pixmap, int32_t x, int32_t y, int32_t w, int32_t h);
  // Shows what has been drawn.
  void Present();

  const GraphicsFontRef& DefaultFont() const { return defaultFont_; }
  void SetDefaultFont(GraphicsFontRef font) { defaultFont_ = std::move(font); }

 protected:
  // The state a back end draws with: colour 0xRRGGBB, alpha above 0, the font (null for
  // the back end's own default) and the clip in surface coordinates, never empty.
  struct TPen {
    uint32_t rgb = 0;
    float alpha = 1.0f;
    const GraphicsFontRef* font = nullptr;
    TGraphicsRect clip;
  };

  TGraphics() = default;
  // The back end's surface is w x h units now.
  void SetSize(int32_t w, int32_t h);
  // The surface is gone for good: the size is 0 x 0 and the fonts are let go, so that a
  // context a program still holds keeps nothing of the canvas's alive.
  void SurfaceGone();

  // Coordinates below are in surface units, the origin applied. Rectangles are not empty.
  virtual void DoClear(const TPen& pen) = 0;
  virtual void DoPlot(const TPen& pen, int32_t x, int32_t y) = 0;
  virtual void DoLine(const TPen& pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  virtual void DoRect(const TPen& pen, const TGraphicsRect& rect, bool filled) = 0;
  virtual void DoOval(const TPen& pen, const TGraphicsRect& rect, bool filled) = 0;
  virtual void DoPolygon(const TPen& pen, const std::vector<TGraphicsPoint>& points,
                         bool filled) = 0;
  virtual void DoString(const TPen& pen, const std::u16string& text, int32_t x, int32_t y) = 0;
  // Width and height of the text in units; `font` may be null (the default).
  virtual TGraphicsPoint DoMeasure(const GraphicsFontRef* font, const std::u16string& text) = 0;
  virtual void DoPixmap(const TPen& pen, const PixmapRef& pixmap, const TGraphicsRect& place) = 0;
  virtual void DoPresent() = 0;

 private:
  // The pen for the next call; false when nothing would be drawn.
  bool Ready(TPen& pen) const;
  const GraphicsFontRef* Font() const;
  void Shape(int32_t x, int32_t y, int32_t w, int32_t h, bool oval, bool filled);
  void Polygon(const std::vector<TGraphicsPoint>& points, bool filled);

  int32_t width_ = 0;
  int32_t height_ = 0;
  uint32_t rgb_ = 0;
  float alpha_ = 1.0f;
  GraphicsFontRef font_;
  GraphicsFontRef defaultFont_;
  TGraphicsPoint origin_;
  TGraphicsRect clip_;
  bool clipped_ = false;  // clip_ holds; otherwise the whole surface
};

}  // namespace quardeln
