#include "gui/win32/windows_tool_bar.h"

#include <algorithm>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"

namespace quardeln {
namespace {

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT.
constexpr DWORD kToolBarStyle = 0x54008800;
// TBSTYLE_EX_HIDECLIPPEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER: the toolbar's own extended
// style, not the window's (a window style 0x90 would make the toolbar take dropped files
// away from its window).
constexpr LPARAM kToolBarExtendedStyle = 0x90;
constexpr int32_t kSeparatorIcon = -2;

WPARAM IdOf(int32_t index) {
  return static_cast<WPARAM>(index) + 1;
}

}  // namespace

std::shared_ptr<TWindowsToolBar> TWindowsToolBar::Create(const GadgetRef& group, int32_t) {
  auto toolbar = std::make_shared<TWindowsToolBar>();
  toolbar->Build(group);
  return toolbar;
}

void TWindowsToolBar::Build(const GadgetRef& group) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"ToolbarWindow32", 0, kToolBarStyle, container);
  SendMessageW(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(hwnd, TB_SETEXTENDEDSTYLE, 0, kToolBarExtendedStyle);
  // Its width comes from the group, so it joins the group before it is placed.
  if (group) _setparent(group, -1);
  Register(GADGETCLASS_TOOLBAR, hwnd, nullptr, 1);
  SendMessageW(_hwnd, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(_tooltips), 0);
  Rethink();
}

int32_t TWindowsToolBar::DoLayout() {
  return Rethink();
}

int32_t TWindowsToolBar::Rethink() {
  RECT own{};
  GetWindowRect(_hwnd, &own);
  int32_t w = 0;
  if (GadgetRef group = Parent()) {
    w = group->ClientWidth();
  } else {
    RECT container{};
    GetClientRect(GetParent(_hwnd), &container);
    w = FromNative(container.right - container.left, DpiOfWindow(_hwnd));
  }
  const int32_t h = FromNative(own.bottom - own.top, DpiOfWindow(_hwnd));
  SetRect(0, 0, w, h);
  return QueueResize(_hwnd, 0, 0, w, h);
}

int32_t TWindowsToolBar::SetTooltip(const std::u16string&) {
  return 0;
}

int32_t TWindowsToolBar::SetIconStrip(const IconStripRef& strip) {
  TQuietChange quiet(*this);
  _icons = std::dynamic_pointer_cast<TWindowsIconStrip>(strip);
  SendMessageW(_hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageListOf(strip)));
  SendMessageW(_hwnd, TB_AUTOSIZE, 0, 0);
  return Rethink();
}

int32_t TWindowsToolBar::ButtonCount() const {
  return static_cast<int32_t>(SendMessageW(_hwnd, TB_BUTTONCOUNT, 0, 0));
}

void TWindowsToolBar::InsertButton(int32_t index, const std::u16string& tip, int32_t icon) {
  TBBUTTON button{};
  button.iString = -1;  // no caption: the icon is the button
  if (icon == kSeparatorIcon || (_icons && _icons->IsBlankIcon(icon))) {
    button.fsStyle = BTNS_SEP;
  } else {
    // -1 would ask the parent for the image (I_IMAGECALLBACK).
    button.iBitmap = icon >= 0 ? icon : I_IMAGENONE;
    button.idCommand = static_cast<int>(IdOf(index));
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
  }
  if (!SendMessageW(_hwnd, TB_INSERTBUTTONW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&button))) {
    return;
  }
  _tips.insert(_tips.begin() + std::clamp<ptrdiff_t>(index, 0, std::ssize(_tips)), tip);
}

void TWindowsToolBar::DeleteButton(int32_t index) {
  if (!SendMessageW(_hwnd, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0)) return;
  if (index >= 0 && index < std::ssize(_tips)) _tips.erase(_tips.begin() + index);
}

void TWindowsToolBar::DeleteTool(int32_t id) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = _hwnd;
  tool.uId = static_cast<UINT_PTR>(id);
  SendMessageW(_tooltips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TWindowsToolBar::AddTool(int32_t index) {
  TOOLINFOW tool{};
  // The size the tooltip control knows in every common-controls version.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = _hwnd;
  tool.uId = IdOf(index);
  SendMessageW(_hwnd, TB_GETITEMRECT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&tool.rect));
  tool.lpszText = reinterpret_cast<LPWSTR>(_tips[static_cast<size_t>(index)].data());
  SendMessageW(_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TWindowsToolBar::Renumber(int32_t known) {
  for (int32_t id = 1; id <= known; ++id) DeleteTool(id);
  const int32_t count = ButtonCount();
  for (int32_t index = 0; index < count; ++index) {
    TBBUTTON button{};
    SendMessageW(_hwnd, TB_GETBUTTON, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & BTNS_SEP) continue;
    SendMessageW(_hwnd, TB_SETCMDID, static_cast<WPARAM>(index), IdOf(index));
    if (index < std::ssize(_tips) && !_tips[static_cast<size_t>(index)].empty()) AddTool(index);
  }
}

int32_t TWindowsToolBar::ClearListItems() {
  TQuietChange quiet(*this);
  const int32_t known = ButtonCount();
  while (ButtonCount() > 0) {
    if (!SendMessageW(_hwnd, TB_DELETEBUTTON, 0, 0)) break;
  }
  _tips.clear();
  Renumber(known);
  return 0;
}

int32_t TWindowsToolBar::InsertListItem(int32_t index, const std::u16string&,
                                        const std::u16string& tip, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  const int32_t known = ButtonCount() + 1;
  InsertButton(index, tip, icon);
  Renumber(known);
  return 0;
}

int32_t TWindowsToolBar::SetListItem(int32_t index, const std::u16string&,
                                     const std::u16string& tip, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  const int32_t known = ButtonCount();
  DeleteButton(index);
  InsertButton(index, tip, icon);
  Renumber(known);
  return 0;
}

int32_t TWindowsToolBar::RemoveListItem(int32_t index) {
  TQuietChange quiet(*this);
  const int32_t known = ButtonCount();
  DeleteButton(index);
  Renumber(known);
  return 0;
}

int32_t TWindowsToolBar::SetListItemState(int32_t index, int32_t state) {
  TQuietChange quiet(*this);
  const WPARAM id = IdOf(index);
  SendMessageW(_hwnd, TB_ENABLEBUTTON, id, MAKELPARAM((state & ITEMSTATE_DISABLED) ? 0 : 1, 0));
  SendMessageW(_hwnd, TB_CHECKBUTTON, id, MAKELPARAM((state & ITEMSTATE_SELECTED) ? 1 : 0, 0));
  return 0;
}

int32_t TWindowsToolBar::ListItemState(int32_t index) {
  const LRESULT native = SendMessageW(_hwnd, TB_GETSTATE, IdOf(index), 0);
  if (native == -1) return 0;  // no button with that id
  int32_t state = 0;
  if (native & TBSTATE_CHECKED) state |= ITEMSTATE_SELECTED;
  if (!(native & TBSTATE_ENABLED)) state |= ITEMSTATE_DISABLED;
  return state;
}

LRESULT TWindowsToolBar::OnCommand(UINT msg, WPARAM wParam) {
  if (msg != WM_COMMAND) return 0;
  const int32_t id = LOWORD(wParam);
  if (id < 1) return 0;
  PostGuiEvent(GadgetAction, id - 1, 0, 0, 0, ItemExtra(id - 1));
  return 0;
}

void TWindowsToolBar::ReleaseNativeResources() {
  // The control drew with the strip's image list; both go only once the window has.
  _icons.reset();
  TWindowsGadget::ReleaseNativeResources();
}

}  // namespace quardeln
