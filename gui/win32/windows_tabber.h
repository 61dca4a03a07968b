// The tabber gadget: a native "SysTabControl32" holding a client window of the driver's
// class, which covers the tab control's display area and holds the kids. Whenever the
// tabber has no real tab it shows one empty placeholder tab (when new, after its last
// tab is removed, after Clear), so the tab row and the client area never move; the next
// insertion clears the control before it adds the real tab. Selecting a tab by mouse
// posts GadgetAction with the tab's index and extra; the tip of the tab under the mouse
// is answered on request.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/windows_list_gadget.h"

namespace quardeln {

class TWindowsTabber final : public TWindowsListGadget {
 public:
  TWindowsTabber() = default;

  static std::shared_ptr<TWindowsTabber> Create(const GadgetRef& group, int32_t style);

  // The size of the display area below the tab row; 0 when there is none.
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t SetTooltip(const std::u16string& text) override;  // items carry the tips
  int32_t SetIconStrip(const IconStripRef& strip) override;
  int32_t ClearListItems() override;
  int32_t InsertListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override;
  int32_t SetListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                      int32_t icon, ObjectRef extra) override;
  int32_t RemoveListItem(int32_t index) override;
  int32_t SetListItemState(int32_t index, int32_t state) override;
  int32_t ListItemState(int32_t index) override;
  // Moves the client window onto the display area.
  int32_t RethinkClient() override;
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;
  // The control's scroll arrows, which the driver does not know, scroll its tab row.
  bool HearsInnerWindows() const override { return true; }
  // The copy of the tip last handed to the tooltip; empty when none.
  const std::u16string& TipBuffer() const { return _tipbuffer; }

 private:
  void Build(const GadgetRef& group);
  RECT DisplayRect();
  void ShowPlaceholder();
  // The control moves its selection when tabs come and go; _selected follows it, so the
  // next click on a tab is compared with what the control really shows.
  void FollowSelection();
  void SelectionChanged();
  // TTM_ADDTOOLW registers the tool; TTM_UPDATETIPTEXTW makes a shown tip ask anew.
  void AddTipTool(UINT message);
  int32_t TabAt(POINT point);  // the tab at a point of the control, or -1
  void AnswerTip(NMTTDISPINFOW& info);

  void ReleaseNativeResources() override;

  int32_t _tabcount = 0;      // real tabs; the placeholder is not counted
  std::u16string _blank;      // the placeholder's text: always empty
  std::u16string _tipbuffer;  // the tip last handed to the tooltip, kept while it shows
  int32_t _tiptab = -1;       // the tab the mouse was last over
};

}  // namespace quardeln
