// Hot keys: a registry mapping a key with modifiers (and optionally an owning window) to
// the event the driver emits when that key is pressed. New entries go to the front and
// searches run front to back, so the latest registration wins among equal matches.
// The registry holds its events (and through them their sources) until HotKeyRemove.
#pragma once

#include <cstdint>
#include <memory>

#include "events/event.h"
#include "gui/gadget.h"
#include "runtime/object.h"

namespace quardeln {

class THotKey final : public TObject {
 public:
  std::shared_ptr<THotKey> succ;  // next entry of HotKeyList
  int32_t key = 0;                // key code (the native virtual-key code on Windows)
  int32_t mods = 0;               // modifier bits that must be held
  EventRef event;                 // emitted when the key is pressed
  NativeHandle owner = 0;         // window the key belongs to; 0 for the whole application

  ~THotKey() override;  // unlinks its successors one by one, without deep recursion
};

using HotKeyRef = std::shared_ptr<THotKey>;

// Head of the registry list; null when empty.
extern HotKeyRef HotKeyList;

// Registers (or re-targets) the entry for key, mods and owner. A null event becomes
// HotkeyHit with data = key and mods = mods.
HotKeyRef HotKeyRegister(int32_t key, int32_t mods, EventRef event, NativeHandle owner);
// Unlinks this very entry; nothing happens when it is not registered. Returns 0.
int32_t HotKeyRemove(const HotKeyRef& hotkey);
// The event of the first entry with this key and mods whose owner is 0 or `owner`.
EventRef HotKeyFind(int32_t key, int32_t mods, NativeHandle owner);

}  // namespace quardeln
