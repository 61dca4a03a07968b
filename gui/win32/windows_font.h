// The driver's font: a TGuiFont whose handle is a native HFONT. Fonts are made by Load
// (face, points, style), wrap a stock font (FromStockFont) or come from the system's font
// chooser (Request). A font is shared by every gadget it is given to (each keeps it while
// its control shows it) and owns its native font, deleted when the last reference goes;
// a stock font belongs to the system and is never deleted.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/font.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

class TWindowsFont final : public TGuiFont {
 public:
  // A stock font, not owned. `name` is read back from the font itself (empty when it
  // cannot be read).
  static std::shared_ptr<TWindowsFont> FromStockFont(HFONT handle, int32_t size, int32_t style);
  static std::shared_ptr<TWindowsFont> Load(const std::u16string& name, int32_t size,
                                            int32_t style);
  // The font chooser, preset from `font` when given; null when cancelled.
  static std::shared_ptr<TWindowsFont> Request(const FontRef& font);

  HFONT Native() const { return reinterpret_cast<HFONT>(handle); }

 private:
  // Takes ownership of `owned` (may be null: the system refused the font).
  static std::shared_ptr<TWindowsFont> Adopt(HFONT owned, int32_t size, int32_t style);

  UniqueFont _owned;  // the native font, unless it is a stock one
};

// The character height (a negative LOGFONT height) of `size` points at `dpi` dots per
// inch: -(size * dpi) / 72, truncating toward zero.
int32_t FontHeightOfPoints(int32_t size, int32_t dpi);
// The screen's vertical dots per inch.
int32_t ScreenDpiY();

}  // namespace quardeln
