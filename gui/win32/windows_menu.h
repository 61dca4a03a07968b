// A menu gadget: one item of a tree of menus (the kids are its items) that the driver
// turns into native menu bars and pop-ups; it has no window. Every menu takes a command
// key above 100, never reused, and stays in the key table under it until it is freed.
// Native ownership: a root owns its whole native tree (DestroyMenu takes the submenus
// with it) and the other menus only name theirs; a bar handed to a window with SetMenu
// belongs to that window from then on. Item pictures are the menus' own to delete.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/hotkey.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

inline constexpr const char* kMenuParentWithoutHandleMessage =
    "Parent doesn't have a handle - the desktop heap may have run out of memory!";

class TWindowsMenu;
using WindowsMenuRef = std::shared_ptr<TWindowsMenu>;

class TWindowsMenu final : public TGadget {
 public:
  TWindowsMenu() = default;
  TWindowsMenu(const TWindowsMenu&) = delete;
  TWindowsMenu& operator=(const TWindowsMenu&) = delete;

  HMENU NativeMenu() const { return _hmenu; }  // its own native menu while open with items
  HMENU ParentMenu() const { return _pmenu; }  // the native menu it is an item of, while open
  int32_t Position() const { return _item; }   // its position in ParentMenu
  int32_t Tag() const { return _tag; }         // the data of its MenuAction events
  int32_t Key() const { return _key; }         // command id and key in the menu key table
  HBITMAP Picture() const { return _iconBitmap.get(); }  // shown beside its caption; or null

  // A new menu with its key taken, its text and tag set, attached to `group` (to a
  // window's root menu when `group` is a window; no parent when null).
  static WindowsMenuRef Create(const std::u16string& text, const GadgetRef& group, int32_t tag);
  // The menu registered under `key`, or null.
  static WindowsMenuRef GetMenuFromKey(int32_t key);

  int32_t DoLayout() override;  // menus take no place
  // Frees the menu with all its items: a freed menu can never be shown again, so their
  // keys, shortcuts and pictures go too.
  int32_t Free() override;
  int32_t State() override;
  int32_t SetText(const std::u16string& text) override;  // shows at the next rebuild
  std::u16string GetText() override;
  int32_t SetTooltip(const std::u16string& text) override;
  int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags) override;
  int32_t SetEnabled(int32_t flag) override;
  int32_t SetSelected(int32_t flag) override;
  int32_t SetHotKey(int32_t key, int32_t mods) override;

  // Builds the native menus of this menu and its items: a root makes a pop-up (popup
  // nonzero) or a bar, any other menu appends itself to its parent's native menu.
  int32_t Open(int32_t popup);
  int32_t FreeKids();  // closes the items' native menus
  int32_t Close();
  // The root's bar now belongs to the window it was set on, which destroys it when it
  // goes; _hmenu still names it for the items.
  void HandOverMenuBar();
  bool HasMenuParent() const;

 private:
  void SetNewKey();
  void OpenAsItem(TWindowsMenu& owner);
  void OpenSubmenu();
  void ShowCaption();
  void RemoveHotKey();

  HMENU _hmenu = nullptr;  // its own native menu while open with items (a root: always)
  HMENU _pmenu = nullptr;  // the parent's native menu it is an item of, while open
  int32_t _item = 0;       // its position in _pmenu
  int32_t _state = 0;      // GADGETSTATE_DISABLED and GADGETSTATE_CHECKED, kept while closed
  int32_t _tag = 0;        // the data of its MenuAction events
  int32_t _hotkeycode = 0;
  int32_t _modifier = 0;
  std::u16string _shortcut;  // tab and key name appended to the caption; empty when none
  // The registry holds the hot key (and through its event this menu); Free removes it.
  std::weak_ptr<THotKey> _hotkey;
  int32_t _key = 0;          // command id and key in the menu key table
  UniqueBitmap _iconBitmap;  // the item's picture, shown beside its caption
  UniqueMenu _nativetree;    // a root's native menu, until a window takes it as its bar
};

}  // namespace quardeln
