// The driver's mouse pointer and colour requester.
#include <array>

#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {
namespace {

constexpr int32_t kPointerShapes = 14;

ULONG_PTR ResourceId(LPCSTR id) {
  return reinterpret_cast<ULONG_PTR>(id);
}

// Cursors of shapes 1 to 14, loaded once.
const std::array<HCURSOR, kPointerShapes>& PointerTable() {
  static const std::array<HCURSOR, kPointerShapes> table = [] {
    // The IDC_ names are narrow resource ids here; an id is only a number.
    const std::array<ULONG_PTR, kPointerShapes> ids = {
        ResourceId(IDC_ARROW),       ResourceId(IDC_IBEAM),   ResourceId(IDC_WAIT),
        ResourceId(IDC_CROSS),       ResourceId(IDC_UPARROW), ResourceId(IDC_SIZENWSE),
        ResourceId(IDC_SIZENESW),    ResourceId(IDC_SIZEWE),  ResourceId(IDC_SIZENS),
        ResourceId(IDC_SIZEALL),     ResourceId(IDC_NO),      ResourceId(IDC_HAND),
        ResourceId(IDC_APPSTARTING), ResourceId(IDC_HELP)};
    std::array<HCURSOR, kPointerShapes> cursors{};
    for (size_t i = 0; i < ids.size(); ++i)
      cursors[i] = LoadCursorW(nullptr, MAKEINTRESOURCEW(ids[i]));
    return cursors;
  }();
  return table;
}

}  // namespace

int32_t TWindowsGUIDriver::SetPointer(int32_t shape) {
  const bool known = shape >= 1 && shape <= kPointerShapes;
  HCURSOR cursor = PointerTable()[known ? static_cast<size_t>(shape - 1) : 0];
  PointerCursor = cursor;
  SetCursor(cursor);
  // Shape 0 shows the arrow now and hands the pointer back to the windows' class cursors.
  if (shape == 0) PointerCursor = nullptr;
  return 0;
}

int32_t TWindowsGUIDriver::RequestColor(int32_t red, int32_t green, int32_t blue) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = GetActiveHwnd();
  chooser.rgbResult = ColourOf(red, green, blue);
  chooser.lpCustColors = CustomColours.data();
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  HWND focus = GetFocus();
  const BOOL chosen = ChooseColorW(&chooser);
  SetFocus(focus);
  if (!chosen) return 0;
  // 0xAARRGGBB with alpha set, so that black is told from a cancel.
  const COLORREF colour = chooser.rgbResult;
  const uint32_t argb = 0xFF000000u | (uint32_t{GetRValue(colour)} << 16) |
                        (uint32_t{GetGValue(colour)} << 8) | uint32_t{GetBValue(colour)};
  return static_cast<int32_t>(argb);
}

}  // namespace quardeln
