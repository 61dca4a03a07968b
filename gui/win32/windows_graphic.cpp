#include "gui/win32/windows_graphic.h"

#include <cstring>
#include <vector>

#include "pixmap/pixmap_scale.h"
#include "runtime/error.h"
#include "runtime/win32/native_owner.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {
namespace {

// A top-down DIB header: the rows come first row first, as pixmap rows do.
BITMAPINFO TopDownHeader(int32_t width, int32_t height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// DIB memory holds blue, green, red (and alpha) in that order, which are the pixmap's
// BGR formats; the RGB formats would swap red and blue. DIB rows are padded to 4 bytes.
std::vector<uint8_t> DibRows(const TPixmap& pixmap, int32_t format) {
  const PixmapRef converted = pixmap.Convert(format);
  const size_t row = static_cast<size_t>(converted->Width()) * BytesPerPixel(format);
  const size_t stride = (row + 3) & ~size_t{3};
  std::vector<uint8_t> rows(stride * converted->Height());
  for (int32_t y = 0; y < converted->Height(); ++y) {
    std::memcpy(rows.data() + stride * y, converted->PixelPtr(0, y), row);
  }
  return rows;
}

uint8_t Channel(uint32_t argb, int shift) {
  return static_cast<uint8_t>((argb >> shift) & 0xFF);
}

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// A copy of the pixmap with each pixel passed through `change` (0xAARRGGBB in and out).
template <typename Change>
PixmapRef MapPixels(const TPixmap& pixmap, Change change) {
  PixmapRef copy = pixmap.Copy();
  for (int32_t y = 0; y < copy->Height(); ++y) {
    for (int32_t x = 0; x < copy->Width(); ++x)
      copy->WritePixel(x, y, change(copy->ReadPixel(x, y)));
  }
  return copy;
}

int32_t& InjectedBitmap32Failures() {
  static int32_t count = 0;
  return count;
}

bool TakeInjectedFailure() {
  int32_t& count = InjectedBitmap32Failures();
  if (count <= 0) return false;
  --count;
  return true;
}

// A 32-bit DIB section filled with the pixmap's pixels, or null when it cannot be made or
// filled (an empty pixmap gets no DIB section).
HBITMAP MakeBitmap32(const TPixmap& pixmap) {
  const int32_t h = pixmap.Height();
  const TWindowDc screen;  // the screen's
  const BITMAPINFO info = TopDownHeader(pixmap.Width(), h, 32);
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.get()) return nullptr;
  const std::vector<uint8_t> rows = DibRows(pixmap, PF_BGRA8888);
  if (TakeInjectedFailure() || SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(h),
                                         rows.data(), &info, DIB_RGB_COLORS) == 0) {
    return nullptr;
  }
  return bitmap.release();
}

PixmapRef PreMultiplied(const TPixmap& pixmap) {
  return MapPixels(pixmap, [](uint32_t argb) {
    const uint32_t a = Channel(argb, 24);
    return Argb(a, Channel(argb, 16) * a / 255, Channel(argb, 8) * a / 255,
                Channel(argb, 0) * a / 255);
  });
}

}  // namespace

void TWindowsGraphic::FailNextBitmaps32(int32_t count) {
  InjectedBitmap32Failures() = count;
}

HBITMAP TWindowsGraphic::BitmapFromPixmap24(const PixmapRef& pixmap) {
  if (!pixmap) return nullptr;
  const int32_t w = pixmap->Width();
  const int32_t h = pixmap->Height();
  const TWindowDc screen;  // the screen's
  // The system answers an empty size with a 1 x 1 monochrome stand-in, which is not a
  // bitmap of this pixmap: treat it as a bitmap that could not be made.
  UniqueBitmap bitmap(w > 0 && h > 0 ? CreateCompatibleBitmap(screen.get(), w, h) : nullptr);
  if (!bitmap.get()) RaiseError(kBitmap24FailedMessage);
  const std::vector<uint8_t> rows = DibRows(*pixmap, PF_BGR888);
  const BITMAPINFO info = TopDownHeader(w, h, 24);
  SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(h), rows.data(), &info,
            DIB_RGB_COLORS);
  return bitmap.release();
}

HBITMAP TWindowsGraphic::BitmapFromPixmap32(const PixmapRef& pixmap) {
  if (!pixmap) return nullptr;
  HBITMAP bitmap = MakeBitmap32(*pixmap);
  if (!bitmap) RaiseError(kBitmap32FailedMessage);
  return bitmap;
}

HBITMAP TWindowsGraphic::PreMultipliedBitmapFromPixmap32(const PixmapRef& pixmap) {
  if (!pixmap) return nullptr;
  return BitmapFromPixmap32(PreMultiplied(*pixmap));
}

HBITMAP TWindowsGraphic::TryPreMultipliedBitmapFromPixmap32(const PixmapRef& pixmap) {
  if (!pixmap) return nullptr;
  return MakeBitmap32(*PreMultiplied(*pixmap));
}

HBITMAP TWindowsGraphic::BitmapWithBackgroundFromPixmap32(const PixmapRef& pixmap, int32_t red,
                                                          int32_t green, int32_t blue) {
  if (!pixmap) return nullptr;
  const uint32_t back_r = static_cast<uint32_t>(red) & 0xFF;
  const uint32_t back_g = static_cast<uint32_t>(green) & 0xFF;
  const uint32_t back_b = static_cast<uint32_t>(blue) & 0xFF;
  const PixmapRef blended = MapPixels(*pixmap, [=](uint32_t argb) {
    const uint32_t a = Channel(argb, 24);
    // colour * a / 255 + background * (1 - a / 255), truncated once at the end.
    auto mix = [a](uint32_t colour, uint32_t back) {
      return (colour * a + back * (255 - a)) / 255;
    };
    return Argb(0xFF, mix(Channel(argb, 16), back_r), mix(Channel(argb, 8), back_g),
                mix(Channel(argb, 0), back_b));
  });
  return BitmapFromPixmap24(blended);
}

HBITMAP TWindowsGraphic::BitmapMaskFromPixmap(const PixmapRef& pixmap) {
  if (!pixmap) return nullptr;
  const bool alpha = pixmap->HasAlpha();
  PixmapRef mask = TPixmap::Create(pixmap->Width(), pixmap->Height(), PF_BGR888);
  for (int32_t y = 0; y < mask->Height(); ++y) {
    for (int32_t x = 0; x < mask->Width(); ++x) {
      const uint32_t argb = pixmap->ReadPixel(x, y);
      const bool transparent = alpha ? Channel(argb, 24) < 0x80 : (argb & 0xFFFFFF) == 0xFFFFFF;
      mask->WritePixel(x, y, transparent ? 0xFFFFFFFF : 0xFF000000);
    }
  }
  return BitmapFromPixmap24(mask);
}

PixmapRef TWindowsGraphic::ForDpi(const PixmapRef& pixmap, int32_t dpi) {
  if (!pixmap || dpi == kUnitDpi) return pixmap;
  PixmapRef scaled =
      ScalePixmap(*pixmap, ToNative(pixmap->Width(), dpi), ToNative(pixmap->Height(), dpi));
  return scaled ? scaled : pixmap;
}

HICON TWindowsGraphic::IconFromPixmap32(const PixmapRef& pixmap) {
  if (!pixmap) return nullptr;
  UniqueBitmap colour32(BitmapFromPixmap32(pixmap));
  UniqueBitmap colour(
      static_cast<HBITMAP>(CopyImage(colour32.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  UniqueBitmap mask(BitmapMaskFromPixmap(pixmap));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.get();
  info.hbmColor = colour.get();
  return CreateIconIndirect(&info);
}

}  // namespace quardeln
