#include "gui/win32/windows_icon_strip.h"

#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_graphic.h"
#include "pixmap/pixmap_scale.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {
namespace {

// The image list copies the bitmaps; ours go when the call returns.
void AddToImageList(HIMAGELIST list, UniqueBitmap image, UniqueBitmap mask) {
  ImageList_Add(list, image.get(), mask.get());
}

// Straight-alpha images keep their translucency only in a 32-bit list, which the common
// controls before version 6 cannot draw.
UniqueImageList AlphaImageList(const PixmapRef& pixmap, int32_t size) {
  if (TWindowsGUIDriver::CheckCommonControlVersion() < 1 || !pixmap->HasAlpha()) return {};
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, 0, 1));
  if (list) {
    AddToImageList(list.get(), UniqueBitmap(TWindowsGraphic::BitmapFromPixmap32(pixmap)), {});
  }
  return list;
}

UniqueImageList MaskedImageList(const PixmapRef& pixmap, int32_t size) {
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 1));
  if (!list) return list;
  // The colours show white where the mask hides them, so the list drawn without its mask
  // shows no stray colours of transparent pixels either.
  PixmapRef colours = pixmap->Copy();
  TWindowsIconStrip::RemoveMask(*colours);
  AddToImageList(list.get(), UniqueBitmap(TWindowsGraphic::BitmapFromPixmap24(colours)),
                 UniqueBitmap(TWindowsGraphic::BitmapMaskFromPixmap(pixmap)));
  return list;
}

}  // namespace

int32_t TWindowsIconStrip::DetectNotBlank(const TPixmap& pixmap, int32_t x, int32_t size) {
  const uint32_t first = pixmap.ReadPixel(x, 0);
  for (int32_t y = 0; y < size; ++y) {
    for (int32_t column = x; column < x + size; ++column) {
      if (pixmap.ReadPixel(column, y) != first) return 1;
    }
  }
  return 0;
}

int32_t TWindowsIconStrip::IsBlankIcon(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= _blanks.size()) return 0;
  return _blanks[static_cast<size_t>(index)];
}

void TWindowsIconStrip::RemoveMask(TPixmap& pixmap) {
  if (!pixmap.HasAlpha()) return;
  for (int32_t y = 0; y < pixmap.Height(); ++y) {
    for (int32_t x = 0; x < pixmap.Width(); ++x) {
      if ((pixmap.ReadPixel(x, y) >> 24) < 0x80) pixmap.WritePixel(x, y, 0xFFFFFFFF);
    }
  }
}

UniqueImageList TWindowsIconStrip::BuildImageList(const PixmapRef& pixmap) {
  // Square images as wide as the strip is high: adding the whole strip as one bitmap
  // then gives one image per icon.
  const int32_t size = pixmap->Height();
  UniqueImageList list = AlphaImageList(pixmap, size);
  if (!list) list = MaskedImageList(pixmap, size);
  return list;
}

WindowsIconStripRef TWindowsIconStrip::Create(const ObjectRef& source) {
  PixmapRef pixmap = LoadPixmap(source);
  if (!pixmap) return nullptr;
  const int32_t count = IconCountOf(*pixmap);
  if (count <= 0) return nullptr;
  auto strip = std::make_shared<TWindowsIconStrip>();
  strip->pixmap = pixmap;
  strip->count = count;
  const int32_t size = pixmap->Height();
  strip->_blanks.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    strip->_blanks.push_back(DetectNotBlank(*pixmap, i * size, size) ? 0 : 1);
  }
  // Images of the size the strip's icons have at 96 dots per inch on this screen: the
  // controls showing them are sized in pixels from their image list.
  const int32_t shown = ToNative(size, SystemDpi());
  PixmapRef scaled = shown == size ? nullptr : ScaleIconStrip(*pixmap, shown);
  strip->_imagelist = BuildImageList(scaled ? scaled : pixmap);
  return strip;
}

}  // namespace quardeln
