// Canvases under Wine: known shapes drawn through the graphics context land on known
// pixels of the back buffer; translucent shapes and pixmaps blend; text is measured in
// the canvas's font; Present shows the buffer in the window and WM_PAINT brings it back;
// the buffer follows the canvas's size and its window's DPI.
#include "graphics/win32/gdi_graphics.h"
#include "gui/win32/windows_canvas_panel.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"
#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

class WindowsCanvasTest : public DriverTest {
 protected:
  static void SetUpTestSuite() {
    DriverTest::SetUpTestSuite();
    window_ = Make<TWindowsWindow>(GADGETCLASS_WINDOW, u"Tela", 480, 40, 300, 260, nullptr,
                                   WINDOW_TITLEBAR | WINDOW_CLIENTCOORDS);
  }
  static void TearDownTestSuite() {
    window_->Free();
    window_.reset();
    DriverTest::TearDownTestSuite();
  }
  // A canvas as NewCanvas makes it, with its graphics attached, cleared to white.
  std::shared_ptr<TWindowsCanvasPanel> NewCanvas(int32_t w = 100, int32_t h = 80) {
    auto canvas = Keep(Make<TWindowsCanvasPanel>(GADGETCLASS_CANVAS, u"", 0, 0, w, h, window_, 0));
    canvas->AttachGraphics(DefaultGraphicsFlags);
    PumpPending();
    Graphics(canvas).Clear(255, 255, 255);
    return canvas;
  }
  static TGdiGraphics& Graphics(const std::shared_ptr<TWindowsCanvasPanel>& canvas) {
    return *canvas->Graphics();
  }
  // What the window shows at (x, y), as 0xRRGGBB.
  static uint32_t Shown(HWND hwnd, int32_t x, int32_t y) {
    const TWindowDc dc(hwnd);
    const COLORREF c = GetPixel(dc.get(), x, y);
    return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }

  static inline std::shared_ptr<TWindowsWindow> window_;
};

TEST_F(WindowsCanvasTest, ShapesLandOnTheirPixels) {
  auto canvas = NewCanvas();
  TGdiGraphics& g = Graphics(canvas);
  ASSERT_EQ(AsGraphics(canvas->CanvasGraphics()).get(), &g);
  EXPECT_EQ(g.Width(), 100);
  EXPECT_EQ(g.PixelWidth(), 100);
  g.SetColor(255, 0, 0);
  g.FillRect(10, 10, 20, 10);
  EXPECT_EQ(g.PixelAt(10, 10), kRed);
  EXPECT_EQ(g.PixelAt(29, 19), kRed);
  EXPECT_EQ(g.PixelAt(30, 10), kWhite);
  EXPECT_EQ(g.PixelAt(10, 20), kWhite);
  g.SetColor(0, 255, 0);
  g.DrawRect(40, 10, 20, 10);
  EXPECT_EQ(g.PixelAt(40, 10), kGreen);
  EXPECT_EQ(g.PixelAt(59, 19), kGreen);
  EXPECT_EQ(g.PixelAt(60, 19), kWhite);
  EXPECT_EQ(g.PixelAt(50, 15), kWhite) << "an outline is hollow";
  g.SetColor(0, 0, 255);
  g.Line(5, 30, 94, 30);
  EXPECT_EQ(g.PixelAt(5, 30), kBlue);
  EXPECT_EQ(g.PixelAt(94, 30), kBlue) << "both ends are drawn";
  EXPECT_EQ(g.PixelAt(95, 30), kWhite);
  g.FillOval(10, 40, 20, 20);
  EXPECT_EQ(g.PixelAt(20, 50), kBlue);
  EXPECT_EQ(g.PixelAt(10, 40), kWhite) << "corners stay outside";
  EXPECT_EQ(g.PixelAt(29, 50), kBlue) << "reaches the right edge";
  g.DrawOval(40, 40, 20, 20);
  EXPECT_EQ(g.PixelAt(50, 50), kWhite);
  EXPECT_EQ(g.PixelAt(40, 50), kBlue);
  g.FillPolygon({{70, 40}, {90, 40}, {70, 60}});
  EXPECT_EQ(g.PixelAt(72, 42), kBlue);
  EXPECT_EQ(g.PixelAt(88, 58), kWhite);

  // Origin and clip.
  g.SetColor(255, 0, 0);
  g.SetOrigin(10, 0);
  g.Plot(0, 70);
  EXPECT_EQ(g.PixelAt(10, 70), kRed);
  EXPECT_EQ(g.PixelAt(0, 70), kWhite);
  g.SetOrigin(0, 0);
  g.SetClip(0, 72, 50, 8);
  g.FillRect(0, 0, 100, 80);
  EXPECT_EQ(g.PixelAt(49, 75), kRed);
  EXPECT_EQ(g.PixelAt(50, 75), kWhite);
  EXPECT_EQ(g.PixelAt(20, 71), kWhite);
  g.Clear(0, 255, 0);
  EXPECT_EQ(g.PixelAt(0, 79), kGreen) << "clears the clip rectangle";
  EXPECT_EQ(g.PixelAt(60, 79), kWhite);
}

TEST_F(WindowsCanvasTest, TranslucentShapesAndPixmapsBlend) {
  auto canvas = NewCanvas();
  TGdiGraphics& g = Graphics(canvas);
  g.SetColor(255, 0, 0);
  g.SetAlpha(0.5f);
  g.FillRect(0, 0, 10, 10);
  EXPECT_TRUE(NearColour(g.PixelAt(5, 5), 0xFF8080, 2)) << std::hex << g.PixelAt(5, 5);
  EXPECT_EQ(g.PixelAt(10, 5), kWhite);
  g.Line(0, 20, 9, 20);
  EXPECT_TRUE(NearColour(g.PixelAt(9, 20), 0xFF8080, 2));
  EXPECT_EQ(g.PixelAt(5, 21), kWhite);

  // Half-transparent blue, at its own size and scaled, then with the pen's alpha too.
  PixmapRef pixmap = TPixmap::Create(2, 2, PF_BGRA8888);
  for (int32_t i = 0; i < 4; ++i) pixmap->WritePixel(i % 2, i / 2, 0x800000FFu);
  g.SetAlpha(1.0f);
  g.DrawPixmap(pixmap, 20, 0);
  EXPECT_TRUE(NearColour(g.PixelAt(21, 1), 0x7F7FFF, 2)) << std::hex << g.PixelAt(21, 1);
  EXPECT_EQ(g.PixelAt(22, 1), kWhite);
  g.DrawPixmap(pixmap, 30, 0, 10, 10);
  EXPECT_TRUE(NearColour(g.PixelAt(39, 9), 0x7F7FFF, 2));
  EXPECT_EQ(g.PixelAt(40, 9), kWhite);
  g.SetAlpha(0.5f);
  g.DrawPixmap(pixmap, 50, 0, 10, 10);
  EXPECT_TRUE(NearColour(g.PixelAt(55, 5), 0xBFBFFF, 2)) << std::hex << g.PixelAt(55, 5);
  PixmapRef opaque = TPixmap::Create(1, 1, PF_RGB888);
  opaque->WritePixel(0, 0, 0xFF00FF00u);
  g.SetAlpha(1.0f);
  g.DrawPixmap(opaque, 70, 0, 4, 4);
  EXPECT_EQ(g.PixelAt(73, 3), kGreen) << "a pixmap without alpha is opaque";
}

TEST_F(WindowsCanvasTest, TextIsMeasuredAndWrittenInTheCanvasFont) {
  auto canvas = NewCanvas(200, 80);
  TGdiGraphics& g = Graphics(canvas);
  const std::u16string text = u"Quardeln";
  SIZE expected{};
  {
    const TWindowDc screen;
    const TSelectedObject font(screen.get(), DefaultGuiFont->NativeFor(96));
    GetTextExtentPoint32W(screen.get(), L"Quardeln", 8, &expected);
  }
  EXPECT_EQ(g.TextWidth(text), expected.cx);
  EXPECT_EQ(g.TextHeight(text), expected.cy);

  const FontRef big = GuiFontLoad(u"Arial", 20, 1, 0, 0);
  g.SetFont(big);
  const int32_t w = g.TextWidth(text);
  const int32_t h = g.TextHeight(text);
  EXPECT_GT(h, expected.cy);
  g.SetColor(0, 0, 0);
  g.DrawString(text, 10, 10);
  int inside = 0;
  int outside = 0;
  for (int32_t y = 0; y < 80; ++y) {
    for (int32_t x = 0; x < 200; ++x) {
      const bool in = x >= 10 && x < 10 + w && y >= 10 && y < 10 + h;
      if (g.PixelAt(x, y) != kWhite) ++(in ? inside : outside);
    }
  }
  EXPECT_GT(inside, 50);
  EXPECT_EQ(outside, 0) << "the text keeps within its measures";
}

TEST_F(WindowsCanvasTest, PresentShowsTheBufferAndPaintingBringsItBack) {
  auto canvas = NewCanvas();
  HWND hwnd = NativeOf(canvas);
  TGdiGraphics& g = Graphics(canvas);
  g.SetColor(0, 0, 255);
  g.FillRect(0, 0, 50, 80);
  RecordedEvents().clear();
  g.Present();
  EXPECT_EQ(Shown(hwnd, 10, 10), kBlue);
  EXPECT_EQ(Shown(hwnd, 60, 10), kWhite);
  PumpPending();
  EXPECT_TRUE(EventsOf(GadgetPaint, canvas).empty()) << "presenting is no paint request";

  {
    const TWindowDc dc(hwnd);
    PatBlt(dc.get(), 0, 0, 100, 80, BLACKNESS);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  EXPECT_EQ(Shown(hwnd, 10, 10), kBlue);
  EXPECT_EQ(Shown(hwnd, 60, 10), kWhite);
  EXPECT_EQ(EventsOf(GadgetPaint, canvas).size(), 1u);
}

TEST_F(WindowsCanvasTest, TheBufferFollowsTheCanvasSize) {
  auto canvas = NewCanvas(60, 40);
  TGdiGraphics& g = Graphics(canvas);
  g.SetColor(255, 0, 0);
  g.FillRect(0, 0, 60, 40);
  canvas->SetShape(0, 0, 120, 90);
  PumpPending();
  EXPECT_EQ(g.Width(), 120);
  EXPECT_EQ(g.Height(), 90);
  EXPECT_EQ(g.PixelAt(59, 39), kRed) << "what was drawn stays";
  EXPECT_EQ(g.PixelAt(100, 80), kWhite);
  canvas->Free();
  EXPECT_EQ(g.Width(), 0) << "the buffer went with the canvas";
  EXPECT_EQ(g.PixelWidth(), 0);
}

// The suite's window is told of 144 dpi and then of 96 again.
void TellDpi(HWND window, int32_t from, int32_t to) {
  const RECT outer = WindowRectOf(window);
  RECT suggested{outer.left * to / from, outer.top * to / from, outer.right * to / from,
                 outer.bottom * to / from};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
  PumpPending();
}

TEST_F(WindowsCanvasTest, TheBufferTakesANewDpiOfItsWindow) {
  auto canvas = NewCanvas(60, 40);
  TellDpi(NativeOf(window_), 96, 144);
  TGdiGraphics& g = Graphics(canvas);
  EXPECT_EQ(g.Dpi(), 144);
  EXPECT_EQ(g.PixelWidth(), 90);
  EXPECT_EQ(g.Width(), 60) << "the program's units stay";
  g.Clear(255, 255, 255);
  g.SetColor(255, 0, 0);
  g.FillRect(10, 10, 10, 10);
  EXPECT_EQ(g.PixelAt(15, 15), kRed);
  EXPECT_EQ(g.PixelAt(29, 29), kRed);
  EXPECT_EQ(g.PixelAt(14, 15), kWhite);
  EXPECT_EQ(g.PixelAt(30, 29), kWhite);
  TellDpi(NativeOf(window_), 144, 96);
  EXPECT_EQ(g.PixelWidth(), 60);
}

}  // namespace
}  // namespace quardeln::test
