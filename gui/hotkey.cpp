#include "gui/hotkey.h"

namespace quardeln {

HotKeyRef HotKeyList;

THotKey::~THotKey() {
  // A long list would otherwise be released by one nested destructor per entry.
  HotKeyRef next = std::move(succ);
  while (next && next.use_count() == 1) next = std::move(next->succ);
}

HotKeyRef HotKeyRegister(int32_t key, int32_t mods, EventRef event, NativeHandle owner) {
  if (!event) event = TEvent::Create(HotkeyHit, nullptr, key, mods, 0, 0, nullptr);
  HotKeyRef entry;
  for (THotKey* at = HotKeyList.get(); at; at = at->succ.get()) {
    if (at->key == key && at->mods == mods && at->owner == owner) {
      entry = std::static_pointer_cast<THotKey>(at->shared_from_this());
      break;
    }
  }
  if (!entry) {
    entry = std::make_shared<THotKey>();
    entry->key = key;
    entry->mods = mods;
    entry->owner = owner;
    entry->succ = std::move(HotKeyList);
    HotKeyList = entry;
  }
  entry->event = std::move(event);
  return entry;
}

int32_t HotKeyRemove(const HotKeyRef& hotkey) {
  if (!hotkey) return 0;
  for (HotKeyRef* link = &HotKeyList; *link; link = &(*link)->succ) {
    if (*link == hotkey) {
      *link = std::move(hotkey->succ);
      hotkey->succ = nullptr;
      return 0;
    }
  }
  return 0;
}

EventRef HotKeyFind(int32_t key, int32_t mods, NativeHandle owner) {
  for (const THotKey* at = HotKeyList.get(); at; at = at->succ.get()) {
    if (at->key == key && at->mods == mods && (at->owner == 0 || at->owner == owner)) {
      return at->event;
    }
  }
  return nullptr;
}

}  // namespace quardeln
