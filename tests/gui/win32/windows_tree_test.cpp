// Tree views and their nodes on the native tree control under Wine, through the driver
// and the API: where inserted nodes land, node texts, the events of real mouse input,
// freeing nodes, the error for a node under anything but a node, and nodes that outlive
// their control.
#include "gui/api.h"
#include "gui/win32/windows_tree_node.h"
#include "gui/win32/windows_tree_view.h"
#include "runtime/error.h"
#include "runtime/handles.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

using Nodes = GadgetKids;

WindowsTreeNodeRef AsNode(const GadgetRef& gadget) {
  return std::dynamic_pointer_cast<TWindowsTreeNode>(gadget);
}

// The nodes whose handles the items under `parent` carry, in the control's order.
Nodes NativeKids(HWND tree, HTREEITEM parent) {
  Nodes nodes;
  HTREEITEM item = parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
  for (; item; item = TreeView_GetNextSibling(tree, item)) {
    TVITEMW data{};
    data.mask = TVIF_HANDLE | TVIF_PARAM;
    data.hItem = item;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    nodes.push_back(
        std::dynamic_pointer_cast<TGadget>(HandleObject(static_cast<int32_t>(data.lParam))));
  }
  return nodes;
}

// The centre of a node's label, in the tree's client coordinates.
POINT LabelCentre(HWND tree, const GadgetRef& node) {
  RECT rect{};
  TreeView_GetItemRect(tree, AsNode(node)->Item(), &rect, TRUE);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The middle of a node's expand button, found by hit testing along the row.
POINT ExpandButton(HWND tree, const GadgetRef& node) {
  const POINT label = LabelCentre(tree, node);
  LONG first = -1;
  LONG last = -1;
  for (LONG x = 0; x < label.x; ++x) {
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, label.y};
    TreeView_HitTest(tree, &hit);
    if (hit.hItem != AsNode(node)->Item() || !(hit.flags & TVHT_ONITEMBUTTON)) continue;
    if (first < 0) first = x;
    last = x;
  }
  EXPECT_GE(first, 0) << "no expand button";
  return POINT{(first + last) / 2, label.y};
}

// Real mouse clicks at a point of `hwnd`'s client area, through the system's input queue.
void MouseClicks(HWND hwnd, POINT at, DWORD down, DWORD up, int clicks = 1) {
  ClientToScreen(hwnd, &at);
  const int screen_w = GetSystemMetrics(SM_CXSCREEN);
  const int screen_h = GetSystemMetrics(SM_CYSCREEN);
  std::vector<INPUT> inputs(static_cast<size_t>(1 + 2 * clicks));
  for (size_t i = 0; i < inputs.size(); ++i) {
    INPUT& input = inputs[i];
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + screen_w / 2) / screen_w;
    input.mi.dy = (at.y * 65536 + screen_h / 2) / screen_h;
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | (i == 0 ? MOUSEEVENTF_MOVE : i % 2 ? down : up);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void LeftClick(HWND hwnd, POINT at, int clicks = 1) {
  MouseClicks(hwnd, at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, clicks);
}

class WindowsTreeTest : public DriverTest {
 protected:
  std::shared_ptr<TWindowsTreeView> NewTree(const GadgetRef& group) {
    return std::dynamic_pointer_cast<TWindowsTreeView>(NewTreeView(10, 10, 300, 240, group, 0));
  }
  std::shared_ptr<TWindowsTreeView> NewTree() { return Keep(NewTree(Window())); }

  // The events of `id` from the tree, once at least `count` have come.
  std::vector<EventRef> AwaitEvents(int32_t id, const GadgetRef& tree, size_t count = 1) {
    EXPECT_TRUE(PumpUntil([&] { return EventsOf(id, tree).size() >= count; }))
        << "waiting for event " << id << "; got: " << DescribeRecorded();
    return EventsOf(id, tree);
  }

  // The shared window in front of everything, so that real input reaches it.
  void BringWindowForward() {
    SetWindowPos(NativeOf(Window()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(NativeOf(Window()));
    PumpPending();
  }
  void TearDown() override {
    SetWindowPos(NativeOf(Window()), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DriverTest::TearDown();
  }
  // Two clicks at one place closer in time than this make a double click.
  static void OutwaitDoubleClick() { PumpFor(static_cast<int>(GetDoubleClickTime()) + 100); }
};

TEST_F(WindowsTreeTest, NodesLandAtTheirIndexInTheControlAndInTheKids) {
  auto tree = NewTree();
  GadgetRef root = TreeViewRoot(tree);
  GadgetRef a = TreeViewAddNode(u"a", root);
  GadgetRef b = TreeViewAddNode(u"b", root);
  GadgetRef between = TreeViewInsertNode(1, u"between", root);
  GadgetRef first = TreeViewInsertNode(0, u"first", root);
  GadgetRef at_count = TreeViewInsertNode(4, u"at count", root);
  GadgetRef last = TreeViewInsertNode(-1, u"last", root);
  const Nodes expected{first, a, between, b, at_count, last};
  EXPECT_EQ(root->kids, expected);
  EXPECT_EQ(NativeKids(NativeOf(tree), TVI_ROOT), expected);
  EXPECT_EQ(tree->CountKids(), 6);

  // Below a node the item before the index is one of its own child items.
  GadgetRef x = TreeViewAddNode(u"x", a);
  GadgetRef z = TreeViewAddNode(u"z", a);
  GadgetRef y = TreeViewInsertNode(1, u"y", a);
  EXPECT_EQ(a->kids, (Nodes{x, y, z}));
  EXPECT_EQ(NativeKids(NativeOf(tree), AsNode(a)->Item()), a->kids);
  EXPECT_EQ(GadgetGetGroup(y), a);
  EXPECT_EQ(TreeViewCountKids(a), 3);
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsTreeTest, NodeTextsComeBackExactly) {
  auto tree = NewTree();
  GadgetRef root = TreeViewRoot(tree);
  GadgetRef abc = TreeViewAddNode(u"abc", root);
  EXPECT_EQ(GadgetGetText(abc), u"abc");
  std::u16string longest(255, u'x');
  longest.back() = u'!';
  EXPECT_EQ(GadgetGetText(TreeViewAddNode(longest, root)), longest);
  EXPECT_EQ(GadgetGetText(TreeViewAddNode(u"", root)), u"");
  TreeViewModifyNode(abc, u"\u00e0\u00e8\u00ec \u20ac", -1);
  EXPECT_EQ(GadgetGetText(abc), u"\u00e0\u00e8\u00ec \u20ac");
}

TEST_F(WindowsTreeTest, ItemChangesAreLaidOutTogetherOnceTheLoopRuns) {
  auto tree = NewTree();
  GadgetRef first = TreeViewAddNode(u"first", TreeViewRoot(tree));
  for (int i = 0; i < 50; ++i) TreeViewAddNode(u"more", TreeViewRoot(tree));
  EXPECT_TRUE(tree->RedrawDeferred());
  PumpPending();
  EXPECT_FALSE(tree->RedrawDeferred());
  RECT rect{};
  ASSERT_TRUE(TreeView_GetItemRect(NativeOf(tree), AsNode(first)->Item(), &rect, TRUE));
  EXPECT_GT(rect.right - rect.left, 0) << "laid out again";
}

TEST_F(WindowsTreeTest, ColoursReachTheControlInTheirChannels) {
  auto tree = NewTree();
  GadgetSetColour(tree, 10, 20, 30, 1);
  GadgetSetColour(tree, 200, 100, 50, 0);
  EXPECT_EQ(TreeView_GetBkColor(NativeOf(tree)), RGB(10, 20, 30));
  EXPECT_EQ(TreeView_GetTextColor(NativeOf(tree)), RGB(200, 100, 50));
}

TEST_F(WindowsTreeTest, NodeClassMakesNodesOnlyUnderANode) {
  auto tree = NewTree();
  GadgetRef root = TreeViewRoot(tree);
  GadgetRef made = GuiDriver().CreateGadget(GADGETCLASS_NODE, u"made", 0, 0, 0, 0, root, 2);
  ASSERT_TRUE(made);
  EXPECT_EQ(root->kids, (Nodes{made}));
  EXPECT_EQ(GadgetGetText(made), u"made");
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = AsNode(made)->Item();
  SendMessageW(NativeOf(tree), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 2) << "the style is the icon";
  EXPECT_EQ(item.iSelectedImage, 2);

  for (const GadgetRef& group : {GadgetRef(tree), GadgetRef(Window()), GadgetRef()}) {
    try {
      GuiDriver().CreateGadget(GADGETCLASS_NODE, u"lost", 0, 0, 0, 0, group, 0);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_STREQ(error.what(), kNotATreeNodeMessage);
    }
  }
  EXPECT_EQ(NativeKids(NativeOf(tree), TVI_ROOT), (Nodes{made}));
}

TEST_F(WindowsTreeTest, ExpandButtonClicksPostOpenAndCloseWithTheNode) {
  auto tree = NewTree();
  GadgetRef parent = TreeViewAddNode(u"parent", TreeViewRoot(tree));
  TreeViewAddNode(u"child", parent);
  BringWindowForward();
  const POINT button = ExpandButton(NativeOf(tree), parent);

  LeftClick(NativeOf(tree), button);
  std::vector<EventRef> opened = AwaitEvents(GadgetOpen, tree);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0]->extra, parent);
  EXPECT_EQ(opened[0]->data, 0);
  EXPECT_EQ(AsNode(parent)->Expanded(), 1);

  OutwaitDoubleClick();
  LeftClick(NativeOf(tree), button);
  std::vector<EventRef> closed = AwaitEvents(GadgetClose, tree);
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(closed[0]->extra, parent);
  EXPECT_EQ(AsNode(parent)->Expanded(), 0);
  EXPECT_EQ(EventsOf(GadgetOpen, tree).size(), 1u);

  // The same changes made by the program post nothing.
  RecordedEvents().clear();
  TreeViewExpandNode(parent);
  EXPECT_EQ(AsNode(parent)->Expanded(), 1);
  EXPECT_TRUE(TreeView_GetItemState(NativeOf(tree), AsNode(parent)->Item(), TVIS_EXPANDED));
  TreeViewCollapseNode(parent);
  EXPECT_EQ(AsNode(parent)->Expanded(), 0);
  PumpPending();
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsTreeTest, ClicksOnALabelSelectOpenTheMenuAndAct) {
  auto tree = NewTree();
  GadgetRef root = TreeViewRoot(tree);
  GadgetRef one = TreeViewAddNode(u"one", root);
  GadgetRef two = TreeViewAddNode(u"two", root);
  TreeViewSelectNode(one);
  EXPECT_EQ(TreeViewGetSelected(tree), one);
  EXPECT_TRUE(RecordedEvents().empty()) << "selected by the program: " << DescribeRecorded();
  BringWindowForward();
  const POINT label = LabelCentre(NativeOf(tree), two);

  LeftClick(NativeOf(tree), label);
  std::vector<EventRef> selected = AwaitEvents(GadgetSelect, tree);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0]->extra, two);
  EXPECT_EQ(TreeViewGetSelected(tree), two);

  OutwaitDoubleClick();
  MouseClicks(NativeOf(tree), label, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  std::vector<EventRef> menu = AwaitEvents(GadgetMenu, tree);
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0]->extra, two);
  POINT screen = label;
  ClientToScreen(NativeOf(tree), &screen);
  const RECT frame = WindowRectOf(NativeOf(tree));
  EXPECT_EQ(menu[0]->x, screen.x - frame.left) << "relative to the window rectangle";
  EXPECT_EQ(menu[0]->y, screen.y - frame.top);

  OutwaitDoubleClick();
  LeftClick(NativeOf(tree), label, 2);
  std::vector<EventRef> actions = AwaitEvents(GadgetAction, tree);
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0]->extra, two);
}

TEST_F(WindowsTreeTest, FreeingANodeDeletesItsItemsAndDetachesItsSubtree) {
  auto tree = NewTree();
  GadgetRef root = TreeViewRoot(tree);
  GadgetRef a = TreeViewAddNode(u"a", root);
  GadgetRef a1 = TreeViewAddNode(u"a1", a);
  GadgetRef a1x = TreeViewAddNode(u"a1x", a1);
  GadgetRef b = TreeViewAddNode(u"b", root);
  TreeViewSelectNode(a1x);
  const int32_t handle = AsNode(a1x)->RuntimeHandle();
  ASSERT_EQ(HandleObject(handle), a1x);

  TreeViewFreeNode(a);
  EXPECT_EQ(TreeView_GetCount(NativeOf(tree)), 1u);
  EXPECT_EQ(NativeKids(NativeOf(tree), TVI_ROOT), (Nodes{b}));
  EXPECT_EQ(root->kids, (Nodes{b}));
  EXPECT_EQ(GadgetGetGroup(a), nullptr);
  EXPECT_EQ(a->kids, (Nodes{a1})) << "the subtree stays with the freed node";
  EXPECT_EQ(a1->kids, (Nodes{a1x}));
  for (const GadgetRef& gone : {a, a1, a1x}) {
    EXPECT_EQ(AsNode(gone)->Tree(), nullptr);
    EXPECT_EQ(AsNode(gone)->Item(), nullptr);
    EXPECT_EQ(AsNode(gone)->RuntimeHandle(), 0);
  }
  EXPECT_NE(HandleObject(handle), a1x);
  EXPECT_NE(TreeViewGetSelected(tree), a1x);
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();

  // Detached nodes stay usable and leave the control alone.
  GadgetRef late = TreeViewAddNode(u"late", a1x);
  ASSERT_TRUE(late);
  EXPECT_EQ(AsNode(late)->Item(), nullptr);
  EXPECT_EQ(GadgetGetText(a1), u"");
  TreeViewFreeNode(a1);
  TreeViewClear(tree);
  EXPECT_EQ(TreeView_GetCount(NativeOf(tree)), 0u);
  EXPECT_TRUE(root->kids.empty());
}

int ItemDeletions = 0;

LRESULT CALLBACK CountDeletions(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (msg == TVM_DELETEITEM) ++ItemDeletions;
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowsTreeTest, ClearDropsTheWholeNativeTreeAtOnce) {
  auto tree = NewTree();
  const HWND hwnd = reinterpret_cast<HWND>(tree->Query(QUERY_NATIVE));
  GadgetRef root = TreeViewRoot(tree);
  Nodes nodes;
  for (int i = 0; i < 500; ++i) {
    nodes.push_back(TreeViewAddNode(u"nodo", root));
    TreeViewAddNode(u"foglia", nodes.back());
  }
  TreeViewSelectNode(nodes[7]);
  ItemDeletions = 0;
  ASSERT_TRUE(SetWindowSubclass(hwnd, &CountDeletions, 1, 0));
  TreeViewClear(tree);
  RemoveWindowSubclass(hwnd, &CountDeletions, 1);
  EXPECT_EQ(ItemDeletions, 1);
  EXPECT_EQ(TreeView_GetCount(hwnd), 0u);
  EXPECT_EQ(TreeViewCountKids(root), 0);
  EXPECT_EQ(TreeViewGetSelected(tree), nullptr);
  EXPECT_EQ(GadgetGetGroup(nodes[7]), nullptr);
  EXPECT_EQ(AsNode(nodes[7]->kids[0])->RuntimeHandle(), 0) << "the subtree is detached";
  PumpPending();
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

// Items the control lays out again: all of them each time its redraw comes back on.
int ItemsRelaid = 0;

LRESULT CALLBACK CountRelays(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (msg == WM_SETREDRAW && wParam) ItemsRelaid += static_cast<int>(TreeView_GetCount(hwnd));
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowsTreeTest, AddingAndSelectingEachKeepsTheRedrawHeldAndShowsTheLast) {
  auto tree = NewTree();
  const HWND hwnd = reinterpret_cast<HWND>(tree->Query(QUERY_NATIVE));
  GadgetRef root = TreeViewRoot(tree);
  PumpPending();
  ItemsRelaid = 0;
  ASSERT_TRUE(SetWindowSubclass(hwnd, &CountRelays, 1, 0));
  constexpr int kNodes = 300;
  GadgetRef last;
  for (int i = 0; i < kNodes; ++i) {
    last = TreeViewAddNode(u"nodo", root);
    TreeViewSelectNode(last);
  }
  EXPECT_EQ(ItemsRelaid, 0) << "selecting kept the redraw held";
  PumpPending();
  RemoveWindowSubclass(hwnd, &CountRelays, 1);
  EXPECT_EQ(ItemsRelaid, kNodes) << "relaid once, when the batch is drawn";
  EXPECT_EQ(TreeViewGetSelected(tree), last);
  RECT item{};
  ASSERT_TRUE(TreeView_GetItemRect(hwnd, AsNode(last)->Item(), &item, TRUE));
  EXPECT_GE(item.top, 0);
  EXPECT_LE(item.bottom, ClientRectOf(hwnd).bottom) << "the selection is in view";
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsTreeTest, NodesOutliveTheirControlWithoutTouchingIt) {
  GadgetRef panel = Keep(NewPanel(10, 10, 320, 260, Window(), 0, u""));
  auto tree = NewTree(panel);
  GadgetRef root = TreeViewRoot(tree);
  GadgetRef a = TreeViewAddNode(u"a", root);
  GadgetRef a1 = TreeViewAddNode(u"a1", a);
  TreeViewSelectNode(a1);
  const HWND control = NativeOf(tree);
  std::weak_ptr<TGadget> watch = a1;

  GadgetFree(panel);  // the tree's window goes with it; the tree itself is not freed
  ASSERT_FALSE(IsWindow(control));
  EXPECT_EQ(TreeViewRoot(tree), root);
  EXPECT_EQ(TreeViewGetSelected(tree), nullptr);
  for (const GadgetRef& node : {root, a, a1}) EXPECT_EQ(AsNode(node)->Tree(), nullptr);
  EXPECT_EQ(AsNode(a1)->RuntimeHandle(), 0);

  TreeViewAddNode(u"late", a);
  TreeViewModifyNode(a, u"renamed", 1);
  EXPECT_EQ(GadgetGetText(a), u"");
  TreeViewSelectNode(a);
  TreeViewExpandNode(a);
  GadgetRedraw(root);
  TreeViewFreeNode(a1);
  a1.reset();
  EXPECT_TRUE(watch.expired()) << "no handle keeps a freed node";
  TreeViewClear(tree);
  EXPECT_EQ(TreeViewCountKids(root), 0);
  GadgetFree(tree);
}

}  // namespace
}  // namespace quardeln::test
