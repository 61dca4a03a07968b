// The Windows icon strip: the portable strip (one pixmap of square icons side by side)
// with a native image list holding one image per icon, and which icons are blank (one
// colour all over; a toolbar shows a separator for those). The strip owns its image list;
// gadgets that show it keep the strip alive (their _icons), so the list outlives them.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/icon_strip.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

class TWindowsIconStrip;
using WindowsIconStripRef = std::shared_ptr<TWindowsIconStrip>;

class TWindowsIconStrip final : public TIconStrip {
 public:
  // 1 when some pixel of the size x size square at column x differs from its top-left one.
  static int32_t DetectNotBlank(const TPixmap& pixmap, int32_t x, int32_t size);
  int32_t IsBlankIcon(int32_t index) const;
  // With alpha: every pixel whose alpha is below 0x80 becomes opaque white.
  static void RemoveMask(TPixmap& pixmap);
  // One square image per icon: 32-bit with alpha on common controls 6 when the pixmap has
  // alpha, else 24-bit with a mask.
  static UniqueImageList BuildImageList(const PixmapRef& pixmap);
  // From a pixmap or anything LoadPixmap accepts; null when nothing loads or the image
  // holds no whole icon.
  static WindowsIconStripRef Create(const ObjectRef& source);

  HIMAGELIST ImageList() const { return _imagelist.get(); }

 private:
  std::vector<int32_t> _blanks;  // one per icon: 1 when every pixel equals the top-left one
  UniqueImageList _imagelist;
};

// The native image list of a strip given to a gadget, or null for none or another kind.
inline HIMAGELIST ImageListOf(const IconStripRef& strip) {
  auto windows = std::dynamic_pointer_cast<TWindowsIconStrip>(strip);
  return windows ? windows->ImageList() : nullptr;
}

}  // namespace quardeln
