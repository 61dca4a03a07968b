// The combo box on an extended combo box ("ComboBoxEx32"): an editable field with a
// drop-down list, or a pure drop-down list. The gadget core keeps the items; the control
// shows their texts and icons. Choosing an item posts GadgetAction with its index and
// extra; every change the user makes in the field posts GadgetAction with -1, but the
// control rewriting the field to show a chosen item posts nothing. The inner combo and
// edit controls are entered in the driver's map for this gadget, so focus and colours of
// either are this gadget's.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/windows_list_gadget.h"

namespace quardeln {

class TWindowsComboBox final : public TWindowsListGadget {
 public:
  TWindowsComboBox() = default;

  static std::shared_ptr<TWindowsComboBox> Create(const GadgetRef& group, int32_t style);

  HWND EditHwnd() const { return _editHwnd; }  // null for a drop-down list
  HWND ComboHwnd() const { return _comboHwnd; }

  // Editable: the field's text. Drop-down list: SetText gives the grey hint shown while
  // nothing is chosen, GetText the chosen item's text (empty when none).
  ColourRule ControlColourRule() override { return ColourRule::kField; }
  int32_t SetText(const std::u16string& text) override;
  std::u16string GetText() override;
  int32_t SetIconStrip(const IconStripRef& strip) override;
  int32_t ClearListItems() override;
  int32_t InsertListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override;
  int32_t SetListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                      int32_t icon, ObjectRef extra) override;
  int32_t RemoveListItem(int32_t index) override;
  int32_t SetListItemState(int32_t index, int32_t state) override;
  int32_t ListItemState(int32_t index) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;
  int32_t StartDoubleBuffer() override;  // no redrawing until EndDoubleBuffer
  int32_t EndDoubleBuffer() override;

 protected:
  void ReleaseNativeResources() override;

 private:
  // Marks the time the edit control spends on the user's input (keys, clipboard, undo,
  // its context menu): the field changes then are the user's.
  static LRESULT CALLBACK WatchTyping(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

  HWND _editHwnd = nullptr;   // the edit control of an editable combo box; null otherwise
  HWND _comboHwnd = nullptr;  // the inner combo control
  int32_t _typing = 0;        // depth of user input the edit control is handling
  int32_t _redrawoff = 0;     // 1 between StartDoubleBuffer and EndDoubleBuffer of a shown box

  void Build(const GadgetRef& group, int32_t given);
  // Gives an inner control the tab stop and enters it in the map for this gadget.
  void AdoptInner(HWND inner);
  int32_t CurrentSelection();
  void OnSelectionChange();
  void OnEditChange();
};

}  // namespace quardeln
