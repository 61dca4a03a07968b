// The portable item list of list-style gadgets. Each change keeps `items` and then calls
// the native-list operation of the same kind, so a driver only realises the native list.
// An index outside the list makes an item operation do nothing (accessors answer 0,
// empty or null) rather than reach beyond the array.
#include "gui/gadget.h"

namespace quardeln {

bool TGadget::ValidItem(int32_t index) const {
  return index >= 0 && static_cast<size_t>(index) < items.size();
}

int32_t TGadget::Clear() {
  ClearListItems();
  items.clear();
  return 0;
}

int32_t TGadget::InsertItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                            int32_t icon, ObjectRef extra, int32_t flags) {
  if (index < 0 || static_cast<size_t>(index) > items.size()) return 0;
  auto item = std::make_shared<TGadgetItem>();
  item->Set(text, tip, icon, extra, flags);
  items.insert(items.begin() + index, std::move(item));
  InsertListItem(index, text, tip, icon, std::move(extra));
  if (flags & ITEMFLAG_PRESELECT) SelectItem(index, SELECT_ON);
  return 0;
}

int32_t TGadget::SetItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra, int32_t flags) {
  if (!ValidItem(index)) return 0;
  items[static_cast<size_t>(index)]->Set(text, tip, icon, extra, flags);
  SetListItem(index, text, tip, icon, std::move(extra));
  if (flags & ITEMFLAG_PRESELECT) SelectItem(index, SELECT_ON);
  return 0;
}

int32_t TGadget::RemoveItem(int32_t index) {
  if (!ValidItem(index)) return 0;
  items.erase(items.begin() + index);
  RemoveListItem(index);
  return 0;
}

int32_t TGadget::ItemCount() {
  return static_cast<int32_t>(items.size());
}

std::u16string TGadget::ItemText(int32_t index) {
  return ValidItem(index) ? items[static_cast<size_t>(index)]->text : std::u16string();
}

std::u16string TGadget::ItemTip(int32_t index) {
  return ValidItem(index) ? items[static_cast<size_t>(index)]->tip : std::u16string();
}

int32_t TGadget::ItemFlags(int32_t index) {
  return ValidItem(index) ? items[static_cast<size_t>(index)]->flags : 0;
}

int32_t TGadget::ItemIcon(int32_t index) {
  return ValidItem(index) ? items[static_cast<size_t>(index)]->icon : 0;
}

ObjectRef TGadget::ItemExtra(int32_t index) {
  return ValidItem(index) ? items[static_cast<size_t>(index)]->extra : nullptr;
}

int32_t TGadget::SetItemState(int32_t index, int32_t state) {
  return SetListItemState(index, state);
}

int32_t TGadget::ItemState(int32_t index) {
  return ListItemState(index);
}

int32_t TGadget::SelectItem(int32_t index, int32_t op) {
  if (index == -1) {
    for (int32_t i = 0; i < ItemCount(); ++i) SelectItem(i, op);
    return 0;
  }
  if (!ValidItem(index)) return 0;
  int32_t state = ItemState(index);
  if (op == SELECT_OFF) state &= ~ITEMSTATE_SELECTED;
  if (op == SELECT_ON) state |= ITEMSTATE_SELECTED;
  if (op == SELECT_TOGGLE) state ^= ITEMSTATE_SELECTED;
  // A toggle item shows the icon after its own while it is selected.
  const GadgetItemRef item = items[static_cast<size_t>(index)];
  if (item->icon > -1 && (item->flags & ITEMFLAG_TOGGLING)) {
    const int32_t shown = (state & ITEMSTATE_SELECTED) ? item->icon + 1 : item->icon;
    SetListItem(index, item->text, item->tip, shown, item->extra);
  }
  SetItemState(index, state);
  return 0;
}

int32_t TGadget::SelectedItem() {
  for (int32_t i = 0; i < ItemCount(); ++i) {
    if (ItemState(i) & ITEMSTATE_SELECTED) return i;
  }
  return -1;
}

std::vector<int32_t> TGadget::SelectedItems() {
  std::vector<int32_t> selected;
  for (int32_t i = 0; i < ItemCount(); ++i) {
    if (ItemState(i) & ITEMSTATE_SELECTED) selected.push_back(i);
  }
  return selected;
}

}  // namespace quardeln
