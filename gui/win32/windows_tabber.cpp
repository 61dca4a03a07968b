#include "gui/win32/windows_tabber.h"

#include <algorithm>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_icon_strip.h"

namespace quardeln {
namespace {

constexpr DWORD kTabberStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                               WS_TABSTOP | TCS_FOCUSNEVER | TCS_HOTTRACK;
static_assert(kTabberStyle == 0x56018040);
constexpr DWORD kClientStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kClientStyle == 0x56000000);

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

std::shared_ptr<TWindowsTabber> TWindowsTabber::Create(const GadgetRef& group, int32_t) {
  auto tabber = std::make_shared<TWindowsTabber>();
  tabber->Build(group);
  return tabber;
}

void TWindowsTabber::Build(const GadgetRef& group) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"SysTabControl32", WS_EX_CONTROLPARENT, kTabberStyle, container);
  HWND client =
      CreateChildWindow(TWindowsGUIDriver::ClassName(), WS_EX_CONTROLPARENT, kClientStyle, hwnd);
  GiveDefaultFont(hwnd);
  Register(GADGETCLASS_TABBER, hwnd, client, 1);
  ShowPlaceholder();
  TabCtrl_SetToolTips(Hwnd(), Tooltips());
  AddTipTool(TTM_ADDTOOLW);
}

void TWindowsTabber::AddTipTool(UINT message) {
  // Not every tab control makes tools of its tabs; one tool over the whole control, whose
  // text is asked for each time, serves every tab.
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(Hwnd());
  tool.hinst = DriverInstance();
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(Tooltips(), message, 0, reinterpret_cast<LPARAM>(&tool));
}

int32_t TWindowsTabber::TabAt(POINT point) {
  TCHITTESTINFO hit{};
  hit.pt = point;
  return TabCtrl_HitTest(Hwnd(), &hit);
}

RECT TWindowsTabber::DisplayRect() {
  const int32_t dpi = DpiOfWindow(Hwnd());
  RECT rect = ToNative(RECT{0, 0, width, height}, dpi);
  TabCtrl_AdjustRect(Hwnd(), FALSE, &rect);
  return {FromNative(rect.left, dpi), FromNative(rect.top, dpi), FromNative(rect.right, dpi),
          FromNative(rect.bottom, dpi)};
}

int32_t TWindowsTabber::ClientWidth() {
  const RECT rect = DisplayRect();
  return std::max<int32_t>(rect.right - rect.left, 0);
}

int32_t TWindowsTabber::ClientHeight() {
  const RECT rect = DisplayRect();
  return std::max<int32_t>(rect.bottom - rect.top, 0);
}

int32_t TWindowsTabber::RethinkClient() {
  const RECT rect = ToNative(DisplayRect(), DpiOfWindow(Hwnd()));
  // Its kids are laid out (and the tabber redrawn) when the move reaches it as WM_SIZE.
  MoveWindow(ClientHwnd(), rect.left, rect.top, std::max<int32_t>(rect.right - rect.left, 0),
             std::max<int32_t>(rect.bottom - rect.top, 0), FALSE);
  return 0;
}

int32_t TWindowsTabber::SetTooltip(const std::u16string&) {
  return 0;
}

int32_t TWindowsTabber::SetIconStrip(const IconStripRef& strip) {
  TQuietChange quiet(*this);
  KeepIcons(strip);
  TabCtrl_SetImageList(Hwnd(), ImageListOf(strip));
  return RethinkClient();  // icons may make the tab row taller
}

void TWindowsTabber::ShowPlaceholder() {
  TabCtrl_DeleteAllItems(Hwnd());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(Wide(_blank));
  SendMessageW(Hwnd(), TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  _tabcount = 0;
  KeepSelected(-1);
}

void TWindowsTabber::FollowSelection() {
  const int32_t current = TabCtrl_GetCurSel(Hwnd());
  KeepSelected((_tabcount > 0 && current >= 0 && current < _tabcount) ? current : -1);
}

int32_t TWindowsTabber::ClearListItems() {
  TQuietChange quiet(*this);
  ShowPlaceholder();
  return 0;
}

int32_t TWindowsTabber::InsertListItem(int32_t index, const std::u16string& text,
                                       const std::u16string&, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  if (_tabcount == 0) TabCtrl_DeleteAllItems(Hwnd());  // the placeholder goes
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(Wide(text));
  if (icon >= 0) {
    item.mask |= TCIF_IMAGE;
    item.iImage = icon;
  }
  if (SendMessageW(Hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item)) >= 0) {
    ++_tabcount;
  }
  if (_tabcount == 0) ShowPlaceholder();
  FollowSelection();
  return 0;
}

int32_t TWindowsTabber::SetListItem(int32_t index, const std::u16string& text,
                                    const std::u16string&, int32_t icon, ObjectRef) {
  if (index < 0 || index >= _tabcount) return 0;  // never the placeholder
  TQuietChange quiet(*this);
  // The image changes too, so a toggle item shows its other icon while selected.
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<LPWSTR>(Wide(text));
  item.iImage = icon >= 0 ? icon : -1;
  SendMessageW(Hwnd(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return 0;
}

int32_t TWindowsTabber::RemoveListItem(int32_t index) {
  if (index < 0 || index >= _tabcount) return 0;
  TQuietChange quiet(*this);
  if (TabCtrl_DeleteItem(Hwnd(), index)) --_tabcount;
  if (_tabcount == 0) {
    ShowPlaceholder();
  } else {
    FollowSelection();
  }
  return 0;
}

int32_t TWindowsTabber::SetListItemState(int32_t index, int32_t state) {
  if (index < 0 || index >= _tabcount) return 0;
  TQuietChange quiet(*this);
  if (state & ITEMSTATE_SELECTED) {
    KeepSelected(index);
    TabCtrl_SetCurSel(Hwnd(), index);
  } else if (SelectedIndex() == index) {
    KeepSelected(-1);
  }
  return 0;
}

int32_t TWindowsTabber::ListItemState(int32_t index) {
  if (_tabcount <= 0) return 0;
  const int current = TabCtrl_GetCurSel(Hwnd());
  return current == index ? ITEMSTATE_SELECTED : 0;
}

void TWindowsTabber::SelectionChanged() {
  if (_tabcount <= 0) return;
  const int32_t current = TabCtrl_GetCurSel(Hwnd());
  if (current == SelectedIndex()) return;
  KeepSelected((current >= 0 && current < _tabcount) ? current : -1);
  PostGuiEvent(GadgetAction, SelectedIndex(), 0, 0, 0, ItemExtra(SelectedIndex()));
}

void TWindowsTabber::AnswerTip(NMTTDISPINFOW& info) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ScreenToClient(Hwnd(), &cursor);
  const int32_t tab = TabAt(cursor);
  _tipbuffer.clear();
  if (tab < 0 || tab >= _tabcount) return;
  _tipbuffer = ItemTip(tab);
  if (_tipbuffer.empty()) return;
  info.lpszText = reinterpret_cast<LPWSTR>(_tipbuffer.data());
}

LRESULT TWindowsTabber::OnNotify(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->hwndFrom == Hwnd() && header->code == TCN_SELCHANGE) {
    SelectionChanged();
  } else if (header->hwndFrom == Tooltips() && header->code == TTN_GETDISPINFOW) {
    AnswerTip(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
  }
  return 0;
}

LRESULT TWindowsTabber::OnCommand(UINT msg, WPARAM wParam) {
  // The scroll arrows the tab control shows for a tab row wider than itself are its own
  // child, reported here instead of to it; without them it could not scroll its tabs.
  if (msg == WM_HSCROLL && PreviousProc()) {
    HWND arrows = FindWindowExW(Hwnd(), nullptr, UPDOWN_CLASSW, nullptr);
    return CallWindowProcW(PreviousProc(), Hwnd(), msg, wParam, reinterpret_cast<LPARAM>(arrows));
  }
  return 0;
}

LRESULT TWindowsTabber::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The client window shows the tab control's own (themed) page behind the kids.
  if (hwnd == ClientHwnd() && msg == WM_ERASEBKGND) {
    DrawParentBackground(reinterpret_cast<HDC>(wParam), hwnd, 0);
    return 1;
  }
  if (hwnd == Hwnd() && msg == WM_MOUSEMOVE) {
    // The one tool covers every tab: moving onto another tab asks for its tip anew.
    const int32_t tab = TabAt(PointOf(lParam));
    if (tab != _tiptab) {
      _tiptab = tab;
      AddTipTool(TTM_UPDATETIPTEXTW);
    }
  }
  return 0;
}

void TWindowsTabber::ReleaseNativeResources() {
  // The control drew with the strip's image list; both go only once the window has.
  _tipbuffer.clear();
  TWindowsListGadget::ReleaseNativeResources();
}

}  // namespace quardeln
