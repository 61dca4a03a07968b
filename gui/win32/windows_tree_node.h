// A node of a tree view: one item of the native tree control, without a window of its
// own. A node owns its child nodes through `kids` (in the control's order) and refers to
// its parent weakly. While attached, the runtime's handle table holds the node and the
// item carries that handle as its parameter, so that notifications find the node. A node
// whose item is gone (freed, or its control destroyed) is detached: no tree, no item (the
// root keeps its marker), no handle, and every operation on it leaves the control alone.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

namespace quardeln {

class TWindowsTreeNode;
using WindowsTreeNodeRef = std::shared_ptr<TWindowsTreeNode>;

inline constexpr const char* kNotATreeNodeMessage =
    "Parent isn't a treeview node. Use TreeViewRoot() when creating a root node.";

class TWindowsTreeNode final : public TGadget {
 public:
  TWindowsTreeNode() = default;
  TWindowsTreeNode(const TWindowsTreeNode&) = delete;
  TWindowsTreeNode& operator=(const TWindowsTreeNode&) = delete;

  HWND Tree() const { return _tree; }             // null once detached
  HTREEITEM Item() const { return _item; }        // TVI_ROOT for the root; null once detached
  int32_t Expanded() const { return _expanded; }  // 1 after an expand, 0 after a collapse
  void KeepExpanded(int32_t expanded) { _expanded = expanded; }
  int32_t RuntimeHandle() const { return _handle; }  // the item's parameter; 0 when detached

  // The invisible root of the control `tree`.
  static WindowsTreeNodeRef CreateRoot(HWND tree);
  // A new last child of `group`, which must be a tree node: anything else raises
  // kNotATreeNodeMessage.
  static GadgetRef CreateUnder(const GadgetRef& group, const std::u16string& text, int32_t icon);

  GadgetRef InsertNode(int32_t index, const std::u16string& text, int32_t icon) override;
  int32_t ModifyNode(const std::u16string& text, int32_t icon) override;
  int32_t SetText(const std::u16string& text) override;
  // Up to 255 characters of the label; empty for a detached node or the root.
  std::u16string GetText() override;
  int32_t CountKids() override;
  // ACTION_SELECT, _EXPAND, _COLLAPSE and _REDRAW, made silently.
  int32_t Activate(int32_t action) override;
  // Deletes the item and with it the items of the whole subtree; the subtree's nodes
  // stay this node's kids, detached. Freeing the root does nothing: the tree view owns it.
  int32_t Free() override;
  // Frees every kid, deleting their items at once: the control drops a whole tree in one
  // go, while deleting item after item recomputes its layout each time.
  int32_t ClearListItems() override;

  bool IsRoot() const { return _item == TVI_ROOT; }
  // Forgets the control for this node and every node below it and releases their handles:
  // their items are gone or about to go with it.
  void Detach();

 private:
  void InsertNativeItem(HTREEITEM parentItem, HTREEITEM after, const std::u16string& text);
  // Where a new child at `index` goes after: first, last, or the child before the index.
  HTREEITEM InsertAfter(int32_t index) const;
  void Redraw();

  std::weak_ptr<TWindowsTreeNode> _parent;  // null for the root
  HWND _tree = nullptr;                     // the tree control; null once detached
  HTREEITEM _item = nullptr;                // TVI_ROOT for the root; null once detached
  int32_t _expanded = 0;                    // 1 after an expand, 0 after a collapse
  int32_t _icon = -1;                       // index into the tree's icon strip; -1 none
  int32_t _handle = 0;                      // the runtime's handle, the item's parameter
};

}  // namespace quardeln
