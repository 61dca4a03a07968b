#include "gui/font.h"

#include "gui/gui_driver.h"
#include "runtime/error.h"

namespace quardeln {
namespace {

const TGuiFont& Use(const FontRef& font) {
  if (!font) RaiseError("Attempt to access a null font");
  return *font;
}

}  // namespace

FontRef GuiFontLoad(const std::u16string& name, int32_t size, int32_t bold, int32_t italic,
                    int32_t underline) {
  int32_t style = 0;
  if (bold != 0) style |= FONT_BOLD;
  if (italic != 0) style |= FONT_ITALIC;
  if (underline != 0) style |= FONT_UNDERLINE;
  return GuiDriver().LoadFont(name, size, style);
}

FontRef GuiFontPick(const FontRef& font) {
  return GuiDriver().RequestFont(font);
}

std::u16string GuiFontGetName(const FontRef& font) {
  return Use(font).name;
}
int32_t GuiFontGetSize(const FontRef& font) {
  return Use(font).size;
}
int32_t GuiFontGetStyle(const FontRef& font) {
  return Use(font).style;
}

}  // namespace quardeln
