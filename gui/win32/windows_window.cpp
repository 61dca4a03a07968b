#include "gui/win32/windows_window.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/optional_api.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"
#include "gui/win32/windows_graphic.h"
#include "gui/win32/windows_menu.h"
#include "runtime/temporary_change.h"
#include "system/system_driver.h"

namespace quardeln {
namespace {

constexpr DWORD kWindowBaseStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kClientWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr UINT kStatusOnTopFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
// DragQueryFileW's buffer: up to 260 characters and the terminating zero.
constexpr UINT kDropPathCapacity = 261;

DWORD StyleOf(HWND hwnd) {
  return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
}
DWORD ExStyleOf(HWND hwnd) {
  return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
}
void SetExStyle(HWND hwnd, DWORD ex_style) {
  SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(ex_style));
}

// A value the window reports in units: the one it has when that still comes to `pixels`
// (so a window placed in units reads back exactly what it was given), else the pixels'.
int32_t UnitsKeeping(int32_t pixels, int32_t current, int32_t dpi) {
  return ToNative(current, dpi) == pixels ? current : FromNative(pixels, dpi);
}

}  // namespace

std::shared_ptr<TWindowsWindow> TWindowsWindow::Create(const GadgetRef& group, int32_t given) {
  auto window = std::make_shared<TWindowsWindow>();
  window->Build(group, given);
  return window;
}

void TWindowsWindow::Build(const GadgetRef& group, int32_t given) {
  _style = given;
  DWORD native = kWindowBaseStyle;
  DWORD ex_style = 0;
  HWND owner = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE)) : nullptr;
  if (given & WINDOW_TITLEBAR) {
    // An overlapped window: the system adds the caption and border itself.
    native |= WS_SYSMENU;
    if (given & WINDOW_RESIZABLE) native |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  } else {
    native |= WS_POPUP;
  }
  if (given & WINDOW_RESIZABLE) native |= WS_THICKFRAME;
  UniqueMenu bar;
  if (given & WINDOW_MENU) {
    bar.reset(CreateMenu());
    AppendMenuW(bar.get(), MF_STRING, 0, L"");
  }
  if (given & WINDOW_TOOL) ex_style |= WS_EX_TOOLWINDOW;
  if (given & WINDOW_HIDDEN) native &= ~static_cast<DWORD>(WS_VISIBLE);
  _wstyle = static_cast<int32_t>(native);
  _xstyle = static_cast<int32_t>(ex_style);
  // Made hidden and shown once placed (Rethink): shown at once it would appear at size 0
  // and then move, two trips through the window system where one does.
  _showwhenplaced = (native & WS_VISIBLE) != 0;
  HWND hwnd = CreateWindowExW(ex_style, Wide(TWindowsGUIDriver::ClassName()), L"",
                              native & ~static_cast<DWORD>(WS_VISIBLE), 0, 0, 0, 0, owner,
                              bar.get(), DriverInstance(), nullptr);
  // The window destroys its bar when it goes; only a window that was not made leaves it ours.
  if (hwnd) _hmenu = bar.release();
  HWND client = nullptr;
  if (given & WINDOW_STATUS) {
    _status = CreateChildWindow(u"msctls_statusbar32", 0, WS_CHILD | WS_VISIBLE, hwnd);
    client = CreateChildWindow(TWindowsGUIDriver::ClassName(), 0, kClientWindowStyle, hwnd);
    SetWindowPos(_status, HWND_TOPMOST, 0, 0, 0, 0, kStatusOnTopFlags);
  }
  Register(GADGETCLASS_WINDOW, hwnd, client, 0);
  if (given & WINDOW_ACCEPTFILES) DragAcceptFiles(Hwnd(), TRUE);
}

int32_t TWindowsWindow::DoLayout() {
  return 0;
}

int32_t TWindowsWindow::StatusHeight() const {
  if (!_status) return 0;
  RECT bar{};
  GetWindowRect(_status, &bar);
  return bar.bottom - bar.top;
}

bool TWindowsWindow::HasMenuBar() const {
  return ::GetMenu(Hwnd()) != nullptr;
}

RECT TWindowsWindow::NativeOuterRect(int32_t x, int32_t y, int32_t w, int32_t h) const {
  const int32_t dpi = DpiOfWindow(Hwnd());
  const int32_t left = ToNative(x, dpi);
  const int32_t top = ToNative(y, dpi);
  RECT outer{left, top, left + ToNative(w, dpi), top + ToNative(h, dpi)};
  if (!(_style & WINDOW_CLIENTCOORDS)) return outer;
  outer.bottom += StatusHeight();
  AdjustFrame(outer);
  return outer;
}

void TWindowsWindow::AdjustFrame(RECT& client) const {
  const DWORD native = StyleOf(Hwnd());
  const DWORD ex_style = ExStyleOf(Hwnd());
  // The frame's metrics at the window's own DPI, where the system can tell them.
  if (AdjustWindowRectExForDpiPtr) {
    AdjustWindowRectExForDpiPtr(&client, native, HasMenuBar(), ex_style,
                                static_cast<UINT>(DpiOfWindow(Hwnd())));
  } else {
    AdjustWindowRectEx(&client, native, HasMenuBar(), ex_style);
  }
}

int32_t TWindowsWindow::ConvertToContainerDimensions(int32_t& x, int32_t& y, int32_t& w,
                                                     int32_t& h) {
  if (!(_style & WINDOW_CLIENTCOORDS)) return 0;
  const int32_t dpi = DpiOfWindow(Hwnd());
  const RECT outer = NativeOuterRect(x, y, w, h);
  x = FromNative(outer.left, dpi);
  y = FromNative(outer.top, dpi);
  w = FromNative(outer.right - outer.left, dpi);
  h = FromNative(outer.bottom - outer.top, dpi);
  return 1;
}

int32_t TWindowsWindow::Rethink() {
  const RECT outer = NativeOuterRect(xpos, ypos, width, height);
  const TTemporaryChange programMade(_suppressresizeevents, 1);
  MoveWindow(Hwnd(), outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
             TRUE);
  if (_showwhenplaced) {
    _showwhenplaced = false;
    ShowWindow(Hwnd(), SW_SHOW);
  }
  return 0;
}

int32_t TWindowsWindow::ClientWidth() {
  if (_style & WINDOW_CLIENTCOORDS) return width;
  RECT area = NativeOuterRect(xpos, ypos, width, height);
  SendMessageW(Hwnd(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&area));
  return std::max<int32_t>(0, FromNative(area.right - area.left, DpiOfWindow(Hwnd())));
}

int32_t TWindowsWindow::ClientHeight() {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  // A window smaller than its status bar has no room left, not a negative one.
  return std::max<int32_t>(0, FromNative(client.bottom - StatusHeight(), DpiOfWindow(Hwnd())));
}

int32_t TWindowsWindow::RethinkClient() {
  const int32_t dpi = DpiOfWindow(Hwnd());
  if (ClientHwnd()) {
    MoveWindow(ClientHwnd(), 0, 0, ToNative(ClientWidth(), dpi), ToNative(ClientHeight(), dpi),
               FALSE);
  }
  return 0;
}

int32_t TWindowsWindow::SetMinimumSize(int32_t w, int32_t h) {
  _minsize = {w, h};
  const RECT outer = NativeOuterRect(0, 0, w, h);
  _minwidth = outer.right - outer.left;
  _minheight = outer.bottom - outer.top;
  return 0;
}

int32_t TWindowsWindow::SetMaximumSize(int32_t w, int32_t h) {
  _maxsize = {w, h};
  const RECT outer = NativeOuterRect(0, 0, w, h);
  _maxwidth = outer.right - outer.left;
  _maxheight = outer.bottom - outer.top;
  return 0;
}

int32_t TWindowsWindow::State() {
  int32_t state = TWindowsGadget::State();
  if (IsIconic(Hwnd())) state |= GADGETSTATE_MINIMISED;
  if (IsZoomed(Hwnd())) state |= GADGETSTATE_MAXIMISED;
  return state;
}

BOOL CALLBACK TWindowsWindow::EnumChildProc(HWND hwnd, LPARAM lParam) {
  HWND* found = reinterpret_cast<HWND*>(lParam);
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(hwnd, &info);
  if (info.dwStyle & WS_TABSTOP) {
    *found = hwnd;
    return FALSE;
  }
  EnumChildWindows(hwnd, EnumChildProc, lParam);
  return *found == nullptr;
}

int32_t TWindowsWindow::Activate(int32_t action) {
  switch (action) {
    case ACTION_FOCUS: {
      // A freed window has no children to look through; EnumChildWindows(NULL) would
      // walk every top-level window of the desktop.
      if (!Hwnd()) return 0;
      HWND first = nullptr;
      EnumChildWindows(Hwnd(), EnumChildProc, reinterpret_cast<LPARAM>(&first));
      SetFocus(first ? first : Hwnd());
      return 0;
    }
    case ACTION_MINIMISE:
      // A program waiting minimised asks again at every pass; a window already down
      // stays as it is without a trip through the window manager.
      if (!IsIconic(Hwnd())) ShowWindow(Hwnd(), SW_MINIMIZE);
      return 0;
    case ACTION_MAXIMISE:
      ShowWindow(Hwnd(), SW_MAXIMIZE);
      return 0;
    case ACTION_RESTORE:
      ShowWindow(Hwnd(), SW_RESTORE);
      return 0;
    case ACTION_REDRAW:
      return TWindowsGadget::Activate(ACTION_REDRAW);
    default:
      return 0;
  }
}

int32_t TWindowsWindow::SetAlpha(float alpha) {
  if (!SetLayeredWindowAttributesPtr) return 0;
  const DWORD ex_style = ExStyleOf(Hwnd());
  if (alpha == 1.0f) {
    SetLayeredWindowAttributesPtr(Hwnd(), 0, 255, LWA_ALPHA);
    if (ex_style & WS_EX_LAYERED) SetExStyle(Hwnd(), ex_style & ~static_cast<DWORD>(WS_EX_LAYERED));
  } else {
    if (!(ex_style & WS_EX_LAYERED)) SetExStyle(Hwnd(), ex_style | WS_EX_LAYERED);
    SetLayeredWindowAttributesPtr(Hwnd(), 0, AlphaByte(alpha), LWA_ALPHA);
  }
  Activate(ACTION_REDRAW);
  return 0;
}

int32_t TWindowsWindow::SetText(const std::u16string& text) {
  // A title rewritten with what it shows already (a clock that has not moved on) costs a
  // caption repaint and a trip to the window manager for nothing.
  if (GetText() == text) return 0;
  return TWindowsGadget::SetText(text);
}

int32_t TWindowsWindow::SetTooltip(const std::u16string&) {
  return 0;
}

int32_t TWindowsWindow::SetPixmap(const PixmapRef& pixmap, int32_t flags) {
  if (!(flags & GADGETPIXMAP_ICON)) return 0;
  _iconpixmap = pixmap;
  UniqueIcon icon(
      TWindowsGraphic::IconFromPixmap32(TWindowsGraphic::ForDpi(pixmap, DpiOfWindow(Hwnd()))));
  // The window lets go of the old icon before it is destroyed.
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
  ShownImage().reset(icon.release());
  return 1;
}

int32_t TWindowsWindow::SetStatus(const std::u16string& text) {
  if (!_status) return 0;
  // Clear of the size grip of a resizable window.
  const std::u16string shown = (_style & WINDOW_RESIZABLE) ? text + u"  " : text;
  SendMessageW(_status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(shown)));
  return 0;
}

GadgetRef TWindowsWindow::GetMenu() {
  if (!_menu) _menu = TWindowsMenu::Create(u"", nullptr, 0);
  return _menu;
}

int32_t TWindowsWindow::PopupMenu(const GadgetRef& menu, ObjectRef extra) {
  auto popup = std::dynamic_pointer_cast<TWindowsMenu>(menu);
  // Only a root pops up: an item would append itself to its parent's native menu.
  if (!popup || popup->HasMenuParent()) return 0;
  const TTemporaryChange held(popupextra, std::move(extra));
  // The window's own root menu pops up from a native tree of its own, which takes its
  // items away from the bar: they go back to it afterwards.
  const bool ownBar = popup == _menu && ::GetMenu(Hwnd()) != nullptr;
  popup->Open(1);
  POINT at{};
  ::GetCursorPos(&at);
  TrackPopupMenu(popup->NativeMenu(), 0, at.x, at.y, 0, Hwnd(), nullptr);
  popup->Close();
  if (ownBar) UpdateMenu();
  // The chosen item's command was posted: it must become its event while the extra is set.
  PumpSystemEvents();
  return 0;
}

int32_t TWindowsWindow::UpdateMenu() {
  auto root = std::dynamic_pointer_cast<TWindowsMenu>(_menu);
  if (root) {
    root->FreeKids();
    root->Open(0);
  }
  HMENU fresh = root ? root->NativeMenu() : nullptr;
  HMENU old = ::GetMenu(Hwnd());
  // A new bar changes the client area: that is the program's doing, not the user's.
  BOOL given = FALSE;
  {
    const TTemporaryChange programMade(_suppressresizeevents, 1);
    given = SetMenu(Hwnd(), fresh);
  }
  if (!given) return 0;  // nothing changed hands; the root still owns its tree
  if (root) root->HandOverMenuBar();
  DrawMenuBar(Hwnd());
  if (old == _hmenu) _hmenu = nullptr;
  // Taken back from the window, which no longer has it: ours to destroy, submenus too.
  if (old && old != fresh) UniqueMenu{old}.reset();
  return 0;
}

int32_t TWindowsWindow::HandleMenuEvent(UINT, WPARAM key) {
  WindowsMenuRef menu = TWindowsMenu::GetMenuFromKey(static_cast<int32_t>(key));
  EmitGadgetEvent(MenuAction, menu, menu ? menu->Tag() : 0, 0, 0, 0, popupextra);
  return 0;
}

void TWindowsWindow::ReleaseNativeResources() {
  // The menus end with their window: their keys, shortcuts and pictures go now, the bar
  // (the window's own) when the system destroys the window.
  if (GadgetRef menu = std::move(_menu)) menu->Free();
  _iconpixmap.reset();
  TWindowsGadget::ReleaseNativeResources();
}

LRESULT TWindowsWindow::OnCommand(UINT msg, WPARAM wParam) {
  // Menu commands use keys above 100; control notifications never get here.
  if (wParam > 100) HandleMenuEvent(msg, wParam);
  return 0;
}

TWindowsWindow::Placement TWindowsWindow::CurrentPlacement() const {
  const Placement native = NativePlacement();
  const int32_t dpi = DpiOfWindow(Hwnd());
  return {UnitsKeeping(native.x, xpos, dpi), UnitsKeeping(native.y, ypos, dpi),
          UnitsKeeping(native.w, width, dpi), UnitsKeeping(native.h, height, dpi)};
}

TWindowsWindow::Placement TWindowsWindow::NativePlacement() const {
  RECT outer{};
  GetWindowRect(Hwnd(), &outer);
  if (!(_style & WINDOW_CLIENTCOORDS)) {
    return {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
  }
  RECT client{};
  GetClientRect(Hwnd(), &client);
  RECT frame = client;
  AdjustFrame(frame);
  // The frame's top-left is negative: the client origin lies that far inside the window.
  return {outer.left - frame.left, outer.top - frame.top, client.right,
          client.bottom - StatusHeight()};
}

LRESULT TWindowsWindow::OnEraseBackground(HWND hwnd, HDC dc) {
  if (!BackBrush()) return 0;  // the class background: the button face colour
  RECT area{};
  if (!GetUpdateRect(hwnd, &area, FALSE)) GetClipBox(dc, &area);
  FillRect(dc, &area, BackBrush());
  return 1;
}

LRESULT TWindowsWindow::OnSize(WPARAM wParam) {
  if (_status) SendMessageW(_status, WM_SIZE, 0, 0);
  if (wParam == SIZE_MINIMIZED) return 0;
  const Placement now = CurrentPlacement();
  const bool moved = now.x != xpos || now.y != ypos;
  const bool sized = now.w != width || now.h != height;
  if (sized) SetRect(now.x, now.y, now.w, now.h);
  RethinkClient();
  LayoutKids();
  if (_suppressresizeevents) return 0;
  if (moved) PostGuiEvent(WindowMove, 0, 0, now.x, now.y, nullptr);
  if (sized) PostGuiEvent(WindowSize, 0, 0, now.w, now.h, nullptr);
  return 0;
}

LRESULT TWindowsWindow::OnMove() {
  if (IsZoomed(Hwnd()) || IsIconic(Hwnd())) return 0;
  const Placement now = CurrentPlacement();
  SetRect(now.x, now.y, width, height);
  if (!_suppressresizeevents) PostGuiEvent(WindowMove, 0, 0, now.x, now.y, nullptr);
  return 0;
}

LRESULT TWindowsWindow::OnMinMaxInfo(MINMAXINFO* info) const {
  if (!info) return 0;
  info->ptMinTrackSize = {_minwidth, _minheight};
  // No maximum (-1), or one below the minimum, leaves the system's.
  if (_maxwidth >= _minwidth && _maxheight >= _minheight) {
    info->ptMaxTrackSize = {_maxwidth, _maxheight};
  }
  return 0;
}

LRESULT TWindowsWindow::OnDropFiles(HDROP drop) {
  POINT at{};
  DragQueryPoint(drop, &at);
  const int32_t dpi = DpiOfWindow(Hwnd());
  at = {FromNative(at.x, dpi), FromNative(at.y, dpi)};
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    wchar_t path[kDropPathCapacity] = {};
    const UINT length = DragQueryFileW(drop, i, path, kDropPathCapacity);
    std::u16string text(reinterpret_cast<const char16_t*>(path), length);
    PostGuiEvent(WindowAccept, 0, 0, at.x, at.y, NewText(std::move(text)));
  }
  DragFinish(drop);
  return 0;
}

LRESULT TWindowsWindow::OnDpiChanged(int32_t dpi, const RECT* suggested) {
  RememberWindowDpi(Hwnd(), dpi);
  TWindowsFont::RefontWindow(Hwnd(), dpi);
  if (_iconpixmap) SetPixmap(_iconpixmap, GADGETPIXMAP_ICON);
  SetMinimumSize(_minsize.w, _minsize.h);
  if (_maxsize.w >= 0 || _maxsize.h >= 0) SetMaximumSize(_maxsize.w, _maxsize.h);
  // The same window in units: neither the program's nor the user's resize.
  _suppressresizeevents = 1;
  if (suggested) {
    SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Every kid is placed again in pixels of the new DPI, whether the frame's size changed
  // or not, and redrawn.
  RethinkClient();
  LayoutKids();
  _suppressresizeevents = 0;
  RedrawWindow(Hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  return 1;
}

void TWindowsWindow::SetCompositedWhileSizing(bool on) {
  const DWORD ex_style = ExStyleOf(Hwnd());
  // Canvases paint through their own graphics and a layered window composes already.
  if (CanvasCreated || (ex_style & WS_EX_LAYERED)) return;
  if (on) {
    StartDoubleBuffer();
    SetExStyle(Hwnd(), ex_style | WS_EX_COMPOSITED);
  } else {
    SetExStyle(Hwnd(), ex_style & ~static_cast<DWORD>(WS_EX_COMPOSITED));
    EndDoubleBuffer();
  }
}

LRESULT TWindowsWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SIZE:
      return hwnd == Hwnd() ? OnSize(wParam) : 0;
    case WM_MOVE:
      return hwnd == Hwnd() ? OnMove() : 0;
    case WM_GETMINMAXINFO:
      return hwnd == Hwnd() ? OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)) : 0;
    case WM_ACTIVATE:
      // The whole wParam: a window activated while minimised does not count.
      if (wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE) {
        ActiveWindowGadget = WindowsSelf();
        PostGuiEvent(WindowActivate, 0, 0, 0, 0, nullptr);
      }
      return 0;
    case WM_CLOSE:
      // Closing is the program's decision: the window stays.
      PostGuiEvent(WindowClose, 0, 0, 0, 0, nullptr);
      return 1;
    case WM_DROPFILES:
      return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_DESTROY:
      if (hwnd == Hwnd()) ForgetWindowDpi(hwnd);
      return 0;
    case WM_DPICHANGED:
      return hwnd == Hwnd() ? OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam))
                            : 0;
    case WM_ENTERSIZEMOVE:
      SetCompositedWhileSizing(true);
      return 0;
    case WM_EXITSIZEMOVE:
      SetCompositedWhileSizing(false);
      return 0;
    default:
      return 0;
  }
}

}  // namespace quardeln
