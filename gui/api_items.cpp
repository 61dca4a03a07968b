// Item functions of list boxes, combo boxes, tabbers and toolbars. They take
// (text, flags, icon, tip, extra) and call the item operations with (text, tip, icon,
// extra, flags).
#include "gui/api.h"
#include "gui/api_detail.h"

namespace quardeln {

using detail::Use;

int32_t GadgetClearItems(const GadgetRef& g) {
  return Use(g).Clear();
}

int32_t GadgetAddItem(const GadgetRef& g, const std::u16string& text, int32_t flags, int32_t icon,
                      const std::u16string& tip, ObjectRef extra) {
  TGadget& gadget = Use(g);
  return gadget.InsertItem(gadget.ItemCount(), text, tip, icon, std::move(extra), flags);
}

int32_t GadgetInsertItem(const GadgetRef& g, int32_t index, const std::u16string& text,
                         int32_t flags, int32_t icon, const std::u16string& tip, ObjectRef extra) {
  return Use(g).InsertItem(index, text, tip, icon, std::move(extra), flags);
}

int32_t GadgetModifyItem(const GadgetRef& g, int32_t index, const std::u16string& text,
                         int32_t flags, int32_t icon, const std::u16string& tip, ObjectRef extra) {
  return Use(g).SetItem(index, text, tip, icon, std::move(extra), flags);
}

int32_t GadgetRemoveItem(const GadgetRef& g, int32_t index) {
  return Use(g).RemoveItem(index);
}

int32_t GadgetEnableItem(const GadgetRef& g, int32_t index) {
  TGadget& gadget = Use(g);
  return gadget.SetItemState(index, gadget.ItemState(index) & ~ITEMSTATE_DISABLED);
}

int32_t GadgetDisableItem(const GadgetRef& g, int32_t index) {
  TGadget& gadget = Use(g);
  return gadget.SetItemState(index, gadget.ItemState(index) | ITEMSTATE_DISABLED);
}

int32_t GadgetSelectItem(const GadgetRef& g, int32_t index) {
  return Use(g).SelectItem(index, SELECT_ON);
}
int32_t GadgetDeselectItem(const GadgetRef& g, int32_t index) {
  return Use(g).SelectItem(index, SELECT_OFF);
}
int32_t GadgetToggleItem(const GadgetRef& g, int32_t index) {
  return Use(g).SelectItem(index, SELECT_TOGGLE);
}
int32_t GadgetSelectedItem(const GadgetRef& g) {
  return Use(g).SelectedItem();
}
std::vector<int32_t> GadgetSelectedItems(const GadgetRef& g) {
  return Use(g).SelectedItems();
}
int32_t GadgetItemCount(const GadgetRef& g) {
  return Use(g).ItemCount();
}
std::u16string GadgetGetItemText(const GadgetRef& g, int32_t index) {
  return Use(g).ItemText(index);
}
int32_t GadgetGetItemIcon(const GadgetRef& g, int32_t index) {
  return Use(g).ItemIcon(index);
}
ObjectRef GadgetGetItemExtra(const GadgetRef& g, int32_t index) {
  return Use(g).ItemExtra(index);
}
int32_t GadgetGetItemFlags(const GadgetRef& g, int32_t index) {
  return Use(g).ItemFlags(index);
}

int32_t ToolbarSetTips(const GadgetRef& g, const std::vector<std::optional<std::u16string>>& tips) {
  TGadget& toolbar = Use(g);
  int32_t index = 0;
  for (const auto& tip : tips) {
    if (!tip) continue;
    // More tips than buttons: the rest have nothing to go to.
    if (index >= toolbar.ItemCount()) break;
    GadgetModifyItem(g, index, toolbar.ItemText(index), toolbar.ItemFlags(index),
                     toolbar.ItemIcon(index), *tip, toolbar.ItemExtra(index));
    ++index;
  }
  return 0;
}

}  // namespace quardeln
