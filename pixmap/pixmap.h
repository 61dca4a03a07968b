// Pixmaps: a rectangle of pixels in one of a few byte layouts, read and written as
// 0xAARRGGBB. A window onto a pixmap shares the pixel memory of the pixmap it was cut
// from, so writing through either is seen by both; the memory lives while any of them does.
// A picture source is a pixmap or the name of an image file (pixmap/image_file.h).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/object.h"

namespace quardeln {

// Pixel formats: the byte order of one pixel in memory.
inline constexpr int32_t PF_I8 = 1;        // one grey byte, opaque
inline constexpr int32_t PF_A8 = 2;        // one alpha byte over white
inline constexpr int32_t PF_RGB888 = 3;    // red, green, blue
inline constexpr int32_t PF_BGR888 = 4;    // blue, green, red
inline constexpr int32_t PF_RGBA8888 = 5;  // red, green, blue, alpha
inline constexpr int32_t PF_BGRA8888 = 6;  // blue, green, red, alpha

// Bytes per pixel of a format; 0 for a number that is not a format.
int32_t BytesPerPixel(int32_t format);
bool FormatHasAlpha(int32_t format);  // formats 2, 5 and 6

class TPixmap;
using PixmapRef = std::shared_ptr<TPixmap>;

class TPixmap final : public TObject {
 public:
  // A new pixmap with every byte 0 (transparent black in the formats with alpha).
  // Null for a negative size or an unknown format.
  static PixmapRef Create(int32_t width, int32_t height, int32_t format);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t Format() const { return format_; }
  int32_t Pitch() const { return pitch_; }  // bytes from one row to the next
  bool HasAlpha() const { return FormatHasAlpha(format_); }

  // The first byte of pixel (x, y); rows follow each other Pitch() bytes apart. Null
  // outside the pixmap.
  uint8_t* PixelPtr(int32_t x, int32_t y);
  const uint8_t* PixelPtr(int32_t x, int32_t y) const;

  // One pixel as 0xAARRGGBB; reading outside the pixmap gives 0, writing there does nothing.
  uint32_t ReadPixel(int32_t x, int32_t y) const;
  void WritePixel(int32_t x, int32_t y, uint32_t argb);

  // A view of the rectangle (x, y, w, h) on the same pixels; null when the rectangle is
  // not wholly inside this pixmap or has a negative size.
  PixmapRef Window(int32_t x, int32_t y, int32_t w, int32_t h);

  PixmapRef Copy() const;                   // a pixmap of its own, same format
  PixmapRef Convert(int32_t format) const;  // a copy in another format; null for an unknown one

 private:
  TPixmap(std::shared_ptr<std::vector<uint8_t>> memory, size_t offset, int32_t width,
          int32_t height, int32_t pitch, int32_t format);

  std::shared_ptr<std::vector<uint8_t>> memory_;
  size_t offset_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t pitch_ = 0;
  int32_t format_ = 0;
};

// The pixmap behind a picture source: the source itself when it is a pixmap, the decoded
// image when it is a text naming an image file (LoadPixmapFromFile), else null.
// FIXME: streams give null.
PixmapRef LoadPixmap(const ObjectRef& source);

}  // namespace quardeln
