// The list box: a one-column report list view ("SysListView32") without a header and with
// single selection. The gadget core keeps the items; the control shows their texts and
// icons, asks for an item's tip when it shows one, and its notifications become
// GadgetSelect, GadgetAction and GadgetMenu. _selected follows the selection the gadget
// last saw, and moves with the items when the program inserts or removes some.
// Item changes the program makes are drawn together: the control's redraw goes off at the
// first and comes back on once the message loop runs again (each insert with redraw on
// costs the control far more than the insert itself). The column is as wide as its widest
// item and at least as wide as the control. Each item's text is measured once, when it is
// inserted, and the widest width is kept with the number of items that have it, so only
// removing the last of the widest items rescans the kept widths (once, when the column is
// next fitted). A change marks the column stale; it is fitted before the control next
// paints, takes mouse or key input, or has its geometry read.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "gui/win32/control_util.h"
#include "gui/win32/windows_list_gadget.h"

namespace quardeln {

class TWindowsListBox final : public TWindowsListGadget {
 public:
  TWindowsListBox() = default;

  static std::shared_ptr<TWindowsListBox> Create(const GadgetRef& group, int32_t style);

  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTooltip(const std::u16string& text) override;  // nothing: the items carry tips
  int32_t SetIconStrip(const IconStripRef& strip) override;
  int32_t ClearListItems() override;
  int32_t InsertListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override;
  int32_t SetListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                      int32_t icon, ObjectRef extra) override;
  int32_t RemoveListItem(int32_t index) override;
  int32_t SetListItemState(int32_t index, int32_t state) override;
  int32_t ListItemState(int32_t index) override;
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  int32_t HasResized() override;                  // the column fills the new width
  int32_t SetFont(const FontRef& font) override;  // the texts are measured again

 protected:
  void RedrawResumed() override;  // the column is fitted first

 private:
  void Build(const GadgetRef& group);
  // The first selected item of the control, or -1.
  int32_t Selection();
  void FitColumn();
  void FitColumnIfStale();
  // The width of `text` in the control's font.
  int32_t MeasureText(const std::u16string& text);
  void AddWidth(int32_t index, int32_t width);
  void RemoveWidth(int32_t index);
  // _widest and _widestcount from the kept widths.
  void RescanWidths();
  void CopyTip(NMLVGETINFOTIPW& request);
  void OnItemChanged(const NMLISTVIEW& change);
  void OnClick();
  void OnDoubleClick();
  void OnRightClick();

  int32_t _columnstale = 0;     // 1 when items changed since the column was last fitted
  int32_t _showselection = 0;   // 1: the selection comes into view when the redraw resumes
  std::deque<int32_t> _widths;  // the measured text width of each native item, in order
  int32_t _widest = 0;          // the largest of _widths
  int32_t _widestcount = 0;     // how many items have it; 0 with items left: rescan
};

}  // namespace quardeln
