#include "gui/icon_strip.h"

#include "gui/gui_driver.h"

namespace quardeln {

int32_t IconCountOf(const TPixmap& pixmap) {
  return pixmap.Height() > 0 ? pixmap.Width() / pixmap.Height() : 0;
}

PixmapRef TIconStrip::ExtractIconPixmap(int32_t index) {
  if (!pixmap || index < 0 || index >= count) return nullptr;
  const int32_t size = pixmap->Height();
  return pixmap->Window(index * size, 0, size, size);
}

IconStripRef IconStripLoad(const ObjectRef& source) {
  return GuiDriver().LoadIconStrip(source);
}

PixmapRef IconStripGetPixmap(const IconStripRef& strip, int32_t index) {
  return strip ? strip->ExtractIconPixmap(index) : nullptr;
}

}  // namespace quardeln
