#include <gtest/gtest.h>

#include "fake_driver.h"
#include "runtime/error.h"

namespace quardeln::testing {
namespace {

template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(AbstractDriver, EveryOperationRaises) {
  TOrvaneDriver driver;
  const std::string abstract = kAbstractMethodMessage;
  EXPECT_EQ(ErrorOf([&] { driver.LoadFont(u"f", 10, 0); }), abstract);
  EXPECT_EQ(ErrorOf([&] { driver.CreateGadget(1, u"", 0, 0, 1, 1, nullptr, 0); }), abstract);
  EXPECT_EQ(ErrorOf([&] { driver.ActiveGadget(); }), abstract);
  EXPECT_EQ(ErrorOf([&] { driver.RequestColor(1, 2, 3); }), abstract);
  EXPECT_EQ(ErrorOf([&] { driver.RequestFont(nullptr); }), abstract);
  EXPECT_EQ(ErrorOf([&] { driver.SetPointer(1); }), abstract);
  EXPECT_EQ(ErrorOf([&] { driver.LoadIconStrip(nullptr); }), abstract);
}

TEST(AbstractDriver, AnInstalledBaseDriverRaisesThroughTheApi) {
  StartGuiModule(std::make_shared<TOrvaneDriver>());
  EXPECT_EQ(ErrorOf([] { NewButton(u"b", 0, 0, 1, 1, nullptr, 1); }), kAbstractMethodMessage);
  ActiveGuiDriver = nullptr;
}

TEST(Api, MissingDriverOrGadgetIsARunTimeError) {
  ActiveGuiDriver = nullptr;
  EXPECT_NE(ErrorOf([] { DesktopGadget(); }), "(no error)");
  EXPECT_EQ(ErrorOf([] { GadgetSetText(nullptr, u"x"); }), kNullGadgetMessage);
  EXPECT_EQ(ErrorOf([] { ButtonGetState(nullptr); }), kNullGadgetMessage);
}

TEST(Api, CreationPassesClassTextAndStyleInOrder) {
  DriverScope scope;
  auto& calls = scope.driver->calls;
  GadgetRef window = NewWindow(u"win", 1, 2, 300, 200, nullptr, WINDOW_TITLEBAR);
  GadgetRef panel = NewPanel(5, 6, 70, 80, window, PANEL_GROUP, u"Allarme");
  NewSlider(5, 30, 30, 30, panel, 10);
  NewLabel(u"Ore", 115, 68, 28, 20, window, 0);
  NewTextField(40, 30, 30, 30, panel, 0);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].class_, GADGETCLASS_WINDOW);
  EXPECT_EQ(calls[0].group, nullptr);
  EXPECT_EQ(calls[1].class_, GADGETCLASS_PANEL);
  EXPECT_EQ(calls[1].text, u"Allarme");
  EXPECT_EQ(calls[1].style, PANEL_GROUP);
  EXPECT_EQ(calls[1].group, window);
  EXPECT_EQ(calls[2].class_, GADGETCLASS_SLIDER);
  EXPECT_EQ(calls[2].style, 10);
  EXPECT_EQ(calls[3].class_, GADGETCLASS_LABEL);
  EXPECT_EQ(calls[3].text, u"Ore");
  EXPECT_EQ(calls[4].class_, GADGETCLASS_TEXTFIELD);
  EXPECT_EQ(calls[4].text, u"");
  EXPECT_EQ(GadgetGetGroup(window), scope.driver->desktop);
  EXPECT_EQ(GadgetLeft(panel), 5);
  EXPECT_EQ(GadgetTop(panel), 6);
  EXPECT_EQ(GadgetGetWidth(panel), 70);
  EXPECT_EQ(GadgetGetHeight(panel), 80);
  EXPECT_EQ(DesktopGadget(), DesktopGadget());
}

TEST(Api, CentringOnTheDesktopAndOnAGroup) {
  DriverScope scope;
  auto& calls = scope.driver->calls;
  NewWindow(u"c", 0, 0, 395, 300, nullptr, WINDOW_CENTER | WINDOW_TITLEBAR);
  EXPECT_EQ(calls.back().x, 314);
  EXPECT_EQ(calls.back().y, 234);
  EXPECT_EQ(calls.back().style, 513);  // the flag only moves the window

  scope.driver->desktop->SetRect(0, 0, 800, 600);
  NewWindow(u"wide", 0, 0, 1001, 100, nullptr, WINDOW_CENTER);
  EXPECT_EQ(calls.back().x, -100);  // (800 - 1001) / 2, truncated toward zero

  auto owner = NewFake();
  owner->SetRect(-50, 10, 300, 201);  // the group's stored position, as it is
  NewWindow(u"in", 7, 7, 100, 100, owner, WINDOW_CENTER);
  EXPECT_EQ(calls.back().x, 50);
  EXPECT_EQ(calls.back().y, 60);

  NewWindow(u"plain", 7, 8, 100, 100, nullptr, WINDOW_TITLEBAR);
  EXPECT_EQ(calls.back().x, 7);
  EXPECT_EQ(calls.back().y, 8);
}

TEST(Api, StateQuestions) {
  auto button = NewFake();
  button->state = 0;
  EXPECT_EQ(ButtonGetState(button), 0);
  button->state = GADGETSTATE_CHECKED;
  EXPECT_EQ(ButtonGetState(button), 1);
  EXPECT_EQ(MenuIsChecked(button), 1);
  button->state = GADGETSTATE_CHECKED | GADGETSTATE_MIXED;
  EXPECT_EQ(ButtonGetState(button), -1);
  button->state = GADGETSTATE_MIXED;
  EXPECT_EQ(ButtonGetState(button), -1);

  button->state = GADGETSTATE_HIDDEN;
  EXPECT_EQ(GadgetIsHidden(button), 1);
  EXPECT_EQ(GadgetIsDisabled(button), 0);
  EXPECT_EQ(MenuIsEnabled(button), 1);
  button->state = GADGETSTATE_DISABLED | GADGETSTATE_MINIMISED;
  EXPECT_EQ(GadgetIsDisabled(button), 1);
  EXPECT_EQ(MenuIsEnabled(button), 0);
  EXPECT_EQ(WindowIsMinimised(button), 1);
  EXPECT_EQ(WindowIsMaximised(button), 0);
}

TEST(Api, ActionCodes) {
  auto g = NewFake();
  GadgetFocus(g);
  GadgetCut(g);
  GadgetCopy(g);
  GadgetPaste(g);
  WindowMinimise(g);
  WindowMaximise(g);
  WindowRestore(g);
  TreeViewSelectNode(g);
  TreeViewExpandNode(g);
  TreeViewCollapseNode(g);
  HtmlViewGoBack(g);
  HtmlViewGoForward(g);
  GadgetPrint(g);
  GadgetRedraw(g);
  ActivateWindow(g);
  EXPECT_EQ(g->actions, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0}));
}

TEST(Api, MenuHotKeyOnlyWhenGiven) {
  DriverScope scope;
  auto window = NewWindow(u"w", 0, 0, 100, 100, nullptr, WINDOW_MENU);
  auto plain = std::static_pointer_cast<FakeGadget>(NewMenu(u"File", 1, window, 0, 0));
  EXPECT_EQ(plain->hotkey, 0);
  EXPECT_EQ(scope.driver->calls.back().style, 1);  // the tag takes the style's place
  auto quick = std::static_pointer_cast<FakeGadget>(NewMenu(u"Open", 2, plain, 79, 2));
  EXPECT_EQ(quick->hotkey, 79);
  scope.driver->make_nothing = true;
  EXPECT_EQ(NewMenu(u"none", 3, plain, 80, 0), nullptr);
}

TEST(Api, ToolbarGetsOneButtonPerIconAndTips) {
  DriverScope scope;
  auto window = NewWindow(u"w", 0, 0, 100, 100, nullptr, WINDOW_TITLEBAR);
  auto bar = std::static_pointer_cast<FakeGadget>(
      NewToolbar(TPixmap::Create(48, 16, PF_RGBA8888), 0, 0, 0, 0, window, 0));
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(bar->strip, nullptr);
  ASSERT_EQ(GadgetItemCount(bar), 3);
  EXPECT_EQ(bar->native[2].icon, 2);
  EXPECT_EQ(bar->rethinks, 0);  // a toolbar sizes itself: no SetShape

  ToolbarSetTips(bar, {u"New", std::nullopt, u"Open", u"Save", u"Beyond"});
  EXPECT_EQ(bar->ItemTip(0), u"New");
  EXPECT_EQ(bar->ItemTip(1), u"Open");
  EXPECT_EQ(bar->native[2].tip, u"Save");
  EXPECT_EQ(bar->native[2].icon, 2);  // only the tip changed

  auto bare = NewToolbar(NewText(u"no image"), 0, 0, 0, 0, window, 0);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(GadgetItemCount(bare), 0);
  scope.driver->make_nothing = true;
  EXPECT_EQ(NewToolbar(TPixmap::Create(16, 16, PF_RGB888), 0, 0, 0, 0, window, 0), nullptr);
}

TEST(Api, CanvasAttachesGraphicsWithTheDefaultFlags) {
  DriverScope scope;
  DefaultGraphicsFlags = 6;
  auto canvas = std::static_pointer_cast<FakeGadget>(NewCanvas(0, 0, 10, 10, nullptr, 0));
  EXPECT_EQ(canvas->class_, GADGETCLASS_CANVAS);
  EXPECT_EQ(canvas->attached_flags, 6);
  DefaultGraphicsFlags = 0;
  scope.driver->make_nothing = true;
  EXPECT_EQ(NewCanvas(0, 0, 10, 10, nullptr, 0), nullptr);  // no graphics on nothing
}

TEST(Api, TreeViewClearFreesEveryNodeUnderTheRoot) {
  struct Tree : FakeGadget {
    GadgetRef root = NewFake();
    GadgetRef RootNode() override { return root; }
  };
  auto tree = std::make_shared<Tree>();
  std::vector<std::weak_ptr<TGadget>> seen;
  for (int i = 0; i < 4; ++i) {
    auto node = NewFake();
    node->_setparent(tree->root, -1);
    NewFake()->_setparent(node, -1);  // a grandchild goes with its node
    seen.push_back(node);
  }
  TreeViewClear(tree);
  EXPECT_TRUE(tree->root->kids.empty());
  for (const auto& node : seen) EXPECT_TRUE(node.expired());
  EXPECT_EQ(TreeViewClear(NewFake()), 0);  // no root: nothing to clear
}

TEST(Api, ColourPickKeepsTheLastConfirmedColour) {
  DriverScope scope;
  LastPickedColour = 0;
  scope.driver->colour_answer = static_cast<int32_t>(0xFF000000u + 0x102030);
  EXPECT_EQ(ColourPick(0, 0, 0), 1);
  EXPECT_EQ(PickedRed(), 0x10);
  EXPECT_EQ(PickedGreen(), 0x20);
  EXPECT_EQ(PickedBlue(), 0x30);
  scope.driver->colour_answer = static_cast<int32_t>(0xFF000000u);  // black, not cancel
  EXPECT_EQ(ColourPick(0, 0, 0), 1);
  EXPECT_EQ(PickedRed() | PickedGreen() | PickedBlue(), 0);
  scope.driver->colour_answer = 0x0;
  LastPickedColour = static_cast<int32_t>(0xFF000000u + 0x405060);
  EXPECT_EQ(ColourPick(1, 2, 3), 0);
  EXPECT_EQ(PickedGreen(), 0x50);
  PointerSet(4);
  EXPECT_EQ(scope.driver->last_pointer, 4);
}

TEST(Api, ColourChoosesBackgroundOrText) {
  struct Colours : FakeGadget {
    int32_t back = 0, fore = 0;
    int32_t SetColor(int32_t r, int32_t, int32_t) override { return back = r, 0; }
    int32_t SetTextColor(int32_t r, int32_t, int32_t) override { return fore = r, 0; }
  };
  auto g = std::make_shared<Colours>();
  GadgetSetColour(g, 1, 0, 0, 1);
  GadgetSetColour(g, 2, 0, 0, 0);
  TextAreaSetColour(g, 3, 0, 0, 0);
  PanelSetColour(g, 4, 0, 0);
  EXPECT_EQ(g->back, 4);
  EXPECT_EQ(g->fore, 3);
}

}  // namespace
}  // namespace quardeln::testing
