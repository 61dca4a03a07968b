// The driver's font: a TGuiFont whose handle is a native HFONT. Fonts are made by Load
// (face, points, style), wrap a stock font (FromStockFont) or come from the system's font
// chooser (Request). A font is shared by every gadget it is given to (each keeps it while
// its control shows it) and owns its native font, deleted when the last reference goes;
// a stock font belongs to the system and is never deleted. A window at another DPI than
// the font was made for is given the same font made for its DPI (NativeFor), so that a
// size means the same physical size on every screen.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "gui/font.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

class TWindowsFont final : public TGuiFont {
 public:
  TWindowsFont() = default;
  ~TWindowsFont() override;
  TWindowsFont(const TWindowsFont&) = delete;
  TWindowsFont& operator=(const TWindowsFont&) = delete;

  // A stock font, not owned. `name` is read back from the font itself (empty when it
  // cannot be read).
  static std::shared_ptr<TWindowsFont> FromStockFont(HFONT handle, int32_t size, int32_t style);
  static std::shared_ptr<TWindowsFont> Load(const std::u16string& name, int32_t size,
                                            int32_t style);
  // The font chooser, preset from `font` when given; null when cancelled.
  static std::shared_ptr<TWindowsFont> Request(const FontRef& font);

  // The font as made, for the system's DPI.
  HFONT Native() const { return reinterpret_cast<HFONT>(handle); }
  // The font for a window shown at `dpi`: Native() at the DPI it was made for, else one
  // made from it once per DPI and kept as long as the font.
  HFONT NativeFor(int32_t dpi);
  std::intptr_t NativeFontFor(int32_t dpi) override {
    return reinterpret_cast<std::intptr_t>(NativeFor(dpi));
  }
  // Every control inside `window` that shows one of the driver's fonts is given the same
  // font made for `dpi`.
  static void RefontWindow(HWND window, int32_t dpi);

 private:
  // Takes ownership of `owned` (may be null: the system refused the font).
  static std::shared_ptr<TWindowsFont> Adopt(HFONT owned, int32_t size, int32_t style);
  void Remember(HFONT native);

  UniqueFont _owned;       // the native font, unless it is a stock one
  int32_t _dpi = 96;       // the DPI Native() was made for
  bool _ofpoints = false;  // made from a size in points (Load), not from a native font
  std::map<int32_t, UniqueFont> _scaled;  // by DPI, for windows at other DPIs
};

// The character height (a negative LOGFONT height) of `size` points at `dpi` dots per
// inch: -(size * dpi) / 72, truncating toward zero.
int32_t FontHeightOfPoints(int32_t size, int32_t dpi);
// The system's dots per inch, which fonts are made for first (96 for a program that
// keeps the system's scaling).
int32_t ScreenDpiY();

}  // namespace quardeln
