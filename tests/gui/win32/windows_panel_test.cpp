// Panel gadgets under Wine: the group box's client area, the panel kinds' native styles,
// canvases reporting paints, and what each panel paints as its background (colour,
// picture layouts, translucency), captured off screen through WM_ERASEBKGND.
#include "gui/win32/windows_panel.h"
#include "gui/win32/windows_canvas_panel.h"
#include "gui/win32/windows_graphic.h"
#include "gui/win32/windows_group_box.h"
#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

// The panels live in one window gadget per suite: its background is what a panel
// without a colour of its own shows.
class WindowsPanelTest : public DriverTest {
 protected:
  static void SetUpTestSuite() {
    DriverTest::SetUpTestSuite();
    window_ = Make<TWindowsWindow>(GADGETCLASS_WINDOW, u"Pannelli", 480, 40, 400, 360, nullptr,
                                   WINDOW_TITLEBAR | WINDOW_CLIENTCOORDS);
  }
  static void TearDownTestSuite() {
    window_->Free();
    window_.reset();
    DriverTest::TearDownTestSuite();
  }
  std::shared_ptr<TWindowsPanel> NewPanel(int32_t style, int32_t w = 300, int32_t h = 300) {
    return Keep(Make<TWindowsPanel>(GADGETCLASS_PANEL, u"Gruppo", 10, 10, w, h, window_, style));
  }
  static PixmapRef Filled(int32_t w, int32_t h, uint32_t argb, int32_t format = PF_RGB888) {
    PixmapRef pixmap = TPixmap::Create(w, h, format);
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) pixmap->WritePixel(x, y, argb);
    }
    return pixmap;
  }

  static inline std::shared_ptr<TWindowsWindow> window_;
};

TEST_F(WindowsPanelTest, GroupBoxKeepsItsKidsInsideTheFrame) {
  auto plain = NewPanel(0, 200, 100);
  auto group = NewPanel(PANEL_GROUP, 200, 100);
  ASSERT_TRUE(plain && group);
  EXPECT_TRUE(std::dynamic_pointer_cast<TWindowsGroupBox>(group));
  EXPECT_EQ(group->ClientWidth(), plain->ClientWidth() - 8);
  EXPECT_EQ(group->ClientHeight(), plain->ClientHeight() - 20);
  EXPECT_EQ(group->ClientWidth(), 192);
  EXPECT_EQ(group->ClientHeight(), 80);
  EXPECT_TRUE(IsWindowVisible(NativeOf(group))) << "shown once placed";
  EXPECT_EQ(group->GetText(), u"Gruppo");
  EXPECT_EQ(StyleOf(NativeOf(group)) & BS_TYPEMASK, BS_GROUPBOX);
  ASSERT_NE(group->ClientHwnd(), nullptr);
  EXPECT_EQ(GetParent(group->ClientHwnd()), NativeOf(group));
  const RECT inner = RectInParent(group->ClientHwnd());
  EXPECT_EQ(inner.left, 4);
  EXPECT_EQ(inner.top, 16);
  EXPECT_EQ(inner.right - inner.left, 192);
  EXPECT_EQ(inner.bottom - inner.top, 80);

  auto button = Keep(Make<TWindowsGadget>(GADGETCLASS_BUTTON, u"Dentro", 0, 0, 60, 20, group, 0));
  const RECT box = WindowRectOf(NativeOf(group));
  const RECT kid = WindowRectOf(NativeOf(button));
  EXPECT_EQ(kid.left - box.left, 4);
  EXPECT_EQ(kid.top - box.top, 16);

  // Resizing the box moves the inner window with it.
  group->SetShape(10, 10, 250, 150);
  PumpPending();
  EXPECT_EQ(ClientRectOf(group->ClientHwnd()).right, 242);
  EXPECT_EQ(ClientRectOf(group->ClientHwnd()).bottom, 130);
}

TEST_F(WindowsPanelTest, PanelKindsAndTheirNativeStyles) {
  auto sunken = NewPanel(PANEL_SUNKEN);
  EXPECT_TRUE(ExStyleOf(NativeOf(sunken)) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(ExStyleOf(NativeOf(sunken)) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(sunken->sensitivity, 0);
  EXPECT_EQ(sunken->ClientHwnd(), nullptr);
  auto active = NewPanel(PANEL_ACTIVE);
  EXPECT_EQ(active->sensitivity, SENSE_MOUSE | SENSE_KEYS);
  auto group = NewPanel(PANEL_GROUP | PANEL_SUNKEN | PANEL_NOERASE);
  EXPECT_TRUE(std::dynamic_pointer_cast<TWindowsGroupBox>(group));
  EXPECT_FALSE(ExStyleOf(NativeOf(group)) & WS_EX_CLIENTEDGE);

  auto canvas = Keep(Make<TWindowsPanel>(GADGETCLASS_CANVAS, u"", 0, 0, 100, 100, window_, 0));
  ASSERT_TRUE(canvas);
  EXPECT_TRUE(std::dynamic_pointer_cast<TWindowsCanvasPanel>(canvas));
  EXPECT_EQ(canvas->sensitivity, SENSE_MOUSE | SENSE_KEYS);
  EXPECT_EQ(CanvasCreated, 1);
  EXPECT_EQ(canvas->CanvasGraphics(), nullptr) << "until graphics are attached";
  EXPECT_EQ(canvas->AttachGraphics(0), nullptr);
  EXPECT_TRUE(AsGraphics(canvas->CanvasGraphics()));
  EXPECT_EQ(sunken->CanvasGraphics(), nullptr) << "a panel that paints itself takes none";
}

TEST_F(WindowsPanelTest, CanvasReportsEachPaintAndErasesNothing) {
  auto canvas = Keep(Make<TWindowsPanel>(GADGETCLASS_CANVAS, u"", 0, 0, 100, 100, window_, 0));
  PumpPending();
  RecordedEvents().clear();
  InvalidateRect(NativeOf(canvas), nullptr, TRUE);
  UpdateWindow(NativeOf(canvas));
  EXPECT_EQ(EventsOf(GadgetPaint, canvas).size(), 1u);
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(NativeOf(canvas), &left, FALSE)) << "the paint was validated";
  InvalidateRect(NativeOf(canvas), nullptr, TRUE);
  UpdateWindow(NativeOf(canvas));
  EXPECT_EQ(EventsOf(GadgetPaint, canvas).size(), 2u);

  canvas->SetColor(255, 0, 0);
  ErasedPixels erased(NativeOf(canvas));
  EXPECT_EQ(erased.answer(), 1);
  EXPECT_EQ(erased.At(50, 50), 0u) << "a canvas paints no background of its own";
}

TEST_F(WindowsPanelTest, BackgroundColourFillsThePanel) {
  auto panel = NewPanel(0, 60, 40);
  panel->SetColor(255, 0, 0);
  ErasedPixels erased(NativeOf(panel));
  EXPECT_EQ(erased.answer(), 1);
  EXPECT_EQ(erased.At(0, 0), kRed);
  EXPECT_EQ(erased.At(59, 39), kRed);
}

TEST_F(WindowsPanelTest, PictureLayoutsPlaceThePicture) {
  // A 100 x 50 picture fitted on square and wide panels.
  auto rect = [](int32_t layout, int32_t w, int32_t h) {
    const RECT r = TWindowsPanel::PictureRect(layout, w, h, 100, 50);
    return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  EXPECT_EQ(rect(PANELPIXMAP_FIT, 300, 300), (std::vector<LONG>{0, 75, 300, 150}));
  EXPECT_EQ(rect(PANELPIXMAP_FITWIDTH, 300, 300), (std::vector<LONG>{0, 75, 300, 150}));
  EXPECT_EQ(rect(PANELPIXMAP_FIT, 300, 100), (std::vector<LONG>{50, 0, 200, 100}));
  EXPECT_EQ(rect(PANELPIXMAP_FITWIDTH, 300, 100), (std::vector<LONG>{0, -25, 300, 150}));
  EXPECT_EQ(rect(PANELPIXMAP_CENTER, 301, 101), (std::vector<LONG>{100, 25, 100, 50}));
  EXPECT_EQ(rect(PANELPIXMAP_STRETCH, 30, 20), (std::vector<LONG>{0, 0, 30, 20}));
}

TEST_F(WindowsPanelTest, PicturesAreDrawnInTheirLayout) {
  auto panel = NewPanel(0, 40, 30);
  panel->SetColor(0, 255, 0);
  PixmapRef blue = Filled(10, 10, 0xFF0000FF);

  panel->SetPixmap(blue, PANELPIXMAP_CENTER);
  EXPECT_EQ(panel->PictureWidth(), 10);
  EXPECT_EQ(panel->PictureHasAlpha(), false);
  {
    ErasedPixels erased(NativeOf(panel));
    EXPECT_EQ(erased.At(20, 15), kBlue);
    EXPECT_EQ(erased.At(15, 10), kBlue);  // the picture spans 15..24 x 10..19
    EXPECT_EQ(erased.At(14, 15), kGreen);
    EXPECT_EQ(erased.At(0, 0), kGreen);
  }
  panel->SetPixmap(blue, PANELPIXMAP_STRETCH);
  {
    ErasedPixels erased(NativeOf(panel));
    EXPECT_EQ(erased.At(0, 0), kBlue);
    EXPECT_EQ(erased.At(39, 29), kBlue);
  }
  PixmapRef stripes = Filled(10, 10, 0xFFFF0000);
  for (int32_t y = 0; y < 10; ++y) stripes->WritePixel(0, y, 0xFF0000FF);
  panel->SetPixmap(stripes, PANELPIXMAP_TILE);
  {
    ErasedPixels erased(NativeOf(panel));
    EXPECT_EQ(erased.At(0, 25), kBlue);
    EXPECT_EQ(erased.At(30, 5), kBlue);
    EXPECT_EQ(erased.At(31, 5), kRed);
  }
  panel->SetPixmap(blue, 5);  // no layout: the colour only
  {
    ErasedPixels erased(NativeOf(panel));
    EXPECT_EQ(erased.At(20, 15), kGreen);
  }
  panel->SetPixmap(nullptr, 0);
  EXPECT_EQ(panel->Picture(), nullptr);
  {
    ErasedPixels erased(NativeOf(panel));
    EXPECT_EQ(erased.At(20, 15), kGreen);
  }
}

TEST_F(WindowsPanelTest, PicturesWithAlphaBlendOverTheBackground) {
  auto panel = NewPanel(0, 20, 20);
  panel->SetColor(0, 0, 255);
  PixmapRef half = Filled(20, 20, 0x80FF0000, PF_RGBA8888);
  panel->SetPixmap(half, PANELPIXMAP_TILE);
  EXPECT_EQ(panel->PictureHasAlpha(), true);
  ErasedPixels erased(NativeOf(panel));
  EXPECT_TRUE(NearColour(erased.At(10, 10), 0x80007F)) << std::hex << erased.At(10, 10);
}

TEST_F(WindowsPanelTest, APictureRefused32BitsIsShownWith24BitsWithoutAlpha) {
  auto panel = NewPanel(0, 20, 20);
  panel->SetColor(0, 0, 255);
  TWindowsGraphic::FailNextBitmaps32(1);
  panel->SetPixmap(Filled(20, 20, 0x80FF0000, PF_RGBA8888), PANELPIXMAP_TILE);
  TWindowsGraphic::FailNextBitmaps32(0);
  ASSERT_NE(panel->Picture(), nullptr);
  EXPECT_EQ(panel->PictureHasAlpha(), false);
  EXPECT_EQ(panel->PictureWidth(), 20);
  ErasedPixels erased(NativeOf(panel));
  EXPECT_EQ(erased.At(10, 10), kRed) << "the picture's colours, opaque";

  // A picture without area is no picture (no bitmap can be made of it).
  panel->SetPixmap(TPixmap::Create(0, 20, PF_RGB888), PANELPIXMAP_TILE);
  EXPECT_EQ(panel->Picture(), nullptr);
}

TEST_F(WindowsPanelTest, TranslucentPanelBlendsOverItsParent) {
  window_->SetColor(0, 0, 255);
  auto panel = NewPanel(0, 20, 20);
  panel->SetColor(255, 0, 0);
  panel->SetAlpha(0.5f);
  EXPECT_FLOAT_EQ(panel->Alpha(), 0.5f);
  {
    ErasedPixels erased(NativeOf(panel));
    EXPECT_TRUE(NearColour(erased.At(10, 10), 0x7F0080, 4)) << std::hex << erased.At(10, 10);
  }
  panel->SetAlpha(1.0f);
  ErasedPixels opaque(NativeOf(panel));
  EXPECT_EQ(opaque.At(10, 10), kRed);
}

TEST_F(WindowsPanelTest, PanelWithoutColourShowsItsParentsBackground) {
  window_->SetColor(0, 0, 255);
  auto panel = NewPanel(0, 20, 20);
  ErasedPixels erased(NativeOf(panel));
  EXPECT_EQ(erased.At(10, 10), kBlue);
}

}  // namespace
}  // namespace quardeln::test
