#include "gui/win32/windows_tree_view.h"

#include <utility>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/hwnd_map.h"
#include "gui/win32/optional_api.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_icon_strip.h"
#include "runtime/handles.h"

namespace quardeln {
namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS |
                             TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;
static_assert(kTreeStyle == 0x540000A7);
constexpr DWORD kTreeExStyle = WS_EX_CLIENTEDGE | WS_EX_COMPOSITED;
static_assert(kTreeExStyle == 0x2000200);

}  // namespace

std::shared_ptr<TWindowsTreeView> TreeViewOfHwnd(HWND tree) {
  return std::dynamic_pointer_cast<TWindowsTreeView>(GadgetOfHwnd(tree));
}

std::shared_ptr<TWindowsTreeView> TWindowsTreeView::Create(const GadgetRef& group,
                                                           int32_t /*style*/) {
  auto view = std::make_shared<TWindowsTreeView>();
  view->Build(group);
  return view;
}

void TWindowsTreeView::Build(const GadgetRef& group) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"SysTreeView32", kTreeExStyle, kTreeStyle, container);
  Register(GADGETCLASS_TREEVIEW, hwnd, nullptr, 0);
  _root = TWindowsTreeNode::CreateRoot(hwnd);
  ApplyLook();
}

void TWindowsTreeView::ApplyLook() {
  const bool modern = TWindowsGUIDriver::CheckCommonControlVersion() != 0;
  DWORD extended = modern ? TVS_EX_DOUBLEBUFFER : 0;
  if (ExplorerStyle && modern && SetWindowThemePtr) {
    SetWindowThemePtr(Hwnd(), L"Explorer", nullptr);
    extended |= TVS_EX_FADEINOUTEXPANDOS;
  }
  if (extended) TreeView_SetExtendedStyle(Hwnd(), extended, extended);
}

int32_t TWindowsTreeView::SetColor(int32_t r, int32_t g, int32_t b) {
  KeepBackColour(static_cast<int32_t>(ColourOf(r, g, b)));
  TreeView_SetBkColor(Hwnd(), static_cast<COLORREF>(BackColour()));
  return 0;
}

int32_t TWindowsTreeView::SetTextColor(int32_t r, int32_t g, int32_t b) {
  KeepTextColour(static_cast<int32_t>(ColourOf(r, g, b)));
  TreeView_SetTextColor(Hwnd(), static_cast<COLORREF>(TextColour()));
  return 0;
}

int32_t TWindowsTreeView::SetIconStrip(const IconStripRef& strip) {
  // The control lets go of the old list before the old strip may destroy it.
  TreeView_SetImageList(Hwnd(), ImageListOf(strip), TVSIL_NORMAL);
  _icons = strip;
  return 0;
}

GadgetRef TWindowsTreeView::RootNode() {
  return _root;
}

GadgetRef TWindowsTreeView::SelectedNode() {
  return _selected;
}

int32_t TWindowsTreeView::CountKids() {
  return _root ? _root->CountKids() : 0;
}

WindowsTreeNodeRef TWindowsTreeView::NodeOfItem(HTREEITEM item) {
  if (!item || !Hwnd()) return nullptr;
  if (item == TVI_ROOT) return _root;
  TVITEMW data{};
  data.mask = TVIF_HANDLE | TVIF_PARAM;
  data.hItem = item;
  if (!SendMessageW(Hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
  auto node =
      std::dynamic_pointer_cast<TWindowsTreeNode>(HandleObject(static_cast<int32_t>(data.lParam)));
  // A handle is only trusted while it still names the node of this very item.
  if (!node || node->Tree() != Hwnd() || node->Item() != item) return nullptr;
  return node;
}

void TWindowsTreeView::ReadSelectionIfGone() {
  if (_selected && _selected->Tree() == Hwnd()) return;
  _selected = NodeOfItem(TreeView_GetSelection(Hwnd()));
}

void TWindowsTreeView::DeferRedraw() {
  _redraw.Defer(Hwnd());
}

void TWindowsTreeView::ResumeRedraw() {
  if (!_redraw.Resume(Hwnd())) return;
  if (std::exchange(_showselection, false)) {
    const TQuietChange quiet(*this);
    if (HTREEITEM selected = TreeView_GetSelection(Hwnd()))
      TreeView_EnsureVisible(Hwnd(), selected);
  }
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TWindowsTreeView::DrawPendingChanges() {
  ResumeRedraw();
}

LRESULT TWindowsTreeView::WndProc(HWND, UINT msg, WPARAM, LPARAM) {
  // A control on its way out deletes its items: nothing it reports then is the user's doing.
  if (msg == WM_DESTROY) DeSensitize();
  if (msg != TDeferredRedraw::ResumeMessage()) return 0;
  ResumeRedraw();
  return 1;
}

LRESULT TWindowsTreeView::OnNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  // The A and W records agree on every field read here.
  const auto& change = *reinterpret_cast<const NMTREEVIEWW*>(lParam);
  switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnSelectionChanged(change);
      break;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
      OnExpanded(change);
      break;
    case NM_DBLCLK:
    case NM_RETURN:
      PostGuiEvent(GadgetAction, 0, 0, 0, 0, _selected);
      break;
    case NM_RCLICK:
      OnRightClick();
      break;
    default:
      break;
  }
  return 0;  // the control goes on with its own handling
}

void TWindowsTreeView::OnSelectionChanged(const NMTREEVIEWW& change) {
  // Kept also while the program changes the tree, so that it never names a freed node.
  _selected = NodeOfItem(change.itemNew.hItem);
  PostGuiEvent(GadgetSelect, 0, 0, 0, 0, _selected);
}

void TWindowsTreeView::OnExpanded(const NMTREEVIEWW& change) {
  WindowsTreeNodeRef node = NodeOfItem(change.itemNew.hItem);
  if (!node) return;
  switch (change.action & (TVE_COLLAPSE | TVE_EXPAND)) {
    case TVE_COLLAPSE:
      node->KeepExpanded(0);
      PostGuiEvent(GadgetClose, 0, 0, 0, 0, node);
      break;
    case TVE_EXPAND:
      node->KeepExpanded(1);
      PostGuiEvent(GadgetOpen, 0, 0, 0, 0, node);
      break;
    default:
      break;
  }
}

void TWindowsTreeView::OnRightClick() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  TVHITTESTINFO hit{};
  hit.pt = cursor;
  ScreenToClient(Hwnd(), &hit.pt);
  TreeView_HitTest(Hwnd(), &hit);
  if (!hit.hItem || !(hit.flags & TVHT_ONITEM)) return;
  WindowsTreeNodeRef node = NodeOfItem(hit.hItem);
  if (!node) return;
  RECT window{};
  GetWindowRect(Hwnd(), &window);
  const int32_t dpi = DpiOfWindow(Hwnd());
  PostGuiEvent(GadgetMenu, 0, 0, FromNative(cursor.x - window.left, dpi),
               FromNative(cursor.y - window.top, dpi), node);
}

void TWindowsTreeView::ReleaseNativeResources() {
  // The items went with the control; the nodes stay, detached, for whoever holds them.
  if (_root) _root->Detach();
  _selected.reset();
  _icons.reset();
  _redraw.Forget();
  TWindowsGadget::ReleaseNativeResources();
}

}  // namespace quardeln
