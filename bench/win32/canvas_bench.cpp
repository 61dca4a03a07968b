// A canvas's graphics against plain GDI doing the same work into the same kind of buffer,
// in one process: 10,000 lines, 10,000 filled rectangles (each in a colour of its own) and
// 100 presents of a 1920 x 1080 canvas to its window. The floor is what a plain Win32
// program writes for the same pixels: a 32-bit DIB section with a memory DC, the DC pen
// and brush recoloured for each shape, MoveToEx/LineTo plus the end point, PatBlt, and a
// BitBlt to the canvas's own window through GetDC. Rounds alternate between the sides;
// the medians and their ratio (goal: at most 1.3) are printed, and whether both sides
// drew the same pixels.
#include "runtime/win32/windows_api.h"
//
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "graphics/win32/gdi_graphics.h"
#include "gui/quardeln.h"
#include "gui/win32/windows_canvas_panel.h"

namespace {

using namespace quardeln;

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr int kShapes = 10000;
constexpr int kPresents = 100;
constexpr int kRounds = 15;
constexpr double kRatioGoal = 1.3;

double Now() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Shape {
  int32_t x1, y1, x2, y2;  // a line's ends; a rectangle's corner and size
  uint8_t r, g, b;
};

std::vector<Shape> Lines() {
  std::mt19937 random(18);
  std::uniform_int_distribution<int32_t> x(0, kWidth - 1);
  std::uniform_int_distribution<int32_t> y(0, kHeight - 1);
  std::uniform_int_distribution<int> c(0, 255);
  std::vector<Shape> shapes;
  for (int i = 0; i < kShapes; ++i) {
    shapes.push_back({x(random), y(random), x(random), y(random), static_cast<uint8_t>(c(random)),
                      static_cast<uint8_t>(c(random)), static_cast<uint8_t>(c(random))});
  }
  return shapes;
}

std::vector<Shape> Rectangles() {
  std::mt19937 random(81);
  std::uniform_int_distribution<int32_t> x(0, kWidth - 200);
  std::uniform_int_distribution<int32_t> y(0, kHeight - 200);
  std::uniform_int_distribution<int32_t> side(1, 200);
  std::uniform_int_distribution<int> c(0, 255);
  std::vector<Shape> shapes;
  for (int i = 0; i < kShapes; ++i) {
    shapes.push_back({x(random), y(random), side(random), side(random),
                      static_cast<uint8_t>(c(random)), static_cast<uint8_t>(c(random)),
                      static_cast<uint8_t>(c(random))});
  }
  return shapes;
}

// The floor's buffer: a DIB section in a memory DC with the DC pen and brush selected.
class PlainBuffer {
 public:
  PlainBuffer() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, dib_);
    SelectObject(dc_, GetStockObject(DC_PEN));
    SelectObject(dc_, GetStockObject(DC_BRUSH));
    PatBlt(dc_, 0, 0, kWidth, kHeight, WHITENESS);
  }
  ~PlainBuffer() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(dib_);
  }
  PlainBuffer(const PlainBuffer&) = delete;
  PlainBuffer& operator=(const PlainBuffer&) = delete;

  HDC Dc() const { return dc_; }
  uint32_t At(int32_t x, int32_t y) const {
    GdiFlush();
    return bits_[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFF;
  }

 private:
  HBITMAP dib_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void FloorLines(HDC dc, const std::vector<Shape>& lines) {
  for (const Shape& s : lines) {
    const COLORREF colour = RGB(s.r, s.g, s.b);
    SetDCPenColor(dc, colour);
    MoveToEx(dc, s.x1, s.y1, nullptr);
    LineTo(dc, s.x2, s.y2);
    SetPixelV(dc, s.x2, s.y2, colour);
  }
  GdiFlush();
}

void ToolkitLines(TGraphics& g, const std::vector<Shape>& lines) {
  for (const Shape& s : lines) {
    g.SetColor(s.r, s.g, s.b);
    g.Line(s.x1, s.y1, s.x2, s.y2);
  }
  GdiFlush();
}

void FloorRectangles(HDC dc, const std::vector<Shape>& rects) {
  for (const Shape& s : rects) {
    SetDCBrushColor(dc, RGB(s.r, s.g, s.b));
    PatBlt(dc, s.x1, s.y1, s.x2, s.y2, PATCOPY);
  }
  GdiFlush();
}

void ToolkitRectangles(TGraphics& g, const std::vector<Shape>& rects) {
  for (const Shape& s : rects) {
    g.SetColor(s.r, s.g, s.b);
    g.FillRect(s.x1, s.y1, s.x2, s.y2);
  }
  GdiFlush();
}

void FloorPresents(HWND window, HDC buffer) {
  for (int i = 0; i < kPresents; ++i) {
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, kWidth, kHeight, buffer, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
  GdiFlush();
}

void ToolkitPresents(TGraphics& g) {
  for (int i = 0; i < kPresents; ++i) g.Present();
  GdiFlush();
}

bool SamePixels(const TGdiGraphics& toolkit, const PlainBuffer& floor) {
  for (int32_t y = 0; y < kHeight; y += 3) {
    for (int32_t x = 0; x < kWidth; x += 3) {
      if (toolkit.PixelAt(x, y) != floor.At(x, y)) return false;
    }
  }
  return true;
}

template <typename Toolkit, typename Floor>
void Measure(const char* name, Toolkit toolkit, Floor floor, const char* same) {
  std::vector<double> toolkitMs;
  std::vector<double> floorMs;
  for (int round = 0; round < kRounds; ++round) {
    double t0 = Now();
    toolkit();
    toolkitMs.push_back(Now() - t0);
    t0 = Now();
    floor();
    floorMs.push_back(Now() - t0);
  }
  const double t = Median(toolkitMs);
  const double f = Median(floorMs);
  std::printf("%-26s %10.2f %10.2f %7.2f %s%s\n", name, t, f, t / f,
              t / f <= kRatioGoal ? "ok" : "OVER", same);
}

}  // namespace

int main() {
  StartQuardeln();
  const GadgetRef window = NewWindow(u"canvas bench", 0, 0, kWidth, kHeight, nullptr,
                                     WINDOW_TITLEBAR | WINDOW_CLIENTCOORDS);
  const GadgetRef canvas = NewCanvas(0, 0, kWidth, kHeight, window);
  PumpSystemEvents();
  const auto panel = std::dynamic_pointer_cast<TWindowsCanvasPanel>(canvas);
  if (!panel || !panel->Graphics()) {
    std::fprintf(stderr, "no canvas graphics\n");
    return 1;
  }
  TGdiGraphics& g = *panel->Graphics();
  HWND hwnd = reinterpret_cast<HWND>(GadgetQuery(canvas, QUERY_NATIVE));
  std::printf("canvas %d x %d units, buffer %d x %d pixels at %d dpi; %d rounds, medians\n",
              g.Width(), g.Height(), g.PixelWidth(), g.PixelHeight(), g.Dpi(), kRounds);
  if (g.PixelWidth() != kWidth || g.PixelHeight() != kHeight) {
    std::fprintf(stderr, "the canvas is not %d x %d pixels\n", kWidth, kHeight);
    return 1;
  }
  {
    // What of the window a copy can reach: Xvfb's screen may be smaller than the canvas.
    HDC dc = GetDC(hwnd);
    RECT reach{};
    GetClipBox(dc, &reach);
    ReleaseDC(hwnd, dc);
    std::printf("the window's DC reaches %ld x %ld pixels of it\n", reach.right - reach.left,
                reach.bottom - reach.top);
  }
  const PlainBuffer plain;
  const std::vector<Shape> lines = Lines();
  const std::vector<Shape> rects = Rectangles();

  std::printf("%-26s %10s %10s %7s\n", "work", "toolkit ms", "floor ms", "ratio");
  g.Clear(255, 255, 255);
  ToolkitLines(g, lines);
  FloorLines(plain.Dc(), lines);
  const char* sameLines = SamePixels(g, plain) ? "" : "  (pixels differ)";
  Measure(
      "10,000 lines", [&] { ToolkitLines(g, lines); }, [&] { FloorLines(plain.Dc(), lines); },
      sameLines);
  ToolkitRectangles(g, rects);
  FloorRectangles(plain.Dc(), rects);
  const char* sameRects = SamePixels(g, plain) ? "" : "  (pixels differ)";
  Measure(
      "10,000 filled rectangles", [&] { ToolkitRectangles(g, rects); },
      [&] { FloorRectangles(plain.Dc(), rects); }, sameRects);
  Measure(
      "100 presents, 1920 x 1080", [&] { ToolkitPresents(g); },
      [&] { FloorPresents(hwnd, plain.Dc()); }, "");
  GadgetFree(window);
  PumpSystemEvents();
  return 0;
}
