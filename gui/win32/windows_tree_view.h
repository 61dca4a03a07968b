// A tree view gadget on a native "SysTreeView32". Its items are node gadgets under an
// invisible root node (_root), which the tree view owns for its whole life. The control
// reports selection, expansion, activation and right clicks as events with the node as
// extra. When the control's window goes, every node is detached from it, so nodes the
// program still holds never reach a control that is gone. Item changes the program makes
// are drawn together once the message loop runs again (see DeferRedraw).
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>

#include "gui/win32/control_util.h"
#include "gui/win32/windows_gadget.h"
#include "gui/win32/windows_tree_node.h"

namespace quardeln {

class TWindowsTreeView final : public TWindowsGadget {
 public:
  TWindowsTreeView() = default;

  static std::shared_ptr<TWindowsTreeView> Create(const GadgetRef& group, int32_t style);

  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetIconStrip(const IconStripRef& strip) override;
  GadgetRef RootNode() override;
  GadgetRef SelectedNode() override;
  int32_t CountKids() override;  // the nodes at the top level
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The node of `item` in this control: the root for TVI_ROOT, null for none or an item
  // whose parameter names no node of this control.
  WindowsTreeNodeRef NodeOfItem(HTREEITEM item);
  // _selected from the control's current selection once the program has deleted the
  // selected node's item.
  void ReadSelectionIfGone();

  // Before the program changes items: the control repaints and recomputes its scroll
  // bars after every change while its redraw is on, which under Wine costs milliseconds
  // per item, and programs change items in loops. So the redraw goes off until the
  // message loop runs again (a message posted to the control) or until something needs
  // the control's layout, which calls ResumeRedraw first.
  void DeferRedraw();
  void ResumeRedraw();
  bool RedrawDeferred() const { return _redraw.Deferred(); }
  // Wine's tree scrolls nothing while its redraw is off: a selection made then is brought
  // into view when the redraw resumes.
  void ShowSelectionWhenResumed() { _showselection = RedrawDeferred(); }

 protected:
  void DrawPendingChanges() override;  // the item changes made so far

 private:
  void Build(const GadgetRef& group);
  void ApplyLook();
  void OnSelectionChanged(const NMTREEVIEWW& change);
  void OnExpanded(const NMTREEVIEWW& change);
  void OnRightClick();

  void ReleaseNativeResources() override;

  WindowsTreeNodeRef _root;
  WindowsTreeNodeRef _selected;  // the selected node as last seen, or null
  IconStripRef _icons;           // keeps the strip's image list alive while shown
  TDeferredRedraw _redraw;       // item changes are drawn together
  bool _showselection = false;   // the selection comes into view when the redraw resumes
};

// The tree view gadget of a native tree control, or null.
std::shared_ptr<TWindowsTreeView> TreeViewOfHwnd(HWND tree);

}  // namespace quardeln
