// The driver's font: a TGuiFont whose handle is a native HFONT. Fonts are made by Load
// (face, points, style), wrap an existing HFONT (CreateFromHandle) or come from the
// system's font chooser (Request). A font is shared by every gadget it is given to; the
// native font lives for the rest of the run.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/font.h"

namespace quardeln {

class TWindowsFont final : public TGuiFont {
 public:
  // `name` is read back from the font itself (empty when it cannot be read).
  static std::shared_ptr<TWindowsFont> CreateFromHandle(HFONT handle, int32_t size, int32_t style);
  static std::shared_ptr<TWindowsFont> Load(const std::u16string& name, int32_t size,
                                            int32_t style);
  // The font chooser, preset from `font` when given; null when cancelled.
  static std::shared_ptr<TWindowsFont> Request(const FontRef& font);

  HFONT Native() const { return reinterpret_cast<HFONT>(handle); }
};

// The character height (a negative LOGFONT height) of `size` points at `dpi` dots per
// inch: -(size * dpi) / 72, truncating toward zero.
int32_t FontHeightOfPoints(int32_t size, int32_t dpi);
// The screen's vertical dots per inch.
int32_t ScreenDpiY();

}  // namespace quardeln
