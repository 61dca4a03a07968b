// Pixmap conversions under Wine: the native bitmaps must hold the pixmap's colours in the
// right channels, the mask must follow the transparency rules, and bitmaps that cannot
// be made end in the system's messages.
#include "gui/win32/windows_graphic.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/error.h"
#include "tests/gui/win32/driver_test_support.h"

namespace quardeln {
namespace {

class WindowsGraphicTest : public ::testing::Test {
 protected:
  test::Watchdog watchdog_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

// Pixels of a bitmap as 0xAARRGGBB, read back through a 32-bit top-down DIB.
std::vector<uint32_t> ReadBack(HBITMAP bitmap, int32_t w, int32_t h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  GetDIBits(TWindowDc().get(), bitmap, 0, static_cast<UINT>(h), pixels.data(), &info,
            DIB_RGB_COLORS);
  return pixels;
}

// Colours only: a 24-bit bitmap read back has no meaningful alpha byte.
std::vector<uint32_t> ReadBackRgb(HBITMAP bitmap, int32_t w, int32_t h) {
  std::vector<uint32_t> pixels = ReadBack(bitmap, w, h);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

// The message of the run-time error `call` raises, or "" when it raises none.
template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return error.what();
  }
  return "";
}

TEST_F(WindowsGraphicTest, Bitmap24KeepsEachColourInItsChannel) {
  PixmapRef pixmap = TPixmap::Create(3, 2, PF_RGB888);
  pixmap->WritePixel(0, 0, 0xFFFF0000);
  pixmap->WritePixel(1, 0, 0xFF00FF00);
  pixmap->WritePixel(2, 0, 0xFF0000FF);
  pixmap->WritePixel(0, 1, 0xFF123456);
  HBITMAP bitmap = TWindowsGraphic::BitmapFromPixmap24(pixmap);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(BitmapSize(bitmap).cx, 3);
  EXPECT_EQ(BitmapSize(bitmap).cy, 2);
  const std::vector<uint32_t> pixels = ReadBackRgb(bitmap, 3, 2);
  EXPECT_EQ(pixels[0], 0xFF0000u);
  EXPECT_EQ(pixels[1], 0x00FF00u);
  EXPECT_EQ(pixels[2], 0x0000FFu);
  EXPECT_EQ(pixels[3], 0x123456u);  // second row: the rows are not flipped
  DeleteObject(bitmap);
}

TEST_F(WindowsGraphicTest, Bitmap24OfAPixmapWindowUsesOnlyTheWindow) {
  // A window onto a wider pixmap has rows further apart than its own width.
  PixmapRef big = TPixmap::Create(5, 3, PF_RGBA8888);
  big->WritePixel(2, 1, 0xFFABCDEF);
  PixmapRef window = big->Window(2, 1, 2, 2);
  HBITMAP bitmap = TWindowsGraphic::BitmapFromPixmap24(window);
  const std::vector<uint32_t> pixels = ReadBackRgb(bitmap, 2, 2);
  EXPECT_EQ(pixels[0], 0xABCDEFu);
  EXPECT_EQ(pixels[1], 0u);
  DeleteObject(bitmap);
}

TEST_F(WindowsGraphicTest, Bitmap32KeepsStraightAlpha) {
  PixmapRef pixmap = TPixmap::Create(2, 1, PF_RGBA8888);
  pixmap->WritePixel(0, 0, 0x80C86432);
  pixmap->WritePixel(1, 0, 0x00FFFFFF);
  HBITMAP bitmap = TWindowsGraphic::BitmapFromPixmap32(pixmap);
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  const std::vector<uint32_t> pixels = ReadBack(bitmap, 2, 1);
  EXPECT_EQ(pixels[0], 0x80C86432u);
  EXPECT_EQ(pixels[1], 0x00FFFFFFu);
  DeleteObject(bitmap);
}

TEST_F(WindowsGraphicTest, PremultipliedScalesColoursByAlphaAndTruncates) {
  PixmapRef pixmap = TPixmap::Create(2, 1, PF_BGRA8888);
  pixmap->WritePixel(0, 0, 0x80C86432);  // 200, 100, 50 at alpha 128
  pixmap->WritePixel(1, 0, 0xFF010203);
  HBITMAP bitmap = TWindowsGraphic::PreMultipliedBitmapFromPixmap32(pixmap);
  const std::vector<uint32_t> pixels = ReadBack(bitmap, 2, 1);
  EXPECT_EQ(pixels[0], 0x80643219u);  // 200*128/255 = 100, 50, 25
  EXPECT_EQ(pixels[1], 0xFF010203u);
  DeleteObject(bitmap);
  EXPECT_EQ(pixmap->ReadPixel(0, 0), 0x80C86432u) << "the caller's pixmap is left alone";
}

TEST_F(WindowsGraphicTest, BackgroundBlendMixesByAlpha) {
  PixmapRef pixmap = TPixmap::Create(3, 1, PF_RGBA8888);
  pixmap->WritePixel(0, 0, 0x00FF0000);  // fully transparent red: only the background
  pixmap->WritePixel(1, 0, 0xFFFF0000);  // opaque red
  pixmap->WritePixel(2, 0, 0x80FF0000);  // half red over blue
  HBITMAP bitmap = TWindowsGraphic::BitmapWithBackgroundFromPixmap32(pixmap, 0, 0, 255);
  const std::vector<uint32_t> pixels = ReadBackRgb(bitmap, 3, 1);
  EXPECT_EQ(pixels[0], 0x0000FFu);
  EXPECT_EQ(pixels[1], 0xFF0000u);
  EXPECT_EQ(pixels[2], 0x80007Fu);  // 255*128/255 = 128 red, 255*127/255 = 127 blue
  DeleteObject(bitmap);
}

TEST_F(WindowsGraphicTest, MaskFollowsAlphaOrPureWhite) {
  PixmapRef alpha = TPixmap::Create(2, 1, PF_RGBA8888);
  alpha->WritePixel(0, 0, 0x7FFF0000);  // below 0x80: transparent
  alpha->WritePixel(1, 0, 0x80FFFFFF);  // opaque enough, even though white
  HBITMAP mask = TWindowsGraphic::BitmapMaskFromPixmap(alpha);
  std::vector<uint32_t> pixels = ReadBackRgb(mask, 2, 1);
  EXPECT_EQ(pixels[0], 0xFFFFFFu);
  EXPECT_EQ(pixels[1], 0x000000u);
  DeleteObject(mask);

  PixmapRef plain = TPixmap::Create(2, 1, PF_RGB888);
  plain->WritePixel(0, 0, 0xFFFFFFFF);
  plain->WritePixel(1, 0, 0xFFFFFFFE);
  mask = TWindowsGraphic::BitmapMaskFromPixmap(plain);
  pixels = ReadBackRgb(mask, 2, 1);
  EXPECT_EQ(pixels[0], 0xFFFFFFu);
  EXPECT_EQ(pixels[1], 0x000000u);
  DeleteObject(mask);
}

TEST_F(WindowsGraphicTest, IconHasThePixmapSize) {
  PixmapRef pixmap = TPixmap::Create(16, 16, PF_RGBA8888);
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) pixmap->WritePixel(x, y, x < 8 ? 0xFF00FF00 : 0);
  }
  HICON icon = TWindowsGraphic::IconFromPixmap32(pixmap);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  EXPECT_TRUE(info.fIcon);
  ASSERT_NE(info.hbmColor, nullptr);
  EXPECT_EQ(BitmapSize(info.hbmColor).cx, 16);
  EXPECT_EQ(BitmapSize(info.hbmColor).cy, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

TEST_F(WindowsGraphicTest, BitmapsThatCannotBeMadeRaiseTheSystemMessages) {
  // A pixmap without pixels cannot become a native bitmap of its size.
  PixmapRef empty = TPixmap::Create(0, 4, PF_RGBA8888);
  EXPECT_EQ(ErrorOf([&] { TWindowsGraphic::BitmapFromPixmap24(empty); }),
            "BitmapFromPixmap24 failed - your computer may be low on RAM.");
  EXPECT_EQ(ErrorOf([&] { TWindowsGraphic::BitmapMaskFromPixmap(empty); }),
            "BitmapFromPixmap24 failed - your computer may be low on RAM.");
  EXPECT_EQ(ErrorOf([&] { TWindowsGraphic::BitmapFromPixmap32(empty); }),
            "BitmapFromPixmap32 failed - SetDIBBits failed.");
  EXPECT_EQ(ErrorOf([&] { TWindowsGraphic::IconFromPixmap32(empty); }),
            "BitmapFromPixmap32 failed - SetDIBBits failed.");
  EXPECT_EQ(ErrorOf([&] { TWindowsGraphic::PreMultipliedBitmapFromPixmap32(empty); }),
            "BitmapFromPixmap32 failed - SetDIBBits failed.");
}

}  // namespace
}  // namespace quardeln
