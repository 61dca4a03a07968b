#include "gui/win32/windows_font.h"

#include <array>

#include "gui/win32/windows_driver.h"

namespace quardeln {
namespace {

constexpr size_t kFaceNameLimit = 512;
constexpr size_t kLogFontFaceChars = 31;  // LF_FACESIZE without its terminator

LPCWSTR Wide(const std::u16string& text) {
  return reinterpret_cast<LPCWSTR>(text.c_str());
}

// The face name of `font` as the system realises it, or empty.
std::u16string FaceNameOf(HFONT font) {
  if (!font) return {};
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  std::array<wchar_t, kFaceNameLimit> face{};
  int got = 0;
  {
    const TSelectedObject selected(dc.get(), font);
    got = GetTextFaceW(dc.get(), static_cast<int>(face.size()), face.data());
  }
  if (got <= 0) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(face.data()));
}

// The chooser's starting point: the font's face, weight, slant and height.
LOGFONTW LogFontOf(const TGuiFont& font) {
  LOGFONTW logFont{};
  if (font.name.size() <= kLogFontFaceChars) {
    std::copy(font.name.begin(), font.name.end(), logFont.lfFaceName);
  }
  logFont.lfWeight = (font.style & FONT_BOLD) ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = (font.style & FONT_ITALIC) ? 1 : 0;
  logFont.lfHeight = font.size * ScreenDpiY() / 72;
  return logFont;
}

}  // namespace

int32_t FontHeightOfPoints(int32_t size, int32_t dpi) {
  return -(size * dpi) / 72;
}

int32_t ScreenDpiY() {
  return GetDeviceCaps(TWindowDc().get(), LOGPIXELSY);
}

std::shared_ptr<TWindowsFont> TWindowsFont::FromStockFont(HFONT handle, int32_t size,
                                                          int32_t style) {
  auto font = std::make_shared<TWindowsFont>();
  font->name = FaceNameOf(handle);
  font->size = size;
  font->style = style;
  font->handle = reinterpret_cast<NativeHandle>(handle);
  return font;
}

std::shared_ptr<TWindowsFont> TWindowsFont::Adopt(HFONT owned, int32_t size, int32_t style) {
  auto font = FromStockFont(owned, size, style);
  font->_owned.reset(owned);
  return font;
}

std::shared_ptr<TWindowsFont> TWindowsFont::Load(const std::u16string& name, int32_t size,
                                                 int32_t style) {
  // The font is not verified: an unknown face gets the system's substitute.
  HFONT native = CreateFontW(
      FontHeightOfPoints(size, ScreenDpiY()), 0, 0, 0, (style & FONT_BOLD) ? FW_BOLD : FW_DONTCARE,
      (style & FONT_ITALIC) ? TRUE : FALSE, (style & FONT_UNDERLINE) ? TRUE : FALSE, FALSE,
      ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
      DEFAULT_PITCH | FF_DONTCARE, Wide(name));
  auto font = Adopt(native, size, style);
  font->name = name;
  return font;
}

std::shared_ptr<TWindowsFont> TWindowsFont::Request(const FontRef& font) {
  LOGFONTW logFont = font ? LogFontOf(*font) : LOGFONTW{};
  CHOOSEFONTW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = TWindowsGUIDriver::GetActiveHwnd();
  chooser.lpLogFont = &logFont;
  chooser.Flags = CF_SCREENFONTS | CF_PRINTERFONTS;
  if (font) chooser.Flags |= CF_INITTOLOGFONTSTRUCT;
  HWND focus = GetFocus();
  const BOOL chosen = ChooseFontW(&chooser);
  SetFocus(focus);
  if (!chosen) return nullptr;
  HFONT native = CreateFontIndirectW(&logFont);
  if (!native) return nullptr;
  int32_t style = 0;
  if (chooser.nFontType & BOLD_FONTTYPE) style |= FONT_BOLD;
  if (chooser.nFontType & ITALIC_FONTTYPE) style |= FONT_ITALIC;
  return Adopt(native, chooser.iPointSize / 10, style);
}

}  // namespace quardeln
