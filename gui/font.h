// GUI fonts: the record of a native font that gadgets are given with SetFont. The driver
// makes them (a driver's font class derives from TGuiFont and owns the native font);
// a font is shared by every gadget it is given to and nothing frees it early. A GUI font
// is also a font the graphics write with (graphics/graphics.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/graphics.h"
#include "gui/gadget.h"
#include "runtime/object.h"

namespace quardeln {

class TGuiFont : public TGraphicsFont {
 public:
  int32_t FontPoints() const override { return size; }

  std::u16string name;  // face name
  std::u16string path;  // kept, never set
  int32_t style = 0;    // FONT_BOLD | FONT_ITALIC | FONT_UNDERLINE
  int32_t size = 0;     // points
  NativeHandle handle = 0;
};

// The driver's LoadFont with style built from the three flags (any non-zero counts).
FontRef GuiFontLoad(const std::u16string& name, int32_t size, int32_t bold, int32_t italic,
                    int32_t underline);
FontRef GuiFontPick(const FontRef& font);  // the driver's font chooser; null when cancelled
std::u16string GuiFontGetName(const FontRef& font);
int32_t GuiFontGetSize(const FontRef& font);
int32_t GuiFontGetStyle(const FontRef& font);

}  // namespace quardeln
