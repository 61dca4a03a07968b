#include <gtest/gtest.h>

#include "fake_driver.h"
#include "gui/data_source.h"

namespace quardeln::testing {
namespace {

using Texts = std::vector<std::u16string>;

TEST(Items, ApiArgumentOrderReachesTheOperations) {
  auto list = NewFake();
  auto extra = NewText(u"x");
  GadgetAddItem(list, u"one", 0, 5, u"tip one", extra);
  GadgetInsertItem(list, 0, u"zero", 0, 6, u"tip zero", nullptr);
  ASSERT_EQ(GadgetItemCount(list), 2);
  EXPECT_EQ(GadgetGetItemText(list, 1), u"one");
  EXPECT_EQ(list->ItemTip(1), u"tip one");
  EXPECT_EQ(GadgetGetItemIcon(list, 1), 5);
  EXPECT_EQ(GadgetGetItemExtra(list, 1), extra);
  EXPECT_EQ(list->native[1].tip, u"tip one");
  EXPECT_EQ(list->native[1].icon, 5);
  EXPECT_EQ(list->NativeTexts(), (Texts{u"zero", u"one"}));

  GadgetModifyItem(list, 0, u"nought", ITEMFLAG_TOGGLING, 7, u"t", extra);
  EXPECT_EQ(GadgetGetItemFlags(list, 0), ITEMFLAG_TOGGLING);
  EXPECT_EQ(list->native[0].text, u"nought");
  EXPECT_EQ(list->native[0].extra, extra);

  GadgetRemoveItem(list, 0);
  EXPECT_EQ(list->NativeTexts(), Texts{u"one"});
  GadgetClearItems(list);
  EXPECT_EQ(GadgetItemCount(list), 0);
  EXPECT_TRUE(list->native.empty());
}

TEST(Items, PreselectFlagSelectsOnInsertAndOnSet) {
  auto list = NewFake();
  GadgetAddItem(list, u"a", 0, -1, u"", nullptr);
  GadgetAddItem(list, u"b", ITEMFLAG_PRESELECT, -1, u"", nullptr);
  EXPECT_EQ(GadgetSelectedItem(list), 1);
  GadgetModifyItem(list, 0, u"a", ITEMFLAG_PRESELECT, -1, u"", nullptr);
  EXPECT_EQ(GadgetSelectedItems(list), (std::vector<int32_t>{0, 1}));
  GadgetModifyItem(list, 0, u"a", 0, -1, u"", nullptr);  // flags 0 leave the selection alone
  EXPECT_EQ(GadgetSelectedItems(list), (std::vector<int32_t>{0, 1}));
}

TEST(Items, SelectDeselectToggleAndEveryItem) {
  auto list = NewFake();
  for (auto text : {u"a", u"b", u"c"}) GadgetAddItem(list, text, 0, -1, u"", nullptr);
  EXPECT_EQ(GadgetSelectedItem(list), -1);
  EXPECT_TRUE(GadgetSelectedItems(list).empty());
  GadgetToggleItem(list, 1);
  EXPECT_EQ(GadgetSelectedItem(list), 1);
  GadgetToggleItem(list, 1);
  EXPECT_EQ(GadgetSelectedItem(list), -1);
  GadgetSelectItem(list, -1);
  EXPECT_EQ(GadgetSelectedItems(list), (std::vector<int32_t>{0, 1, 2}));
  GadgetDeselectItem(list, 0);
  EXPECT_EQ(GadgetSelectedItems(list), (std::vector<int32_t>{1, 2}));
  list->SelectItem(2, 9);  // an unknown op changes nothing
  EXPECT_EQ(GadgetSelectedItems(list), (std::vector<int32_t>{1, 2}));
}

TEST(Items, ToggleItemShowsTheNextIconWhileSelected) {
  auto toolbar = NewFake();
  GadgetAddItem(toolbar, u"t", ITEMFLAG_TOGGLING, 3, u"", nullptr);
  GadgetAddItem(toolbar, u"plain", 0, 3, u"", nullptr);
  GadgetAddItem(toolbar, u"no icon", ITEMFLAG_TOGGLING, -1, u"", nullptr);
  GadgetToggleItem(toolbar, 0);
  EXPECT_EQ(toolbar->native[0].icon, 4);
  EXPECT_EQ(toolbar->ItemIcon(0), 3);  // the item keeps its own icon
  GadgetToggleItem(toolbar, 0);
  EXPECT_EQ(toolbar->native[0].icon, 3);
  GadgetSelectItem(toolbar, 1);
  EXPECT_EQ(toolbar->native[1].icon, 3);
  GadgetSelectItem(toolbar, 2);
  EXPECT_EQ(toolbar->native[2].icon, -1);
}

TEST(Items, EnableAndDisableTouchOnlyTheDisabledBit) {
  auto list = NewFake();
  GadgetAddItem(list, u"a", ITEMFLAG_PRESELECT, -1, u"", nullptr);
  GadgetDisableItem(list, 0);
  EXPECT_EQ(list->ItemState(0), ITEMSTATE_SELECTED | ITEMSTATE_DISABLED);
  GadgetEnableItem(list, 0);
  EXPECT_EQ(list->ItemState(0), ITEMSTATE_SELECTED);
}

TEST(Items, IndexesOutsideTheListDoNothing) {
  auto list = NewFake();
  GadgetAddItem(list, u"a", 0, -1, u"", nullptr);
  GadgetInsertItem(list, 3, u"far", 0, -1, u"", nullptr);
  GadgetInsertItem(list, -1, u"neg", 0, -1, u"", nullptr);
  GadgetModifyItem(list, 1, u"b", 0, -1, u"", nullptr);
  GadgetRemoveItem(list, 1);
  GadgetSelectItem(list, 5);
  EXPECT_EQ(list->NativeTexts(), Texts{u"a"});
  EXPECT_EQ(GadgetGetItemText(list, 1), u"");
  EXPECT_EQ(GadgetGetItemExtra(list, -2), nullptr);
  EXPECT_EQ(GadgetGetItemFlags(list, 9), 0);
}

// A list gadget that counts the item-level inserts and removes of a synchronisation.
struct SyncCase {
  FakeRef list = NewFake();
  std::shared_ptr<TTextArray> source = std::make_shared<TTextArray>();

  void Sync(Texts keys) {
    source->elements = std::move(keys);
    list->native_inserts = list->native_removes = 0;
    list->SyncDataSource();
  }
};

TEST(DataSource, DroppingAKeyBeforeASingleMatchInsertsThenTrims) {
  SyncCase c;
  c.list->SetDataSource(c.source);
  c.Sync({u"A", u"B", u"C"});
  c.Sync({u"A", u"C"});
  EXPECT_EQ(c.list->NativeTexts(), (Texts{u"A", u"C"}));
  EXPECT_EQ(c.list->native_inserts, 1);
  EXPECT_EQ(c.list->native_removes, 2);
  EXPECT_EQ(c.list->datakeys, (Texts{u"A", u"C"}));
}

TEST(DataSource, DroppingAKeyBeforeALongerRunRemovesIt) {
  SyncCase c;
  c.list->SetDataSource(c.source);
  c.Sync({u"A", u"B", u"C", u"D"});
  c.Sync({u"A", u"C", u"D"});
  EXPECT_EQ(c.list->NativeTexts(), (Texts{u"A", u"C", u"D"}));
  EXPECT_EQ(c.list->native_inserts, 0);
  EXPECT_EQ(c.list->native_removes, 1);
}

TEST(DataSource, AppendsAndComparesTextsExactly) {
  SyncCase c;
  c.list->SetDataSource(c.source);
  c.Sync({u"a"});
  c.Sync({u"a", u"b", u"c"});
  EXPECT_EQ(c.list->native_inserts, 2);
  EXPECT_EQ(c.list->native_removes, 0);
  c.Sync({u"A", u"b", u"c"});
  EXPECT_EQ(c.list->NativeTexts(), (Texts{u"A", u"b", u"c"}));
}

TEST(DataSource, ItemsFromKeysCarryTheSourceAsExtra) {
  SyncCase c;
  c.source->elements = {u"k"};
  c.list->SetDataSource(c.source);
  ASSERT_EQ(c.list->ItemCount(), 1);
  EXPECT_EQ(c.list->ItemExtra(0), c.source);
  EXPECT_EQ(c.list->ItemIcon(0), 0);
  EXPECT_EQ(c.list->ItemTip(0), u"");
  EXPECT_EQ(c.list->ItemFlags(0), 0);
}

TEST(DataSource, EmptySourceClearsAndReportsOnceAndTheNextSyncStartsAfresh) {
  auto list = NewFake();
  auto source = std::make_shared<TObjectList>();
  source->elements = {NewText(u"A"), NewText(u"B")};
  list->SetDataSource(source);
  EXPECT_EQ(list->NativeTexts(), (Texts{u"A", u"B"}));
  source->elements.clear();
  EXPECT_EQ(list->SyncDataSource(), 1);
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(list->SyncDataSource(), 0);
  // The same keys coming back must give items again, not be taken as still there.
  source->elements = {NewText(u"A"), NewText(u"B")};
  list->SyncDataSource();
  EXPECT_EQ(list->NativeTexts(), (Texts{u"A", u"B"}));
}

TEST(DataSource, KeysOfListsAndObjectArraysSkipNulls) {
  TObjectList list;
  list.elements = {NewText(u"x"), nullptr, NewText(u"y")};
  EXPECT_EQ(TGadget::KeysFromList(list), (Texts{u"x", u"y", u""}));
  TObjectArray array;
  array.elements = {nullptr, NewText(u"z")};
  EXPECT_EQ(TGadget::KeysFromObjectArray(array), (Texts{u"z", u""}));

  auto gadget = NewFake();
  auto source = std::make_shared<TObjectArray>();
  source->elements = {NewText(u"p"), NewText(u"q")};
  gadget->SetDataSource(source);
  EXPECT_EQ(gadget->NativeTexts(), (Texts{u"p", u"q"}));
}

TEST(DataSource, NoSourceOrAnUnknownKindGivesNoItems) {
  auto list = NewFake();
  EXPECT_EQ(list->SyncDataSource(), 0);
  GadgetAddItem(list, u"manual", 0, -1, u"", nullptr);
  list->SetDataSource(NewText(u"not a collection"));  // clears, then finds no keys
  EXPECT_EQ(list->ItemCount(), 0);
}

}  // namespace
}  // namespace quardeln::testing
