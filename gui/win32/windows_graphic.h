// Pixmap conversions for the Windows driver: native bitmaps, masks and icons made from
// pixmaps, for window icons, button images, panel pictures and menus. Every result is a
// new GDI object that the caller owns and deletes; a null pixmap gives a null handle.
// A bitmap that cannot be made or filled raises a run-time error: the gadget asking for
// it cannot go on without it. The Try form answers null instead, for callers with a fallback.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>

#include "pixmap/pixmap.h"

namespace quardeln {

inline constexpr const char* kBitmap24FailedMessage =
    "BitmapFromPixmap24 failed - your computer may be low on RAM.";
inline constexpr const char* kBitmap32FailedMessage =
    "BitmapFromPixmap32 failed - SetDIBBits failed.";

class TWindowsGraphic {
 public:
  TWindowsGraphic() = delete;

  // Black where the pixel is opaque, white where it is transparent: alpha below 0x80 with
  // an alpha channel, pure white (0xFFFFFF) without one. Screen-compatible, like the 24-bit one.
  static HBITMAP BitmapMaskFromPixmap(const PixmapRef& pixmap);
  // A bitmap compatible with the screen holding the pixmap's colours; alpha is dropped.
  static HBITMAP BitmapFromPixmap24(const PixmapRef& pixmap);
  // As BitmapFromPixmap32, with red, green and blue multiplied by alpha / 255 first, the
  // form AlphaBlend with per-pixel alpha expects.
  static HBITMAP PreMultipliedBitmapFromPixmap32(const PixmapRef& pixmap);
  // As PreMultipliedBitmapFromPixmap32, but null when the bitmap cannot be made or filled.
  static HBITMAP TryPreMultipliedBitmapFromPixmap32(const PixmapRef& pixmap);
  // A 32-bit DIB section holding the pixels with their straight (not multiplied) alpha.
  static HBITMAP BitmapFromPixmap32(const PixmapRef& pixmap);
  // The pixmap laid over an opaque background colour by its alpha, as a 24-bit bitmap.
  static HBITMAP BitmapWithBackgroundFromPixmap32(const PixmapRef& pixmap, int32_t red,
                                                  int32_t green, int32_t blue);
  // A colour icon of the pixmap's size, its alpha kept, its mask from BitmapMaskFromPixmap.
  static HICON IconFromPixmap32(const PixmapRef& pixmap);
  // A picture drawn for 96 dots per inch as shown at `dpi`: itself at 96, else smoothly
  // scaled by dpi / 96 (itself when it cannot be).
  static PixmapRef ForDpi(const PixmapRef& pixmap, int32_t dpi);

  // Tests only: the next `count` 32-bit bitmaps fail to be filled, as when the system
  // refuses, so that the callers' failure paths can be driven.
  static void FailNextBitmaps32(int32_t count);
};

}  // namespace quardeln
