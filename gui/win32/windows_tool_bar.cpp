#include "gui/win32/windows_tool_bar.h"

#include <algorithm>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_icon_strip.h"

namespace quardeln {
namespace {

constexpr DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
static_assert(kToolBarStyle == 0x54008800);
// The toolbar's own extended style, not the window's (a window style 0x90 would make the
// toolbar take dropped files away from its window).
constexpr LPARAM kToolBarExtendedStyle = TBSTYLE_EX_HIDECLIPPEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER;
static_assert(kToolBarExtendedStyle == 0x90);
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
  SendMessageW(Hwnd(), TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(Tooltips()), 0);
  Rethink();
}

int32_t TWindowsToolBar::DoLayout() {
  return Rethink();
}

int32_t TWindowsToolBar::Rethink() {
  RECT own{};
  GetWindowRect(Hwnd(), &own);
  int32_t w = 0;
  if (GadgetRef group = Parent()) {
    w = group->ClientWidth();
  } else {
    RECT container{};
    GetClientRect(GetParent(Hwnd()), &container);
    w = FromNative(container.right - container.left, DpiOfWindow(Hwnd()));
  }
  const int32_t h = FromNative(own.bottom - own.top, DpiOfWindow(Hwnd()));
  SetRect(0, 0, w, h);
  return QueueResize(Hwnd(), 0, 0, w, h);
}

int32_t TWindowsToolBar::SetTooltip(const std::u16string&) {
  return 0;
}

int32_t TWindowsToolBar::SetIconStrip(const IconStripRef& strip) {
  TQuietChange quiet(*this);
  KeepIcons(strip);
  SendMessageW(Hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageListOf(strip)));
  SendMessageW(Hwnd(), TB_AUTOSIZE, 0, 0);
  return Rethink();
}

int32_t TWindowsToolBar::ButtonCount() const {
  return static_cast<int32_t>(SendMessageW(Hwnd(), TB_BUTTONCOUNT, 0, 0));
}

bool TWindowsToolBar::IsSeparator(int32_t icon) const {
  if (icon == kSeparatorIcon) return true;
  auto strip = std::dynamic_pointer_cast<TWindowsIconStrip>(Icons());
  return strip && strip->IsBlankIcon(icon);
}

bool TWindowsToolBar::InsertButton(int32_t index, const std::u16string& tip, int32_t icon) {
  TBBUTTON button{};
  button.iString = -1;  // no caption: the icon is the button
  const bool separator = IsSeparator(icon);
  if (separator) {
    button.fsStyle = BTNS_SEP;
  } else {
    // -1 would ask the parent for the image (I_IMAGECALLBACK).
    button.iBitmap = icon >= 0 ? icon : I_IMAGENONE;
    button.idCommand = static_cast<int>(IdOf(index));
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
  }
  if (!SendMessageW(Hwnd(), TB_INSERTBUTTONW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&button))) {
    return false;
  }
  const auto at = std::clamp<ptrdiff_t>(index, 0, std::ssize(_buttons));
  _buttons.insert(_buttons.begin() + at, TButton{tip, separator});
  return true;
}

bool TWindowsToolBar::DeleteButton(int32_t index) {
  if (index < 0 || index >= std::ssize(_buttons)) return false;
  DeleteTool(index);
  if (!SendMessageW(Hwnd(), TB_DELETEBUTTON, static_cast<WPARAM>(index), 0)) return false;
  _buttons.erase(_buttons.begin() + index);
  return true;
}

void TWindowsToolBar::PurgeTools(int32_t id) {
  // The toolbar registers a tool of its own under each button's id; a tip must be the
  // only tool of its id, or the tooltip shows whichever it meets first.
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = Hwnd();
  tool.uId = static_cast<UINT_PTR>(id);
  for (LRESULT count = SendMessageW(Tooltips(), TTM_GETTOOLCOUNT, 0, 0); count > 0;) {
    SendMessageW(Tooltips(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    const LRESULT left = SendMessageW(Tooltips(), TTM_GETTOOLCOUNT, 0, 0);
    if (left == count) break;
    count = left;
  }
}

void TWindowsToolBar::DeleteTool(int32_t index) {
  const TButton& button = _buttons[static_cast<size_t>(index)];
  if (button.id > 0) PurgeTools(button.id);
}

void TWindowsToolBar::AddTool(int32_t index) {
  TButton& button = _buttons[static_cast<size_t>(index)];
  button.id = button.separator ? 0 : static_cast<int32_t>(IdOf(index));
  if (button.separator) return;
  PurgeTools(button.id);
  if (button.tip.empty()) return;
  TOOLINFOW tool{};
  // The size the tooltip control knows in every common-controls version.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = Hwnd();
  tool.uId = IdOf(index);
  SendMessageW(Hwnd(), TB_GETITEMRECT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&tool.rect));
  tool.lpszText = reinterpret_cast<LPWSTR>(button.tip.data());
  SendMessageW(Tooltips(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TWindowsToolBar::Renumber(int32_t from) {
  // The buttons from `from` on moved: each takes the id of its new index, and its tip the
  // new id and place. All their old tools go first, so no two tools share an id.
  const int32_t count = static_cast<int32_t>(std::ssize(_buttons));
  for (int32_t index = from; index < count; ++index) DeleteTool(index);
  for (int32_t index = from; index < count; ++index) {
    if (!_buttons[static_cast<size_t>(index)].separator) {
      SendMessageW(Hwnd(), TB_SETCMDID, static_cast<WPARAM>(index), IdOf(index));
    }
    AddTool(index);
  }
}

int32_t TWindowsToolBar::ClearListItems() {
  TQuietChange quiet(*this);
  for (int32_t index = 0; index < std::ssize(_buttons); ++index) DeleteTool(index);
  while (ButtonCount() > 0) {
    if (!SendMessageW(Hwnd(), TB_DELETEBUTTON, 0, 0)) break;
  }
  _buttons.clear();
  return 0;
}

int32_t TWindowsToolBar::InsertListItem(int32_t index, const std::u16string&,
                                        const std::u16string& tip, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  const int32_t at = std::clamp<int32_t>(index, 0, static_cast<int32_t>(std::ssize(_buttons)));
  if (!InsertButton(at, tip, icon)) return 0;
  // Only the buttons behind it moved.
  Renumber(at + 1);
  AddTool(at);
  return 0;
}

int32_t TWindowsToolBar::SetListItem(int32_t index, const std::u16string& text,
                                     const std::u16string& tip, int32_t icon, ObjectRef extra) {
  if (index < 0 || index >= std::ssize(_buttons)) return 0;
  TButton& button = _buttons[static_cast<size_t>(index)];
  if (button.separator != IsSeparator(icon)) {
    // A separator and a button differ in width: the buttons behind move.
    RemoveListItem(index);
    return InsertListItem(index, text, tip, icon, std::move(extra));
  }
  TQuietChange quiet(*this);
  if (!button.separator) {
    SendMessageW(Hwnd(), TB_CHANGEBITMAP, IdOf(index),
                 MAKELPARAM(icon >= 0 ? icon : I_IMAGENONE, 0));
  }
  button.tip = tip;
  AddTool(index);  // in place of its old tip
  return 0;
}

int32_t TWindowsToolBar::RemoveListItem(int32_t index) {
  TQuietChange quiet(*this);
  if (DeleteButton(index)) Renumber(index);
  return 0;
}

int32_t TWindowsToolBar::SetListItemState(int32_t index, int32_t state) {
  TQuietChange quiet(*this);
  const WPARAM id = IdOf(index);
  SendMessageW(Hwnd(), TB_ENABLEBUTTON, id, MAKELPARAM((state & ITEMSTATE_DISABLED) ? 0 : 1, 0));
  SendMessageW(Hwnd(), TB_CHECKBUTTON, id, MAKELPARAM((state & ITEMSTATE_SELECTED) ? 1 : 0, 0));
  return 0;
}

int32_t TWindowsToolBar::ListItemState(int32_t index) {
  const LRESULT native = SendMessageW(Hwnd(), TB_GETSTATE, IdOf(index), 0);
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

}  // namespace quardeln
