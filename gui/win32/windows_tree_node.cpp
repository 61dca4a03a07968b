#include "gui/win32/windows_tree_node.h"

#include <cwchar>
#include <utility>

#include "gui/win32/control_util.h"
#include "gui/win32/windows_tree_view.h"
#include "runtime/error.h"
#include "runtime/handles.h"

namespace quardeln {
namespace {

constexpr int kTextBufferSize = 256;

}  // namespace

WindowsTreeNodeRef TWindowsTreeNode::CreateRoot(HWND tree) {
  auto root = std::make_shared<TWindowsTreeNode>();
  root->gadgetclass = GADGETCLASS_NODE;  // nodes are made here, not through CreateGadget
  root->_tree = tree;
  root->_item = TVI_ROOT;
  return root;
}

GadgetRef TWindowsTreeNode::CreateUnder(const GadgetRef& group, const std::u16string& text,
                                        int32_t icon) {
  auto node = std::dynamic_pointer_cast<TWindowsTreeNode>(group);
  if (!node) RaiseError(kNotATreeNodeMessage);
  return node->InsertNode(-1, text, icon);
}

HTREEITEM TWindowsTreeNode::InsertAfter(int32_t index) const {
  if (index == 0) return TVI_FIRST;
  if (index < 0 || static_cast<size_t>(index) >= kids.size()) return TVI_LAST;
  auto before = std::dynamic_pointer_cast<TWindowsTreeNode>(kids[static_cast<size_t>(index) - 1]);
  // A kid that is no node of this control has no place among the items.
  if (!before || !before->_item || before->_tree != _tree) return TVI_LAST;
  return before->_item;
}

GadgetRef TWindowsTreeNode::InsertNode(int32_t index, const std::u16string& text, int32_t icon) {
  auto node = std::make_shared<TWindowsTreeNode>();
  node->gadgetclass = GADGETCLASS_NODE;
  node->_icon = icon;
  // A detached parent makes detached kids: there is no control to put them in.
  if (_tree && _item) {
    node->_tree = _tree;
    const bool first = kids.empty();
    node->InsertNativeItem(_item, InsertAfter(index), text);
    if (first) Redraw();  // its expand button appears
  }
  node->_parent = std::static_pointer_cast<TWindowsTreeNode>(Self());
  node->_setparent(Self(), index);
  return node;
}

void TWindowsTreeNode::InsertNativeItem(HTREEITEM parentItem, HTREEITEM after,
                                        const std::u16string& text) {
  _handle = ObjectHandle(Self());  // the table holds the node while it is in the control
  TVINSERTSTRUCTW insert{};
  insert.hParent = parentItem;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<LPWSTR>(Wide(text));
  insert.item.lParam = _handle;
  if (_icon >= 0) {
    insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.iImage = _icon;
    insert.item.iSelectedImage = _icon;
  }
  const std::shared_ptr<TWindowsTreeView> view = TreeViewOfHwnd(_tree);
  const TQuietChange quiet(view.get());
  if (view) view->DeferRedraw();
  _item = reinterpret_cast<HTREEITEM>(
      SendMessageW(_tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!_item) Detach();  // the control refused: nothing refers to the node
}

int32_t TWindowsTreeNode::ModifyNode(const std::u16string& text, int32_t icon) {
  _icon = icon;
  return SetText(text);
}

int32_t TWindowsTreeNode::SetText(const std::u16string& text) {
  if (!_tree || !_item || IsRoot()) return 0;
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = _item;
  item.pszText = const_cast<LPWSTR>(Wide(text));
  if (_icon >= 0) {
    item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = _icon;
    item.iSelectedImage = _icon;
  }
  const std::shared_ptr<TWindowsTreeView> view = TreeViewOfHwnd(_tree);
  const TQuietChange quiet(view.get());
  if (view) view->DeferRedraw();
  SendMessageW(_tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return 0;
}

std::u16string TWindowsTreeNode::GetText() {
  if (!_tree || !_item || IsRoot()) return {};
  wchar_t buffer[kTextBufferSize] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = _item;
  item.pszText = buffer;
  item.cchTextMax = kTextBufferSize;
  if (!SendMessageW(_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  // The control may answer with its own copy of the text instead of filling ours.
  const wchar_t* text = item.pszText ? item.pszText : buffer;
  return std::u16string(reinterpret_cast<const char16_t*>(text),
                        wcsnlen(text, kTextBufferSize - 1));
}

int32_t TWindowsTreeNode::CountKids() {
  return static_cast<int32_t>(kids.size());
}

int32_t TWindowsTreeNode::Activate(int32_t action) {
  if (!_tree || !_item) return 0;
  if (action == ACTION_REDRAW) {
    Redraw();
    return 0;
  }
  // The root has no item to select, expand or collapse.
  if (IsRoot()) return 0;
  const std::shared_ptr<TWindowsTreeView> view = TreeViewOfHwnd(_tree);
  const TQuietChange quiet(view.get());
  if (action == ACTION_SELECT) {
    // The redraw stays held, or each selection in a batch would relay every item; the
    // selection comes into view when it resumes.
    if (view) view->ShowSelectionWhenResumed();
    TreeView_SelectItem(_tree, _item);
    return 0;
  }
  if (view) view->ResumeRedraw();  // expanding and collapsing scroll to the item
  switch (action) {
    case ACTION_EXPAND:
      TreeView_Expand(_tree, _item, TVE_EXPAND);
      _expanded = 1;
      break;
    case ACTION_COLLAPSE:
      TreeView_Expand(_tree, _item, TVE_COLLAPSE);
      _expanded = 0;
      break;
    default:
      break;
  }
  return 0;
}

void TWindowsTreeNode::Redraw() {
  auto view = TreeViewOfHwnd(_tree);
  if (view && view->RedrawDeferred()) return;  // the whole control is drawn when it resumes
  if (IsRoot()) {
    InvalidateRect(_tree, nullptr, TRUE);
    return;
  }
  RECT rect{};
  if (TreeView_GetItemRect(_tree, _item, &rect, FALSE)) {
    InvalidateRect(_tree, &rect, TRUE);
  }
}

int32_t TWindowsTreeNode::Free() {
  if (IsRoot()) return 0;
  GadgetRef self = Self();  // the handle table or the parent may hold the last reference
  WindowsTreeNodeRef parentNode = _parent.lock();
  if (_tree && _item) {
    const std::shared_ptr<TWindowsTreeView> view = TreeViewOfHwnd(_tree);
    const TQuietChange quiet(view.get());
    if (view) view->DeferRedraw();
    const HWND tree = _tree;
    TreeView_DeleteItem(tree, _item);  // the items of the subtree go with it
    Detach();
    const bool lastKid = parentNode && parentNode->kids.size() == 1;
    if (lastKid && parentNode->_tree == tree) parentNode->Redraw();  // its expand button goes
    if (view) view->ReadSelectionIfGone();
  } else {
    Detach();
  }
  _parent.reset();
  _setparent(nullptr, -1);
  return 0;
}

int32_t TWindowsTreeNode::ClearListItems() {
  if (!_tree || !_item || kids.empty()) return 0;
  const std::shared_ptr<TWindowsTreeView> view = TreeViewOfHwnd(_tree);
  const TQuietChange quiet(view.get());
  if (view) view->DeferRedraw();
  if (IsRoot()) {
    TreeView_DeleteAllItems(_tree);
  } else {
    for (const GadgetRef& kid : kids) {
      auto node = std::dynamic_pointer_cast<TWindowsTreeNode>(kid);
      if (node && node->_item && node->_tree == _tree) TreeView_DeleteItem(_tree, node->_item);
    }
  }
  // Taken out together, so that freeing one does not look for it among the others.
  GadgetKids gone;
  gone.swap(kids);
  for (const GadgetRef& kid : gone) {
    if (auto node = std::dynamic_pointer_cast<TWindowsTreeNode>(kid)) node->Detach();
    if (kid) kid->Free();
  }
  if (!IsRoot()) Redraw();  // its expand button goes
  if (view) view->ReadSelectionIfGone();
  return 0;
}

void TWindowsTreeNode::Detach() {
  _tree = nullptr;
  if (!IsRoot()) _item = nullptr;  // the root keeps its marker: it stays the root
  if (_handle) ReleaseObjectHandle(std::exchange(_handle, 0));
  for (const GadgetRef& kid : kids) {
    if (auto node = std::dynamic_pointer_cast<TWindowsTreeNode>(kid)) node->Detach();
  }
}

}  // namespace quardeln
