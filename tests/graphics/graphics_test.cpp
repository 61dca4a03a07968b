// The portable drawing state, seen through the recorder: the origin moves what is drawn,
// the clip stays where it was put and is cut to the surface, nothing reaches a back end
// that could not show (invisible alpha, empty shapes, a surface that is gone), and text
// is measured in the font in use.
#include "graphics/headless/recording_graphics.h"

#include <gtest/gtest.h>

namespace quardeln {
namespace {

class Points final : public TGraphicsFont {
 public:
  explicit Points(int32_t points) : points_(points) {}
  int32_t FontPoints() const override { return points_; }

 private:
  int32_t points_;
};

TEST(Graphics, OriginMovesDrawingAndClipStaysOnTheSurface) {
  TRecordingGraphics g(200, 100);
  g.SetColor(300, 128, -5);  // clamped
  g.SetOrigin(10, 20);
  g.SetClip(150, 50, 100, 100);
  g.FillRect(1, 2, 3, 4);
  g.Line(0, 0, 5, 6);
  g.FillPolygon({{0, 0}, {4, 0}, {0, 4}});
  g.ResetClip();
  g.Plot(-10, -20);
  ASSERT_EQ(g.Drawings().size(), 4u);
  const TDrawing& rect = g.Drawings()[0];
  EXPECT_EQ(rect.kind, TDrawKind::kRect);
  EXPECT_TRUE(rect.filled);
  EXPECT_EQ(rect.rgb, 0xFF8000u);
  EXPECT_EQ(rect.rect, (TGraphicsRect{11, 22, 3, 4}));
  EXPECT_EQ(rect.clip, (TGraphicsRect{150, 50, 50, 50})) << "not moved, cut to the surface";
  EXPECT_EQ(g.Drawings()[1].rect, (TGraphicsRect{10, 20, 15, 26}));
  EXPECT_EQ(g.Drawings()[2].points, (std::vector<TGraphicsPoint>{{10, 20}, {14, 20}, {10, 24}}));
  EXPECT_EQ(g.Drawings()[3].rect, (TGraphicsRect{0, 0, 1, 1}));
  EXPECT_EQ(g.Drawings()[3].clip, (TGraphicsRect{0, 0, 200, 100}));
}

TEST(Graphics, NothingReachesTheBackEndThatCouldNotShow) {
  TRecordingGraphics g(50, 50);
  g.SetAlpha(0.0f);
  g.FillOval(0, 0, 10, 10);
  g.Clear(1, 2, 3);  // opaque whatever the alpha
  g.SetAlpha(2.0f);
  g.DrawRect(0, 0, 0, 10);
  g.DrawPolygon({{0, 0}, {1, 1}});
  g.DrawString(u"", 0, 0);
  g.DrawPixmap(nullptr, 0, 0);
  g.DrawPixmap(TPixmap::Create(0, 4, PF_RGBA8888), 0, 0);
  g.SetClip(60, 0, 10, 10);  // off the surface
  g.Plot(0, 0);
  g.Clear(0, 0, 0);
  ASSERT_EQ(g.Drawings().size(), 1u);
  EXPECT_EQ(g.Drawings()[0].kind, TDrawKind::kClear);
  EXPECT_EQ(g.Drawings()[0].rgb, 0x010203u);
  EXPECT_EQ(g.Drawings()[0].alpha, 1.0f);

  g.ResetClip();
  g.Release();
  g.Plot(0, 0);
  g.Present();
  EXPECT_EQ(g.Drawings().size(), 1u) << "a surface that is gone draws nothing";
  EXPECT_EQ(g.Width(), 0);
}

TEST(Graphics, TextIsMeasuredAndDrawnInTheFontInUse) {
  TRecordingGraphics g(100, 100);
  const auto twelve = std::make_shared<Points>(12);
  g.SetDefaultFont(std::make_shared<Points>(9));
  EXPECT_EQ(g.TextHeight(u""), TRecordingGraphics::LineHeight(9));
  g.SetFont(twelve);
  EXPECT_EQ(g.TextHeight(u"ab"), 16);
  EXPECT_EQ(g.TextWidth(u"ab"), 16);
  EXPECT_EQ(g.TextWidth(u""), 0);
  g.SetAlpha(0.5f);
  g.DrawString(u"ab", 3, 4);
  g.SetFont(nullptr);
  g.DrawString(u"c", 0, 0);
  ASSERT_EQ(g.Drawings().size(), 2u);
  EXPECT_EQ(g.Drawings()[0].font, twelve);
  EXPECT_EQ(g.Drawings()[0].rect, (TGraphicsRect{3, 4, 16, 16}));
  EXPECT_EQ(g.Drawings()[0].alpha, 0.5f);
  EXPECT_EQ(g.Drawings()[1].font, g.DefaultFont());
}

}  // namespace
}  // namespace quardeln
