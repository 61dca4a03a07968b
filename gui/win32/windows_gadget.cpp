// TWindowsGadget: binding to native windows, texts, fonts, colours, visibility, focus,
// event posting and release. Layout, looks, tooltips and hot keys have files of their own.
#include "gui/win32/windows_gadget.h"

#include "gui/win32/control_util.h"

#include <utility>
#include <vector>

#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {

COLORREF ColourOf(int32_t red, int32_t green, int32_t blue) {
  return RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
}

TWindowsGadget::TWindowsGadget() = default;

TWindowsGadget::~TWindowsGadget() = default;

WindowsGadgetRef TWindowsGadget::WindowsSelf() {
  return std::static_pointer_cast<TWindowsGadget>(shared_from_this());
}

int32_t TWindowsGadget::Register(int32_t gadgetClass, HWND hwnd, HWND hwndclient,
                                 int32_t tooltips) {
  _class = gadgetClass;
  _hwnd = hwnd;
  _hwndclient = hwndclient;
  const ATOM atom = static_cast<ATOM>(GetClassLongW(hwnd, GCW_ATOM));
  const auto ownProc = reinterpret_cast<LONG_PTR>(&TWindowsGUIDriver::ClassWndProc);
  // Subclassing a window twice would make ClassWndProc its own "previous" procedure.
  // Before the map entry: a window that runs ClassWndProc needs no other watch.
  if (atom != 0 && atom != WindowClassAtom && GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != ownProc) {
    _proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, ownProc));
  }
  WindowsGadgetRef self = WindowsSelf();
  TWindowsGUIDriver::RegisterHwnd(_hwnd, self);
  if (_hwndclient) TWindowsGUIDriver::RegisterHwnd(_hwndclient, self);
  if (tooltips) SetupToolTips();
  return 0;
}

NativeHandle TWindowsGadget::Query(int32_t which) {
  switch (which) {
    case QUERY_NATIVE:
      return reinterpret_cast<NativeHandle>(_hwnd);
    case QUERY_NATIVE_CLIENT:
      return reinterpret_cast<NativeHandle>(_hwndclient ? _hwndclient : _hwnd);
    default:
      return 0;
  }
}

void TWindowsGadget::ReleaseNativeResources() {
  // The registry holds the hot key's event, and through it this gadget.
  if (HotKeyRef hotkey = _hotkey.lock()) HotKeyRemove(hotkey);
  _hotkey.reset();
  _hbrush.reset();
  _hbitmap.reset();
  _iconBitmap.reset();
  _bitmap.reset();
  _brush.reset();
  _font.reset();
}

int32_t TWindowsGadget::Free() {
  WindowsGadgetRef self = WindowsSelf();  // the map may hold the last reference
  if (HWND tips = _tooltips) {
    _tooltips = nullptr;
    TWindowsGUIDriver::RemoveHwnd(tips);
    DestroyWindow(tips);
  }
  SetTooltip(u"");
  const HWND hwnd = _hwnd;
  const HWND client = _hwndclient;
  // Destroying sends WM_NCDESTROY through ClassWndProc, which clears the handles.
  if (hwnd) DestroyWindow(hwnd);
  TWindowsGUIDriver::RemoveHwnd(hwnd);
  TWindowsGUIDriver::RemoveHwnd(client);
  _hwnd = nullptr;
  _hwndclient = nullptr;
  ReleaseNativeResources();
  _setparent(nullptr, -1);
  return 0;
}

void TWindowsGadget::NativeWindowGone(HWND hwnd) {
  if (!hwnd) return;
  if (hwnd == _hwnd) {
    if (_toolAdded) {
      TOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.hwnd = GetParent(hwnd);
      tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
      SendMessageW(SharedTooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      _toolAdded = 0;
    }
    _hwnd = nullptr;
    _proc = nullptr;
    // The tooltip window belongs to the top-level window, which may stay: it goes now.
    if (HWND tips = std::exchange(_tooltips, nullptr)) {
      TWindowsGUIDriver::RemoveHwnd(tips);
      DestroyWindow(tips);
    }
    ReleaseNativeResources();
  }
  if (hwnd == _hwndclient) _hwndclient = nullptr;
  if (hwnd == _tooltips) _tooltips = nullptr;
  TWindowsGUIDriver::RemoveHwnd(hwnd);
}

int32_t TWindowsGadget::SetText(const std::u16string& text) {
  // Restores what was there, so that setting a text during creation (before
  // CreateGadget sensitizes the gadget) does not make it sensitive early.
  const TQuietChange quiet(*this);
  SetWindowTextW(_hwnd, Wide(text));
  return 0;
}

std::u16string TWindowsGadget::GetText() {
  const int length = GetWindowTextLengthW(_hwnd);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextW(_hwnd, buffer.data(), length + 1);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                        static_cast<size_t>(got > 0 ? got : 0));
}

int32_t TWindowsGadget::SetFont(const FontRef& font) {
  HFONT native = nullptr;
  if (auto windowsFont = std::dynamic_pointer_cast<TWindowsFont>(font)) {
    native = windowsFont->NativeFor(DpiOfWindow(_hwnd));
  }
  SendMessageW(_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(native), 1);
  _font = font;
  return 0;
}

int32_t TWindowsGadget::SetColor(int32_t r, int32_t g, int32_t b) {
  _backcolor = static_cast<int32_t>(ColourOf(r, g, b));
  _brush.reset(CreateSolidBrush(static_cast<COLORREF>(_backcolor)));
  Activate(ACTION_REDRAW);
  return 0;
}

int32_t TWindowsGadget::SetTextColor(int32_t r, int32_t g, int32_t b) {
  _textcolor = static_cast<int32_t>(ColourOf(r, g, b));
  Activate(ACTION_REDRAW);
  return 0;
}

int32_t TWindowsGadget::SetShow(int32_t flag) {
  DrawPendingChanges();
  if (flag) {
    ShowWindow(_hwnd, SW_SHOW);
    return 0;
  }
  // The focus must not stay in a hidden gadget: hand it to the parent.
  GadgetRef group = Parent();
  const bool holdsFocus = group && IsParentTo(GadgetOfHwnd(GetFocus()));
  ShowWindow(_hwnd, SW_HIDE);
  if (holdsFocus) group->Activate(ACTION_FOCUS);
  return 0;
}

int32_t TWindowsGadget::SetEnabled(int32_t flag) {
  EnableWindow(_hwnd, flag ? TRUE : FALSE);
  return 0;
}

int32_t TWindowsGadget::State() {
  DrawPendingChanges();
  int32_t state = 0;
  if (!IsWindowVisible(_hwnd)) state |= GADGETSTATE_HIDDEN;
  if (!IsWindowEnabled(_hwnd)) state |= GADGETSTATE_DISABLED;
  return state;
}

int32_t TWindowsGadget::Activate(int32_t action) {
  DrawPendingChanges();
  switch (action) {
    case ACTION_FOCUS:
      if (isControl()) {
        // Through the dialog manager, so the default button and tab order follow.
        DefDlgProcW(GetParent(_hwnd), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(_hwnd), 1);
        return 1;
      }
      SetFocus(_hwnd);
      return 0;
    case ACTION_BACK:
      SendMessageW(_hwnd, WM_NEXTDLGCTL, 1, 0);
      return 0;
    case ACTION_FORWARD:
      SendMessageW(_hwnd, WM_NEXTDLGCTL, 0, 0);
      return 0;
    case ACTION_REDRAW:
      RefreshLook();
      return RedrawWindow(_hwnd, nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME)
                 ? 1
                 : 0;
    default:
      return 0;
  }
}

int32_t TWindowsGadget::isControl() {
  constexpr LONG kMask = WS_CHILD | WS_TABSTOP;
  return (GetWindowLongW(_hwnd, GWL_STYLE) & kMask) == kMask ? 1 : 0;
}

int32_t TWindowsGadget::IsParentTo(const GadgetRef& gadget) {
  if (!gadget) return 0;
  if (gadget.get() == this) return 1;
  for (const GadgetRef& kid : kids) {
    auto windowsKid = std::dynamic_pointer_cast<TWindowsGadget>(kid);
    if (windowsKid && windowsKid->IsParentTo(gadget)) return 1;
  }
  return 0;
}

bool TWindowsGadget::CursorMovedTo(LPARAM position) {
  if (position == _oldcursorlp) return false;
  _oldcursorlp = position;
  return true;
}

void TWindowsGadget::NativeSized(HWND hwnd) {
  if (hwnd == reinterpret_cast<HWND>(Query(QUERY_NATIVE))) RethinkClient();
  if (hwnd == reinterpret_cast<HWND>(Query(QUERY_NATIVE_CLIENT))) LayoutKids();
}

int32_t TWindowsGadget::RethinkClient() {
  return 0;
}
LRESULT TWindowsGadget::OnNotify(WPARAM, LPARAM) {
  return 0;
}
LRESULT TWindowsGadget::WndProc(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}
LRESULT TWindowsGadget::OnCommand(UINT, WPARAM) {
  return 0;
}

int32_t TWindowsGadget::Sensitize() {
  _sensitive = 1;
  return 0;
}

int32_t TWindowsGadget::DeSensitize() {
  _sensitive = 0;
  return 0;
}

int32_t TWindowsGadget::PostGuiEvent(int32_t id, int32_t data, int32_t mods, int32_t x, int32_t y,
                                     ObjectRef extra) {
  if (_sensitive == 1) EmitGadgetEvent(id, Self(), data, mods, x, y, std::move(extra));
  return 0;
}

}  // namespace quardeln
