#include "gui/win32/windows_font.h"

#include <array>

#include "gui/win32/windows_driver.h"
#include "system/win32/win32_dpi.h"

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

// The character height of `size` points for a window at `dpi`: the height at 96 dots per
// inch, scaled. Text then keeps the proportions of a layout made at 96 on every screen;
// the height exact for `dpi` can be a pixel taller (-28 at 144 for 14 points where 96 has
// -18, truncated from -18.67), and no longer fit where the text fitted at 96.
int32_t HeightForDpi(int32_t size, int32_t dpi) {
  return ToNative(FontHeightOfPoints(size, kUnitDpi), dpi);
}

// Every native font of a live TWindowsFont, to find the font a control shows.
std::map<HFONT, TWindowsFont*>& KnownFonts() {
  static auto* known = new std::map<HFONT, TWindowsFont*>();
  return *known;
}

BOOL CALLBACK RefontChild(HWND child, LPARAM dpi) {
  auto native = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  const auto known = KnownFonts().find(native);
  if (native && known != KnownFonts().end()) {
    HFONT fitting = known->second->NativeFor(static_cast<int32_t>(dpi));
    if (fitting != native) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fitting), TRUE);
  }
  return TRUE;
}

}  // namespace

TWindowsFont::~TWindowsFont() {
  for (auto it = KnownFonts().begin(); it != KnownFonts().end();) {
    it = it->second == this ? KnownFonts().erase(it) : std::next(it);
  }
}

void TWindowsFont::Remember(HFONT native) {
  if (native) KnownFonts()[native] = this;
}

HFONT TWindowsFont::NativeFor(int32_t dpi) {
  if (dpi == _dpi || dpi <= 0 || !Native()) return Native();
  const auto made = _scaled.find(dpi);
  if (made != _scaled.end()) return made->second.get();
  LOGFONTW logFont{};
  if (!GetObjectW(Native(), sizeof logFont, &logFont)) return Native();
  logFont.lfHeight = _ofpoints ? HeightForDpi(size, dpi) : MulDiv(logFont.lfHeight, dpi, _dpi);
  logFont.lfWidth = MulDiv(logFont.lfWidth, dpi, _dpi);
  HFONT native = CreateFontIndirectW(&logFont);
  if (!native) return Native();
  _scaled.emplace(dpi, UniqueFont(native));
  Remember(native);
  return native;
}

void TWindowsFont::RefontWindow(HWND window, int32_t dpi) {
  EnumChildWindows(window, &RefontChild, dpi);
}

int32_t FontHeightOfPoints(int32_t size, int32_t dpi) {
  return -(size * dpi) / 72;
}

int32_t ScreenDpiY() {
  return SystemDpi();
}

std::shared_ptr<TWindowsFont> TWindowsFont::FromStockFont(HFONT handle, int32_t size,
                                                          int32_t style) {
  auto font = std::make_shared<TWindowsFont>();
  font->name = FaceNameOf(handle);
  font->size = size;
  font->style = style;
  font->handle = reinterpret_cast<NativeHandle>(handle);
  // A stock font is made for the system's DPI; so is every font made from a size.
  font->_dpi = SystemDpi();
  font->Remember(handle);
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
      HeightForDpi(size, ScreenDpiY()), 0, 0, 0, (style & FONT_BOLD) ? FW_BOLD : FW_DONTCARE,
      (style & FONT_ITALIC) ? TRUE : FALSE, (style & FONT_UNDERLINE) ? TRUE : FALSE, FALSE,
      ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
      DEFAULT_PITCH | FF_DONTCARE, Wide(name));
  auto font = Adopt(native, size, style);
  font->name = name;
  font->_ofpoints = true;
  font->_dpi = ScreenDpiY();
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
