// Icon strips: one pixmap holding square icons side by side, each as high as the pixmap;
// icon i covers columns i*height to (i+1)*height-1. Toolbars and list-style gadgets take
// a strip and refer to its icons by index. A driver's strip class adds its native list.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/gadget.h"
#include "pixmap/pixmap.h"
#include "runtime/object.h"

namespace quardeln {

class TIconStrip : public TObject {
 public:
  PixmapRef pixmap;
  int32_t count = 0;

  // A view onto the pixels of icon `index`; null outside 0..count-1 or without a pixmap.
  virtual PixmapRef ExtractIconPixmap(int32_t index);
};

// The driver's LoadIconStrip: null for a source that gives no image or no whole icon.
IconStripRef IconStripLoad(const ObjectRef& source);
PixmapRef IconStripGetPixmap(const IconStripRef& strip, int32_t index);  // null for no strip

// The icon count of a strip image: width / height, 0 for an image with no height.
int32_t IconCountOf(const TPixmap& pixmap);

}  // namespace quardeln
