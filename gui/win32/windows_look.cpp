// Control colours and backgrounds. Native controls paint their own background; to let a
// panel's colour or picture show through labels, buttons, sliders and group boxes they
// get a brush made from their parent's background behind them.
#include <utility>

#include "gui/win32/optional_api.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {
namespace {

// A parent with a sunken edge paints its client area inside the edge.
POINT ClientEdgeOffset(HWND parent) {
  if (GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    return {-GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE)};
  }
  return {0, 0};
}

// A bitmap of w x h compatible with `like`.
UniqueBitmap CompatibleBitmap(HDC like, int w, int h) {
  return UniqueBitmap(CreateCompatibleBitmap(like, w, h));
}

}  // namespace

HBRUSH TWindowsGadget::CreateControlBrush(HWND hwnd, HDC dc) {
  _hbrush.reset();
  _hbitmap.reset();
  if (_brush) {
    if (dc) SetBkColor(dc, static_cast<COLORREF>(_backcolor));
    return _brush.get();
  }
  HWND group = GetParent(hwnd);
  const TWindowDc parentDc(group);
  const POINT offset = ClientEdgeOffset(group);
  RECT parentRect{};
  RECT controlRect{};
  GetWindowRect(group, &parentRect);
  GetWindowRect(hwnd, &controlRect);
  const int controlW = controlRect.right - controlRect.left;
  const int controlH = controlRect.bottom - controlRect.top;
  const UniqueBitmap parentPicture = CompatibleBitmap(
      parentDc.get(), parentRect.right - parentRect.left, parentRect.bottom - parentRect.top);
  UniqueBitmap piece = CompatibleBitmap(parentDc.get(), controlW, controlH);
  {
    const TMemoryDc whole(parentDc.get(), parentPicture.get());
    SendMessageW(group, WM_ERASEBKGND, reinterpret_cast<WPARAM>(whole.get()), 0);
    const TMemoryDc part(parentDc.get(), piece.get());
    BitBlt(part.get(), 0, 0, controlW, controlH, whole.get(),
           controlRect.left - parentRect.left + offset.x,
           controlRect.top - parentRect.top + offset.y, SRCCOPY);
  }
  _hbitmap = std::move(piece);  // out of its DC now: a brush can be made of it
  _hbrush.reset(CreatePatternBrush(_hbitmap.get()));
  return _hbrush.get();
}

HBRUSH TWindowsGadget::DrawBackground(HDC dc, HWND hwnd) {
  if (_brush) {
    SetBkColor(dc, static_cast<COLORREF>(_backcolor));
    return _brush.get();
  }
  return DrawParentBackground(dc, hwnd, 0);
}

HBRUSH TWindowsGadget::DrawParentBackground(HDC dc, HWND hwnd, int32_t noTheme) {
  RECT client{};
  RECT parentClient{};
  RECT window{};
  HWND parent = GetParent(hwnd);
  GetClientRect(hwnd, &client);
  GetClientRect(parent, &parentClient);
  GetWindowRect(hwnd, &window);
  const int saved = SaveDC(dc);
  if (DrawThemeParentBackgroundPtr && noTheme == 0) {
    DrawThemeParentBackgroundPtr(hwnd, dc, &client);
  } else {
    // Mapped to the parent's client coordinates, which already lie inside a sunken
    // edge: no further edge offset, or the copy would be shifted by the edge.
    POINT topLeft{window.left, window.top};
    ScreenToClient(parent, &topLeft);
    const UniqueBitmap picture = CompatibleBitmap(dc, parentClient.right, parentClient.bottom);
    const TMemoryDc whole(dc, picture.get());
    InvalidateRect(parent, nullptr, FALSE);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(whole.get()), 0);
    BitBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, whole.get(),
           topLeft.x + client.left, topLeft.y + client.top, SRCCOPY);
  }
  RestoreDC(dc, saved);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

TWindowsGadget::ColourRule TWindowsGadget::ControlColourRule() {
  return ColourRule::kForward;
}

HWND TWindowsGadget::ColourBrushWindow(HWND) {
  return _hwnd;
}

HBRUSH TWindowsGadget::ControlColour(HDC dc, HWND control) {
  const ColourRule rule = ControlColourRule();
  if (rule == ColourRule::kForward) return nullptr;
  if (rule == ColourRule::kTransparent) SetBkMode(dc, TRANSPARENT);
  if (_textcolor >= 0) ::SetTextColor(dc, static_cast<COLORREF>(_textcolor));
  if (rule == ColourRule::kTransparent) {
    return CreateControlBrush(ColourBrushWindow(control), dc);
  }
  if (!_brush) return nullptr;
  SetBkColor(dc, static_cast<COLORREF>(_backcolor));
  return _brush.get();
}

}  // namespace quardeln
