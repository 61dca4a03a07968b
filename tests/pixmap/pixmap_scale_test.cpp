#include "pixmap/pixmap_scale.h"

#include <gtest/gtest.h>

namespace quardeln {
namespace {

TEST(PixmapScale, ScalingKeepsEdgesAndLetsNoTransparentColourIn) {
  // Opaque red on the left, fully transparent green on the right.
  PixmapRef source = TPixmap::Create(2, 1, PF_RGBA8888);
  source->WritePixel(0, 0, 0xFFFF0000u);
  source->WritePixel(1, 0, 0x0000FF00u);
  PixmapRef scaled = ScalePixmap(*source, 4, 2);
  ASSERT_NE(scaled, nullptr);
  EXPECT_EQ(scaled->Format(), PF_RGBA8888);
  EXPECT_EQ(scaled->ReadPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(scaled->ReadPixel(0, 1), 0xFFFF0000u);
  EXPECT_EQ(scaled->ReadPixel(3, 0), 0u);
  // Between them: red fading out, never green.
  const uint32_t middle = scaled->ReadPixel(1, 0);
  EXPECT_GT(middle >> 24, 0u);
  EXPECT_LT(middle >> 24, 255u);
  EXPECT_EQ(middle & 0x00FFFFFFu, 0x00FF0000u);
  EXPECT_EQ(ScalePixmap(*source, 0, 3), nullptr);
}

TEST(PixmapScale, EachIconOfAStripIsScaledOnItsOwn) {
  // Two 2x2 icons: all blue, then all white.
  PixmapRef strip = TPixmap::Create(4, 2, PF_RGB888);
  for (int32_t x = 0; x < 4; ++x) {
    for (int32_t y = 0; y < 2; ++y) strip->WritePixel(x, y, x < 2 ? 0xFF0000FFu : 0xFFFFFFFFu);
  }
  PixmapRef scaled = ScaleIconStrip(*strip, 3);
  ASSERT_NE(scaled, nullptr);
  EXPECT_EQ(scaled->Width(), 6);
  EXPECT_EQ(scaled->Height(), 3);
  for (int32_t x = 0; x < 6; ++x) {
    EXPECT_EQ(scaled->ReadPixel(x, 1), x < 3 ? 0xFF0000FFu : 0xFFFFFFFFu) << x;
  }
  EXPECT_EQ(ScaleIconStrip(*TPixmap::Create(1, 2, PF_RGB888), 3), nullptr);
}

}  // namespace
}  // namespace quardeln
