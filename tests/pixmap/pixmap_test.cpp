#include "pixmap/pixmap.h"

#include <gtest/gtest.h>

namespace quardeln {
namespace {

TEST(Pixmap, NewPixmapIsZeroedWithItsSizeAndFormat) {
  PixmapRef p = TPixmap::Create(5, 3, PF_RGB888);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Width(), 5);
  EXPECT_EQ(p->Height(), 3);
  EXPECT_EQ(p->Format(), PF_RGB888);
  EXPECT_EQ(p->Pitch(), 15);
  EXPECT_FALSE(p->HasAlpha());
  EXPECT_EQ(p->ReadPixel(4, 2), 0xFF000000u);  // no alpha channel: opaque black
  PixmapRef q = TPixmap::Create(2, 2, PF_RGBA8888);
  EXPECT_TRUE(q->HasAlpha());
  EXPECT_EQ(q->ReadPixel(0, 0), 0u);
  EXPECT_EQ(TPixmap::Create(-1, 2, PF_RGB888), nullptr);
  EXPECT_EQ(TPixmap::Create(2, 2, 9), nullptr);
  EXPECT_NE(TPixmap::Create(0, 0, PF_RGBA8888), nullptr);
}

TEST(Pixmap, PixelsRoundTripInEveryFormatsByteOrder) {
  const uint32_t colour = 0x80C0FF10u;
  struct Case {
    int32_t format;
    uint32_t read_back;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {PF_RGB888, 0xFFC0FF10u, {0xC0, 0xFF, 0x10}},
      {PF_BGR888, 0xFFC0FF10u, {0x10, 0xFF, 0xC0}},
      {PF_RGBA8888, colour, {0xC0, 0xFF, 0x10, 0x80}},
      {PF_BGRA8888, colour, {0x10, 0xFF, 0xC0, 0x80}},
      {PF_A8, 0x80FFFFFFu, {0x80}},
      {PF_I8, 0xFF9A9A9Au, {0x9A}},  // (0xC0 + 0xFF + 0x10) / 3
  };
  for (const Case& c : cases) {
    PixmapRef p = TPixmap::Create(3, 2, c.format);
    p->WritePixel(1, 1, colour);
    EXPECT_EQ(p->ReadPixel(1, 1), c.read_back) << c.format;
    const uint8_t* at = p->PixelPtr(1, 1);
    EXPECT_EQ(std::vector<uint8_t>(at, at + BytesPerPixel(c.format)), c.bytes) << c.format;
  }
}

TEST(Pixmap, OutsideThePixmapReadsZeroAndWritesNothing) {
  PixmapRef p = TPixmap::Create(2, 2, PF_RGBA8888);
  p->WritePixel(2, 0, 0xFFFFFFFFu);
  p->WritePixel(-1, 1, 0xFFFFFFFFu);
  EXPECT_EQ(p->ReadPixel(2, 0), 0u);
  EXPECT_EQ(p->PixelPtr(0, 2), nullptr);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 2; ++x) EXPECT_EQ(p->ReadPixel(x, y), 0u);
  }
}

TEST(Pixmap, WindowSharesThePixelsAndOutlivesItsPixmap) {
  PixmapRef p = TPixmap::Create(8, 4, PF_RGB888);
  PixmapRef w = p->Window(4, 1, 3, 2);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Width(), 3);
  EXPECT_EQ(w->Height(), 2);
  w->WritePixel(0, 0, 0xFF010203u);
  EXPECT_EQ(p->ReadPixel(4, 1), 0xFF010203u);
  p->WritePixel(6, 2, 0xFF0A0B0Cu);
  EXPECT_EQ(w->ReadPixel(2, 1), 0xFF0A0B0Cu);
  EXPECT_EQ(w->ReadPixel(3, 0), 0u);  // outside the window, though inside the pixmap
  PixmapRef inner = w->Window(1, 1, 2, 1);
  EXPECT_EQ(inner->ReadPixel(1, 0), 0xFF0A0B0Cu);
  p.reset();
  EXPECT_EQ(w->ReadPixel(0, 0), 0xFF010203u);
}

TEST(Pixmap, WindowMustLieInside) {
  PixmapRef p = TPixmap::Create(8, 4, PF_RGB888);
  EXPECT_EQ(p->Window(6, 0, 3, 1), nullptr);
  EXPECT_EQ(p->Window(0, 3, 1, 2), nullptr);
  EXPECT_EQ(p->Window(-1, 0, 1, 1), nullptr);
  EXPECT_EQ(p->Window(0, 0, -1, 1), nullptr);
  EXPECT_NE(p->Window(0, 0, 8, 4), nullptr);
  EXPECT_NE(p->Window(8, 4, 0, 0), nullptr);
}

TEST(Pixmap, ConversionBetweenRgbAndRgbaKeepsColours) {
  PixmapRef rgba = TPixmap::Create(2, 1, PF_RGBA8888);
  rgba->WritePixel(0, 0, 0x40FF8000u);
  rgba->WritePixel(1, 0, 0xFF123456u);
  PixmapRef rgb = rgba->Convert(PF_RGB888);
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(rgb->Format(), PF_RGB888);
  EXPECT_EQ(rgb->ReadPixel(0, 0), 0xFFFF8000u);  // alpha dropped
  EXPECT_EQ(rgb->ReadPixel(1, 0), 0xFF123456u);
  PixmapRef back = rgb->Convert(PF_RGBA8888);
  EXPECT_EQ(back->ReadPixel(0, 0), 0xFFFF8000u);  // opaque again
  EXPECT_EQ(rgba->Convert(42), nullptr);

  PixmapRef copy = rgba->Window(1, 0, 1, 1)->Copy();
  copy->WritePixel(0, 0, 0u);
  EXPECT_EQ(rgba->ReadPixel(1, 0), 0xFF123456u);  // a copy has pixels of its own
}

// Texts name image files (image_file_test.cpp).
TEST(Pixmap, LoadingGivesAPixmapSourceItself) {
  PixmapRef p = TPixmap::Create(1, 1, PF_RGB888);
  EXPECT_EQ(LoadPixmap(p), p);
  EXPECT_EQ(LoadPixmap(nullptr), nullptr);
}

}  // namespace
}  // namespace quardeln
