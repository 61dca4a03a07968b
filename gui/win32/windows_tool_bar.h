// The toolbar gadget on a native "ToolbarWindow32": one button per item, showing the
// item's icon of the strip, or a separator for icon -2 and for icons the strip reports
// blank. A button's command id is always its index + 1 (separators have 0): the buttons
// behind an insertion or removal are renumbered, so a click reports the index the item
// has now; adding a button at the end or changing one touches no other. Tips are tools
// of the toolbar's own tooltip window, under the button's id. The toolbar sizes itself:
// it sits at 0, 0 of its group, as wide as the group's client area.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/win32/windows_list_gadget.h"

namespace quardeln {

class TWindowsToolBar final : public TWindowsListGadget {
 public:
  TWindowsToolBar() = default;

  // The toolbar joins `group` at once: CreateGadget does not place it.
  static std::shared_ptr<TWindowsToolBar> Create(const GadgetRef& group, int32_t style);

  int32_t DoLayout() override;
  int32_t Rethink() override;
  int32_t SetTooltip(const std::u16string& text) override;  // items carry the tips
  int32_t SetIconStrip(const IconStripRef& strip) override;
  int32_t ClearListItems() override;
  int32_t InsertListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override;
  int32_t SetListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                      int32_t icon, ObjectRef extra) override;
  int32_t RemoveListItem(int32_t index) override;
  int32_t SetListItemState(int32_t index, int32_t state) override;
  // ITEMSTATE_SELECTED while checked, ITEMSTATE_DISABLED while not enabled; 0 for an
  // index without a button.
  int32_t ListItemState(int32_t index) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;

 private:
  void Build(const GadgetRef& group);
  // One native button as the toolbar made it.
  struct TButton {
    std::u16string tip;
    bool separator = false;
    int32_t id = 0;  // the id its tools are registered under; 0 for none yet
  };

  int32_t ButtonCount() const;
  bool IsSeparator(int32_t icon) const;
  bool InsertButton(int32_t index, const std::u16string& tip, int32_t icon);
  bool DeleteButton(int32_t index);  // with its tool
  // Gives the buttons from `from` on the id index + 1 and their tips that id and place.
  void Renumber(int32_t from);
  // Registers the tip of button `index` under the id index + 1 (when it has a tip) as the
  // only tool of that id.
  void AddTool(int32_t index);
  void DeleteTool(int32_t index);
  // Deletes every tool registered under `id`.
  void PurgeTools(int32_t id);

  std::vector<TButton> _buttons;  // one per native button, in button order
};

}  // namespace quardeln
