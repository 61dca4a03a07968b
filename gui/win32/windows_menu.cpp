#include "gui/win32/windows_menu.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"
#include "gui/win32/windows_graphic.h"
#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "runtime/error.h"

namespace quardeln {
namespace {

// Submenus run no modal loop of their own; checks and pictures share one column.
constexpr DWORD kSubmenuStyle = MNS_MODELESS | MNS_CHECKORBMP;

// The key table keeps every menu alive until it is freed, as the program's menus live
// for as long as the program wants them; keys only grow, so none is ever reused.
struct TMenuKeyTable {
  std::map<int32_t, WindowsMenuRef> menus;
  int32_t last = 100;  // the window's command routing takes ids above 100 as menu keys
};

TMenuKeyTable& KeyTable() {
  static TMenuKeyTable table;
  return table;
}

std::u16string Digits(int32_t value) {
  std::u16string text;
  for (const char digit : std::to_string(value)) text += static_cast<char16_t>(digit);
  return text;
}

std::u16string NamedKey(int32_t key) {
  switch (key) {
    case VK_BACK:
      return u"Backspace";
    case VK_TAB:
      return u"Tab";
    case VK_ESCAPE:
      return u"Esc";
    case VK_SPACE:
      return u"Space";
    case VK_RETURN:
      return u"Enter";
    case VK_PRIOR:
      return u"PageUp";
    case VK_NEXT:
      return u"PageDown";
    case VK_END:
      return u"End";
    case VK_HOME:
      return u"Home";
    case VK_LEFT:
      return u"Left";
    case VK_RIGHT:
      return u"Right";
    case VK_UP:
      return u"Up";
    case VK_DOWN:
      return u"Down";
    case VK_INSERT:
      return u"Insert";
    case VK_DELETE:
      return u"Delete";
    case VK_OEM_3:
      return u"~";
    case VK_OEM_MINUS:
      return u"-";
    case VK_OEM_PLUS:
      return u"=";
    case VK_OEM_4:
      return u"[";
    case VK_OEM_6:
      return u"]";
    case VK_OEM_102:
      return u"\\";
    case VK_OEM_1:
      return u";";
    case VK_OEM_7:
      return u"'";
    case VK_OEM_COMMA:
      return u",";
    case VK_OEM_PERIOD:
      return u".";
    case VK_OEM_2:
      return u"/";
    case VK_MULTIPLY:
      return u"Num *";
    case VK_ADD:
      return u"Num +";
    case VK_SUBTRACT:
      return u"Num -";
    case VK_DECIMAL:
      return u"Num .";
    case VK_DIVIDE:
      return u"Num /";
    default:
      return {};
  }
}

// The key's name; empty when it has none.
std::u16string KeyName(int32_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    return std::u16string(1, static_cast<char16_t>(key));
  }
  std::u16string name;
  if (key >= VK_F1 && key <= VK_F12) {
    name = u"F";
    name += Digits(key - VK_F1 + 1);
  } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
    name = u"Num ";
    name += Digits(key - VK_NUMPAD0);
  } else {
    name = NamedKey(key);
  }
  return name;
}

// The picture beside an item: the top-left part that fits the check-mark area, with its
// alpha kept where the menu can blend it and laid over the menu colour elsewhere.
HBITMAP MenuPicture(const PixmapRef& drawn) {
  if (!drawn) return nullptr;
  // Menus are drawn at the system's DPI, their check-mark area too.
  const PixmapRef pixmap = TWindowsGraphic::ForDpi(drawn, SystemDpi());
  const int32_t w = std::min(pixmap->Width(), GetSystemMetrics(SM_CXMENUCHECK));
  const int32_t h = std::min(pixmap->Height(), GetSystemMetrics(SM_CYMENUCHECK));
  if (w <= 0 || h <= 0) return nullptr;  // nothing to show
  PixmapRef part = pixmap->Window(0, 0, w, h);
  if (TWindowsGUIDriver::CheckCommonControlVersion() == 2) {
    return TWindowsGraphic::PreMultipliedBitmapFromPixmap32(part);
  }
  const COLORREF back = GetSysColor(COLOR_MENU);
  return TWindowsGraphic::BitmapWithBackgroundFromPixmap32(part, GetRValue(back), GetGValue(back),
                                                           GetBValue(back));
}

// The text shown after an item's caption: a tab, the modifier prefixes and the key's
// name; empty for a key without a name.
std::u16string MenuShortcutText(int32_t key, int32_t mods) {
  const std::u16string name = KeyName(key);
  if (name.empty()) return {};
  // Shift, then Ctrl, then Alt, each put in front of what is there already.
  std::u16string text = u"\t";
  if (mods & ModAlt) text += u"Alt+";
  if (mods & ModControl) text += u"Ctrl+";
  if (mods & ModShift) text += u"Shift+";
  text += name;
  return text;
}

}  // namespace

WindowsMenuRef TWindowsMenu::Create(const std::u16string& text, const GadgetRef& group,
                                    int32_t tag) {
  auto menu = std::make_shared<TWindowsMenu>();
  menu->gadgetclass = GADGETCLASS_MENU;  // a window's root menu too, made here
  menu->SetNewKey();
  menu->SetText(text);
  menu->_tag = tag;
  GadgetRef parent = group;
  if (std::dynamic_pointer_cast<TWindowsWindow>(group)) parent = group->GetMenu();
  if (parent) menu->_setparent(parent, -1);
  return menu;
}

void TWindowsMenu::SetNewKey() {
  TMenuKeyTable& table = KeyTable();
  _key = ++table.last;
  table.menus[_key] = std::static_pointer_cast<TWindowsMenu>(Self());
}

WindowsMenuRef TWindowsMenu::GetMenuFromKey(int32_t key) {
  const auto& menus = KeyTable().menus;
  auto at = menus.find(key);
  return at == menus.end() ? nullptr : at->second;
}

bool TWindowsMenu::HasMenuParent() const {
  return std::dynamic_pointer_cast<TWindowsMenu>(Parent()) != nullptr;
}

int32_t TWindowsMenu::DoLayout() {
  return 0;
}

int32_t TWindowsMenu::State() {
  return _state;
}

int32_t TWindowsMenu::SetText(const std::u16string& text) {
  name = text;
  return 0;
}

std::u16string TWindowsMenu::GetText() {
  return name;
}

int32_t TWindowsMenu::SetTooltip(const std::u16string&) {
  return 0;
}

int32_t TWindowsMenu::Open(int32_t popup) {
  auto owner = std::dynamic_pointer_cast<TWindowsMenu>(Parent());
  if (owner) {
    OpenAsItem(*owner);
  } else {
    // The items must not name menus of a tree about to be destroyed.
    FreeKids();
    _nativetree.reset(popup ? CreatePopupMenu() : CreateMenu());
    _hmenu = _nativetree.get();
  }
  for (const GadgetRef& kid : GadgetKids(kids)) {
    if (auto item = std::dynamic_pointer_cast<TWindowsMenu>(kid)) item->Open(popup);
  }
  return 0;
}

void TWindowsMenu::OpenAsItem(TWindowsMenu& owner) {
  _pmenu = owner._hmenu;
  if (!_pmenu) RaiseError(kMenuParentWithoutHandleMessage);
  _item = GetMenuItemCount(_pmenu);
  if (name.empty()) {
    AppendMenuW(_pmenu, MF_SEPARATOR, 0, nullptr);
  } else {
    AppendMenuW(_pmenu, MF_STRING, static_cast<UINT_PTR>(_key), Wide(name + _shortcut));
  }
  if (!kids.empty()) OpenSubmenu();
  if (_state & GADGETSTATE_DISABLED) EnableMenuItem(_pmenu, _item, MF_BYPOSITION | MF_GRAYED);
  if (_state & GADGETSTATE_CHECKED) CheckMenuItem(_pmenu, _item, MF_BYPOSITION | MF_CHECKED);
  if (_iconBitmap) {
    SetMenuItemBitmaps(_pmenu, _item, MF_BYPOSITION, _iconBitmap.get(), _iconBitmap.get());
  }
}

void TWindowsMenu::OpenSubmenu() {
  UniqueMenu submenu(CreateMenu());
  if (!submenu) return;  // the items then find no handle and say so
  MENUINFO look{};
  look.cbSize = sizeof look;
  look.fMask = MIM_STYLE;
  look.dwStyle = kSubmenuStyle;
  SetMenuInfo(submenu.get(), &look);
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_SUBMENU;
  item.hSubMenu = submenu.get();
  if (!SetMenuItemInfoW(_pmenu, static_cast<UINT>(_item), TRUE, &item)) return;
  // Attached: the parent's native menu destroys it with itself from now on.
  _hmenu = submenu.release();
}

int32_t TWindowsMenu::FreeKids() {
  for (const GadgetRef& kid : GadgetKids(kids)) {
    if (auto item = std::dynamic_pointer_cast<TWindowsMenu>(kid)) item->Close();
  }
  return 0;
}

int32_t TWindowsMenu::Close() {
  FreeKids();
  _nativetree.reset();  // a root's tree, unless a window has taken it
  _hmenu = nullptr;
  _pmenu = nullptr;
  _item = 0;
  return 0;
}

void TWindowsMenu::HandOverMenuBar() {
  if (_nativetree && _nativetree.get() == _hmenu) static_cast<void>(_nativetree.release());
}

int32_t TWindowsMenu::Free() {
  WindowsMenuRef self =
      std::static_pointer_cast<TWindowsMenu>(Self());  // the table may hold the last
  for (const GadgetRef& kid : GadgetKids(kids)) {
    if (std::dynamic_pointer_cast<TWindowsMenu>(kid)) kid->Free();
  }
  // The native item may stay shown until the next rebuild: it must not keep the picture.
  if (_pmenu && _iconBitmap) SetMenuItemBitmaps(_pmenu, _item, MF_BYPOSITION, nullptr, nullptr);
  Close();
  _setparent(nullptr, -1);
  KeyTable().menus.erase(_key);
  RemoveHotKey();
  _iconBitmap.reset();
  return 0;
}

int32_t TWindowsMenu::SetEnabled(int32_t flag) {
  if (flag) {
    _state &= ~GADGETSTATE_DISABLED;
  } else {
    _state |= GADGETSTATE_DISABLED;
  }
  if (_pmenu) EnableMenuItem(_pmenu, _item, MF_BYPOSITION | (flag ? MF_ENABLED : MF_GRAYED));
  return 0;
}

int32_t TWindowsMenu::SetSelected(int32_t flag) {
  if (flag) {
    _state |= GADGETSTATE_CHECKED;
  } else {
    _state &= ~GADGETSTATE_CHECKED;
  }
  if (_pmenu) CheckMenuItem(_pmenu, _item, MF_BYPOSITION | (flag ? MF_CHECKED : MF_UNCHECKED));
  return 0;
}

int32_t TWindowsMenu::SetPixmap(const PixmapRef& pixmap, int32_t flags) {
  if (!(flags & GADGETPIXMAP_ICON)) return 0;
  UniqueBitmap picture(MenuPicture(pixmap));
  // An open item lets go of the old picture before it is deleted.
  if (_pmenu) SetMenuItemBitmaps(_pmenu, _item, MF_BYPOSITION, picture.get(), picture.get());
  _iconBitmap = std::move(picture);
  return 0;
}

int32_t TWindowsMenu::SetHotKey(int32_t key, int32_t mods) {
  _hotkeycode = key;
  _modifier = mods;
  _shortcut = MenuShortcutText(key, mods);
  ShowCaption();
  EventRef event = TEvent::Create(MenuAction, Self(), _tag, 0, 0, 0, nullptr);
  RemoveHotKey();
  if (key != 0) {
    const auto owner = reinterpret_cast<NativeHandle>(OwnerWindowHwnd(Self()));
    _hotkey = HotKeyRegister(key, mods, std::move(event), owner);
  }
  return 0;
}

void TWindowsMenu::ShowCaption() {
  if (!_pmenu || name.empty()) return;  // a separator has no caption
  std::u16string caption = name + _shortcut;
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = reinterpret_cast<LPWSTR>(caption.data());
  SetMenuItemInfoW(_pmenu, static_cast<UINT>(_item), TRUE, &item);
}

void TWindowsMenu::RemoveHotKey() {
  if (HotKeyRef hotkey = _hotkey.lock()) HotKeyRemove(hotkey);
  _hotkey.reset();
}

}  // namespace quardeln
