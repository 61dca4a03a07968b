#include <gtest/gtest.h>

#include "fake_driver.h"
#include "runtime/error.h"

namespace quardeln::testing {
namespace {

std::vector<TGadget*> KidsOf(const GadgetRef& group) {
  std::vector<TGadget*> kids;
  for (const auto& kid : group->kids) kids.push_back(kid.get());
  return kids;
}

TEST(GadgetTree, SetParentAppendsInsertsAtFrontAndBeforeAnIndex) {
  auto group = NewFake();
  auto a = NewFake(), b = NewFake(), c = NewFake(), d = NewFake(), e = NewFake();
  a->_setparent(group, -1);
  b->_setparent(group, 7);  // beyond the end: appended
  c->_setparent(group, 0);  // front
  d->_setparent(group, 2);  // before the kid at index 2 (b)
  e->_setparent(group, 4);  // equal to the kid count: appended
  EXPECT_EQ(KidsOf(group), (std::vector<TGadget*>{c.get(), a.get(), d.get(), b.get(), e.get()}));
  EXPECT_EQ(a->Parent(), group);
}

TEST(GadgetTree, ReparentingLeavesTheOldGroupAndNullDetaches) {
  auto first = NewFake(), second = NewFake(), kid = NewFake();
  kid->_setparent(first, -1);
  kid->_setparent(second, -1);
  EXPECT_TRUE(first->kids.empty());
  EXPECT_EQ(KidsOf(second), std::vector<TGadget*>{kid.get()});
  kid->_setparent(nullptr, -1);
  EXPECT_TRUE(second->kids.empty());
  EXPECT_EQ(kid->Parent(), nullptr);
}

TEST(GadgetTree, AGadgetCannotBePlacedUnderItself) {
  auto top = NewFake(), middle = NewFake(), bottom = NewFake();
  middle->_setparent(top, -1);
  bottom->_setparent(middle, -1);
  top->_setparent(bottom, -1);  // would make the tree own itself
  top->_setparent(top, -1);
  EXPECT_EQ(top->Parent(), nullptr);
  EXPECT_TRUE(bottom->kids.empty());
}

TEST(GadgetTree, FreedTreeIsReleasedAndKidsOutliveTheirParentSafely) {
  DriverScope scope;
  std::weak_ptr<TGadget> window_seen, panel_seen, label_seen;
  GadgetRef kept_button;
  {
    GadgetRef window = NewWindow(u"w", 0, 0, 200, 100, nullptr, WINDOW_TITLEBAR);
    GadgetRef panel = NewPanel(0, 0, 50, 50, window, 0, u"p");
    GadgetRef label = NewLabel(u"l", 0, 0, 10, 10, panel, 0);
    kept_button = NewButton(u"b", 0, 0, 10, 10, window, BUTTON_PUSH);
    window_seen = window, panel_seen = panel, label_seen = label;
    EXPECT_EQ(scope.driver->desktop->kids.size(), 1u);
    GadgetFree(window);
    EXPECT_TRUE(scope.driver->desktop->kids.empty());
    scope.driver->calls.clear();  // the fake's record of groups would keep them alive
  }
  EXPECT_TRUE(window_seen.expired());
  EXPECT_TRUE(panel_seen.expired());
  EXPECT_TRUE(label_seen.expired());
  // The button outlived its window: its parent link is gone, not dangling.
  EXPECT_EQ(GadgetGetGroup(kept_button), nullptr);
  kept_button->SetLayout(LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  EXPECT_EQ(kept_button->DoLayout(), 0);
}

TEST(GadgetBase, UnsupportedOperationsAnswerNothing) {
  auto g = std::make_shared<TGadget>();
  EXPECT_EQ(g->Query(QUERY_NATIVE), 0);
  EXPECT_EQ(g->GetText(), u"");
  EXPECT_EQ(g->State(), 0);
  EXPECT_EQ(g->GetMenu(), nullptr);
  EXPECT_EQ(g->InsertNode(0, u"n", 0), nullptr);
  EXPECT_EQ(g->AttachGraphics(0), nullptr);
  EXPECT_EQ(g->Run(u"x"), u"");
  EXPECT_EQ(g->ListItemState(3), 0);
  EXPECT_EQ(g->Handle(), g);
  g->SetSensitivity(SENSE_MOUSE | SENSE_KEYS);
  EXPECT_EQ(g->GetSensitivity(), 3);
  EXPECT_EQ(g->total, 1);
}

TEST(GadgetFilter, UnsetFilterIsNeverCalledAndCallingItRaises) {
  auto g = NewFake();
  EXPECT_FALSE(g->HasFilter());
  EXPECT_THROW(
      {
        try {
          g->CallFilter(MakeEvent(KeyDown));
        } catch (const RuntimeError& error) {
          EXPECT_STREQ(error.what(), kUninitializedFunctionMessage);
          throw;
        }
      },
      RuntimeError);
}

TEST(GadgetFilter, FilterReceivesTheEventAndItsContext) {
  auto g = NewFake();
  auto context = NewText(u"ctx");
  GadgetSetFilter(
      g,
      [](const EventRef& event, const ObjectRef& ctx) {
        return (event->data == 'x' || AsText(ctx) == nullptr) ? 0 : 1;
      },
      context);
  EXPECT_TRUE(g->HasFilter());
  EXPECT_EQ(g->context, context);
  EXPECT_EQ(g->CallFilter(MakeEvent(KeyChar, g, 'x')), 0);
  EXPECT_EQ(g->CallFilter(MakeEvent(KeyChar, g, 'y')), 1);
}

TEST(GadgetEvents, SourceIsTheGadgetOrItsProxy) {
  EventRecorder recorder;
  auto gadget = NewFake();
  auto extra = NewText(u"e");
  EmitGadgetEvent(GadgetAction, gadget, 2, ModShift, 3, 4, extra);
  EmitGadgetEvent(AppResume, nullptr, 0, 0, 0, 0, nullptr);
  auto proxy = std::make_shared<TProxyGadget>();
  proxy->SetProxy(gadget);
  EmitGadgetEvent(GadgetAction, gadget, 1, 0, 0, 0, nullptr);
  auto& events = EventRecorder::Events();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0]->source, gadget);
  EXPECT_EQ(events[0]->data, 2);
  EXPECT_EQ(events[0]->mods, ModShift);
  EXPECT_EQ(events[0]->x, 3);
  EXPECT_EQ(events[0]->y, 4);
  EXPECT_EQ(events[0]->extra, extra);
  EXPECT_EQ(events[1]->source, nullptr);
  EXPECT_EQ(events[2]->source, proxy);
  // A proxy that has gone away no longer stands in.
  events.clear();
  proxy.reset();
  EmitGadgetEvent(GadgetAction, gadget, 1, 0, 0, 0, nullptr);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0]->source, gadget);
}

}  // namespace
}  // namespace quardeln::testing
