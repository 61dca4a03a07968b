// Item lists fed from a data source: the keys are the source's element texts, and each
// synchronisation brings the items from the previous keys to the new ones with few
// inserts and removals (an item made from a key holds the source as its extra).
#include <algorithm>

#include "gui/data_source.h"
#include "gui/gadget.h"

namespace quardeln {
namespace {

std::vector<std::u16string> KeysOf(const std::vector<ObjectRef>& elements) {
  std::vector<std::u16string> keys(elements.size());
  size_t next = 0;
  for (const ObjectRef& element : elements) {
    if (element) keys[next++] = element->ToString();
  }
  return keys;
}

}  // namespace

int32_t TGadget::SetDataSource(ObjectRef data_source) {
  Clear();
  datasource = std::move(data_source);
  datakeys.clear();
  SyncDataSource();
  return 0;
}

std::vector<std::u16string> TGadget::KeysFromList(const TObjectList& list) {
  return KeysOf(list.elements);
}

std::vector<std::u16string> TGadget::KeysFromObjectArray(const TObjectArray& objects) {
  return KeysOf(objects.elements);
}

int32_t TGadget::SyncDataSource() {
  if (!datasource) return 0;
  std::vector<std::u16string> keys;
  if (auto* list = dynamic_cast<const TObjectList*>(datasource.get())) {
    keys = KeysFromList(*list);
  } else if (auto* texts = dynamic_cast<const TTextArray*>(datasource.get())) {
    keys = texts->elements;
  } else if (auto* objects = dynamic_cast<const TObjectArray*>(datasource.get())) {
    keys = KeysFromObjectArray(*objects);
  }
  if (keys.empty()) {
    // The cleared list must not be taken for the old keys' items by the next sync.
    datakeys.clear();
    if (items.empty()) return 0;
    Clear();
    return 1;
  }
  SyncData(keys);
  datakeys = keys;
  return 0;
}

int32_t TGadget::SyncData(const std::vector<std::u16string>& keys) {
  const std::vector<std::u16string> old = datakeys;
  size_t o = 0;   // position in the old keys
  int32_t n = 0;  // position in items
  for (size_t i = 0; i < keys.size(); ++i) {
    const std::u16string& k = keys[i];
    if (o >= old.size()) {
      InsertItemFromKey(n++, k);
      continue;
    }
    if (k == old[o]) {
      ++o;
      ++n;
      continue;
    }
    const size_t j = static_cast<size_t>(
        std::find(old.begin() + static_cast<std::ptrdiff_t>(o) + 1, old.end(), k) - old.begin());
    const size_t skipped = j - o;
    size_t run = 1;
    while (j + run < old.size() && i + run < keys.size() && old[j + run] == keys[i + run]) ++run;
    if (run > skipped) {
      for (size_t r = 0; r < skipped; ++r) RemoveItem(n);
      o = j + 1;
      ++n;
    } else {
      InsertItemFromKey(n++, k);
    }
  }
  // The trailing items are old keys that did not come back. Stop if removal has no effect,
  // which an overriding RemoveItem could cause.
  for (int32_t count = ItemCount(); n < count;) {
    RemoveItem(n);
    const int32_t after = ItemCount();
    if (after >= count) break;
    count = after;
  }
  return 0;
}

int32_t TGadget::InsertItemFromKey(int32_t index, const std::u16string& key) {
  return InsertItem(index, key, std::u16string(), 0, datasource, 0);
}

}  // namespace quardeln
