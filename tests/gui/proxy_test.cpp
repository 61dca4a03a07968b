#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "fake_driver.h"

namespace quardeln::testing {
namespace {

// Logs the name of every operation it receives, then behaves as the base.
class RecordingGadget : public TGadget {
 public:
  std::vector<std::string> log;
  bool Saw(const std::string& op) const {
    return std::find(log.begin(), log.end(), op) != log.end();
  }

#define RECORD(ret, op, params, args) \
  ret op params override {            \
    log.push_back(#op);               \
    return TGadget::op args;          \
  }
  RECORD(int32_t, SetFilter, (EventFilter f, ObjectRef c), (std::move(f), std::move(c)))
  RECORD(int32_t, _setparent, (const GadgetRef& g, int32_t i), (g, i))
  RECORD(GadgetRef, Handle, (), ())
  RECORD(int32_t, SetShape, (int32_t x, int32_t y, int32_t w, int32_t h), (x, y, w, h))
  RECORD(int32_t, SetArea, (int32_t x, int32_t y, int32_t w, int32_t h), (x, y, w, h))
  RECORD(int32_t, SetRect, (int32_t x, int32_t y, int32_t w, int32_t h), (x, y, w, h))
  RECORD(int32_t, LockLayout, (), ())
  RECORD(int32_t, SetLayout, (int32_t l, int32_t r, int32_t t, int32_t b), (l, r, t, b))
  RECORD(int32_t, LayoutKids, (), ())
  RECORD(int32_t, DoLayout, (), ())
  RECORD(int32_t, SetDataSource, (ObjectRef s), (std::move(s)))
  RECORD(int32_t, SyncDataSource, (), ())
  RECORD(int32_t, SyncData, (const std::vector<std::u16string>& k), (k))
  RECORD(int32_t, InsertItemFromKey, (int32_t i, const std::u16string& k), (i, k))
  RECORD(int32_t, Clear, (), ())
  RECORD(int32_t, InsertItem,
         (int32_t i, const std::u16string& t, const std::u16string& p, int32_t c, ObjectRef e,
          int32_t f),
         (i, t, p, c, std::move(e), f))
  RECORD(int32_t, SetItem,
         (int32_t i, const std::u16string& t, const std::u16string& p, int32_t c, ObjectRef e,
          int32_t f),
         (i, t, p, c, std::move(e), f))
  RECORD(int32_t, RemoveItem, (int32_t i), (i))
  RECORD(int32_t, ItemCount, (), ())
  RECORD(std::u16string, ItemText, (int32_t i), (i))
  RECORD(std::u16string, ItemTip, (int32_t i), (i))
  RECORD(int32_t, ItemFlags, (int32_t i), (i))
  RECORD(int32_t, ItemIcon, (int32_t i), (i))
  RECORD(ObjectRef, ItemExtra, (int32_t i), (i))
  RECORD(int32_t, SetItemState, (int32_t i, int32_t s), (i, s))
  RECORD(int32_t, ItemState, (int32_t i), (i))
  RECORD(int32_t, SelectItem, (int32_t i, int32_t o), (i, o))
  RECORD(int32_t, SelectedItem, (), ())
  RECORD(std::vector<int32_t>, SelectedItems, (), ())
  RECORD(int32_t, Insert, (const GadgetRef& g, int32_t i), (g, i))
  RECORD(NativeHandle, Query, (int32_t w), (w))
  RECORD(int32_t, Free, (), ())
  RECORD(int32_t, Rethink, (), ())
  RECORD(int32_t, ClientWidth, (), ())
  RECORD(int32_t, ClientHeight, (), ())
  RECORD(int32_t, Activate, (int32_t a), (a))
  RECORD(int32_t, State, (), ())
  RECORD(int32_t, SetText, (const std::u16string& t), (t))
  RECORD(std::u16string, GetText, (), ())
  RECORD(int32_t, SetFont, (const FontRef& f), (f))
  RECORD(int32_t, SetColor, (int32_t r, int32_t g, int32_t b), (r, g, b))
  RECORD(int32_t, SetAlpha, (float a), (a))
  RECORD(int32_t, SetTextColor, (int32_t r, int32_t g, int32_t b), (r, g, b))
  RECORD(int32_t, SetTooltip, (const std::u16string& t), (t))
  RECORD(std::u16string, GetTooltip, (), ())
  RECORD(int32_t, SetPixmap, (const PixmapRef& p, int32_t f), (p, f))
  RECORD(int32_t, SetIconStrip, (const IconStripRef& s), (s))
  RECORD(int32_t, SetShow, (int32_t f), (f))
  RECORD(int32_t, SetEnabled, (int32_t f), (f))
  RECORD(int32_t, SetSelected, (int32_t f), (f))
  RECORD(int32_t, SetHotKey, (int32_t k, int32_t m), (k, m))
  RECORD(int32_t, SetSensitivity, (int32_t f), (f))
  RECORD(int32_t, GetSensitivity, (), ())
  RECORD(int32_t, SetStatus, (const std::u16string& t), (t))
  RECORD(GadgetRef, GetMenu, (), ())
  RECORD(int32_t, PopupMenu, (const GadgetRef& m, ObjectRef e), (m, std::move(e)))
  RECORD(int32_t, UpdateMenu, (), ())
  RECORD(int32_t, SetMinimumSize, (int32_t w, int32_t h), (w, h))
  RECORD(int32_t, SetMaximumSize, (int32_t w, int32_t h), (w, h))
  RECORD(int32_t, ClearListItems, (), ())
  RECORD(int32_t, InsertListItem,
         (int32_t i, const std::u16string& t, const std::u16string& p, int32_t c, ObjectRef e),
         (i, t, p, c, std::move(e)))
  RECORD(int32_t, SetListItem,
         (int32_t i, const std::u16string& t, const std::u16string& p, int32_t c, ObjectRef e),
         (i, t, p, c, std::move(e)))
  RECORD(int32_t, RemoveListItem, (int32_t i), (i))
  RECORD(int32_t, SetListItemState, (int32_t i, int32_t s), (i, s))
  RECORD(int32_t, ListItemState, (int32_t i), (i))
  RECORD(GadgetRef, RootNode, (), ())
  RECORD(GadgetRef, InsertNode, (int32_t i, const std::u16string& t, int32_t c), (i, t, c))
  RECORD(int32_t, ModifyNode, (const std::u16string& t, int32_t c), (t, c))
  RECORD(GadgetRef, SelectedNode, (), ())
  RECORD(int32_t, CountKids, (), ())
  RECORD(int32_t, ReplaceText, (int32_t p, int32_t l, const std::u16string& t, int32_t u),
         (p, l, t, u))
  RECORD(int32_t, AddText, (const std::u16string& t), (t))
  RECORD(std::u16string, AreaText, (int32_t p, int32_t l, int32_t u), (p, l, u))
  RECORD(int32_t, AreaLen, (int32_t u), (u))
  RECORD(int32_t, LockText, (), ())
  RECORD(int32_t, UnlockText, (), ())
  RECORD(int32_t, SetTabs, (int32_t t), (t))
  RECORD(int32_t, GetCursorPos, (int32_t u), (u))
  RECORD(int32_t, GetSelectionLength, (int32_t u), (u))
  RECORD(int32_t, SetStyle,
         (int32_t r, int32_t g, int32_t b, int32_t f, int32_t p, int32_t l, int32_t u),
         (r, g, b, f, p, l, u))
  RECORD(int32_t, SetSelection, (int32_t p, int32_t l, int32_t u), (p, l, u))
  RECORD(int32_t, CharAt, (int32_t l), (l))
  RECORD(int32_t, LineAt, (int32_t i), (i))
  RECORD(int32_t, SetValue, (float v), (v))
  RECORD(int32_t, SetRange, (int32_t a, int32_t b), (a, b))
  RECORD(int32_t, SetProp, (int32_t v), (v))
  RECORD(int32_t, GetProp, (), ())
  RECORD(ObjectRef, AttachGraphics, (int32_t f), (f))
  RECORD(ObjectRef, CanvasGraphics, (), ())
  RECORD(std::u16string, Run, (const std::u16string& s), (s))
#undef RECORD
};

struct OpCall {
  std::string name;
  std::function<void(TGadget&)> call;
};

const std::vector<OpCall>& ForwardedOps() {
  static const std::vector<OpCall> ops = {
      {"SetLayout", [](TGadget& g) { g.SetLayout(1, 1, 1, 1); }},
      {"Query", [](TGadget& g) { g.Query(1); }},
      {"Free", [](TGadget& g) { g.Free(); }},
      {"Rethink", [](TGadget& g) { g.Rethink(); }},
      {"ClientWidth", [](TGadget& g) { g.ClientWidth(); }},
      {"ClientHeight", [](TGadget& g) { g.ClientHeight(); }},
      {"Activate", [](TGadget& g) { g.Activate(0); }},
      {"State", [](TGadget& g) { g.State(); }},
      {"SetText", [](TGadget& g) { g.SetText(u"t"); }},
      {"GetText", [](TGadget& g) { g.GetText(); }},
      {"SetFont", [](TGadget& g) { g.SetFont(nullptr); }},
      {"SetColor", [](TGadget& g) { g.SetColor(1, 2, 3); }},
      {"SetAlpha", [](TGadget& g) { g.SetAlpha(0.5f); }},
      {"SetTextColor", [](TGadget& g) { g.SetTextColor(1, 2, 3); }},
      {"SetPixmap", [](TGadget& g) { g.SetPixmap(nullptr, 0); }},
      {"SetIconStrip", [](TGadget& g) { g.SetIconStrip(nullptr); }},
      {"SetShow", [](TGadget& g) { g.SetShow(1); }},
      {"SetEnabled", [](TGadget& g) { g.SetEnabled(1); }},
      {"SetSelected", [](TGadget& g) { g.SetSelected(1); }},
      {"SetHotKey", [](TGadget& g) { g.SetHotKey(65, 2); }},
      {"SetSensitivity", [](TGadget& g) { g.SetSensitivity(3); }},
      {"GetSensitivity", [](TGadget& g) { g.GetSensitivity(); }},
      {"SetStatus", [](TGadget& g) { g.SetStatus(u"s"); }},
      {"GetMenu", [](TGadget& g) { g.GetMenu(); }},
      {"PopupMenu", [](TGadget& g) { g.PopupMenu(nullptr, nullptr); }},
      {"UpdateMenu", [](TGadget& g) { g.UpdateMenu(); }},
      {"SetMinimumSize", [](TGadget& g) { g.SetMinimumSize(1, 1); }},
      {"SetMaximumSize", [](TGadget& g) { g.SetMaximumSize(1, 1); }},
      {"ClearListItems", [](TGadget& g) { g.ClearListItems(); }},
      {"InsertListItem", [](TGadget& g) { g.InsertListItem(0, u"", u"", 0, nullptr); }},
      {"SetListItem", [](TGadget& g) { g.SetListItem(0, u"", u"", 0, nullptr); }},
      {"RemoveListItem", [](TGadget& g) { g.RemoveListItem(0); }},
      {"SetListItemState", [](TGadget& g) { g.SetListItemState(0, 16); }},
      {"ListItemState", [](TGadget& g) { g.ListItemState(0); }},
      {"RootNode", [](TGadget& g) { g.RootNode(); }},
      {"InsertNode", [](TGadget& g) { g.InsertNode(0, u"n", 0); }},
      {"ModifyNode", [](TGadget& g) { g.ModifyNode(u"n", 0); }},
      {"SelectedNode", [](TGadget& g) { g.SelectedNode(); }},
      {"CountKids", [](TGadget& g) { g.CountKids(); }},
      {"ReplaceText", [](TGadget& g) { g.ReplaceText(0, 0, u"", 0); }},
      {"AddText", [](TGadget& g) { g.AddText(u""); }},
      {"AreaText", [](TGadget& g) { g.AreaText(0, 0, 0); }},
      {"AreaLen", [](TGadget& g) { g.AreaLen(0); }},
      {"LockText", [](TGadget& g) { g.LockText(); }},
      {"UnlockText", [](TGadget& g) { g.UnlockText(); }},
      {"SetTabs", [](TGadget& g) { g.SetTabs(4); }},
      {"GetCursorPos", [](TGadget& g) { g.GetCursorPos(0); }},
      {"GetSelectionLength", [](TGadget& g) { g.GetSelectionLength(0); }},
      {"SetStyle", [](TGadget& g) { g.SetStyle(0, 0, 0, 0, 0, 0, 0); }},
      {"SetSelection", [](TGadget& g) { g.SetSelection(0, 0, 0); }},
      {"CharAt", [](TGadget& g) { g.CharAt(0); }},
      {"LineAt", [](TGadget& g) { g.LineAt(0); }},
      {"SetValue", [](TGadget& g) { g.SetValue(0.5f); }},
      {"SetRange", [](TGadget& g) { g.SetRange(1, 2); }},
      {"SetProp", [](TGadget& g) { g.SetProp(1); }},
      {"GetProp", [](TGadget& g) { g.GetProp(); }},
      {"AttachGraphics", [](TGadget& g) { g.AttachGraphics(0); }},
      {"CanvasGraphics", [](TGadget& g) { g.CanvasGraphics(); }},
      {"Run", [](TGadget& g) { g.Run(u"s"); }},
  };
  return ops;
}

const std::vector<OpCall>& KeptOps() {
  static const std::vector<OpCall> ops = {
      {"SetFilter", [](TGadget& g) { g.SetFilter(nullptr, nullptr); }},
      {"_setparent", [](TGadget& g) { g._setparent(nullptr, -1); }},
      {"Handle", [](TGadget& g) { g.Handle(); }},
      {"SetShape", [](TGadget& g) { g.SetShape(1, 2, 3, 4); }},
      {"SetArea", [](TGadget& g) { g.SetArea(1, 2, 3, 4); }},
      {"SetRect", [](TGadget& g) { g.SetRect(1, 2, 3, 4); }},
      {"LockLayout", [](TGadget& g) { g.LockLayout(); }},
      {"LayoutKids", [](TGadget& g) { g.LayoutKids(); }},
      {"DoLayout", [](TGadget& g) { g.DoLayout(); }},
      {"SetDataSource", [](TGadget& g) { g.SetDataSource(nullptr); }},
      {"SyncDataSource", [](TGadget& g) { g.SyncDataSource(); }},
      {"SyncData", [](TGadget& g) { g.SyncData({u"k"}); }},
      {"InsertItemFromKey", [](TGadget& g) { g.InsertItemFromKey(0, u"k"); }},
      {"Clear", [](TGadget& g) { g.Clear(); }},
      {"InsertItem", [](TGadget& g) { g.InsertItem(0, u"i", u"", 0, nullptr, 0); }},
      {"SetItem", [](TGadget& g) { g.SetItem(0, u"i", u"", 0, nullptr, 0); }},
      {"RemoveItem", [](TGadget& g) { g.RemoveItem(0); }},
      {"ItemCount", [](TGadget& g) { g.ItemCount(); }},
      {"ItemText", [](TGadget& g) { g.ItemText(0); }},
      {"ItemTip", [](TGadget& g) { g.ItemTip(0); }},
      {"ItemFlags", [](TGadget& g) { g.ItemFlags(0); }},
      {"ItemIcon", [](TGadget& g) { g.ItemIcon(0); }},
      {"ItemExtra", [](TGadget& g) { g.ItemExtra(0); }},
      {"SetItemState", [](TGadget& g) { g.SetItemState(0, 16); }},
      {"ItemState", [](TGadget& g) { g.ItemState(0); }},
      {"SelectItem", [](TGadget& g) { g.SelectItem(0, 1); }},
      {"SelectedItem", [](TGadget& g) { g.SelectedItem(); }},
      {"SelectedItems", [](TGadget& g) { g.SelectedItems(); }},
      {"Insert", [](TGadget& g) { g.Insert(nullptr, 0); }},
      {"SetTooltip", [](TGadget& g) { g.SetTooltip(u"tip"); }},
      {"GetTooltip", [](TGadget& g) { g.GetTooltip(); }},
  };
  return ops;
}

struct ProxyPair {
  std::shared_ptr<TProxyGadget> proxy = std::make_shared<TProxyGadget>();
  std::shared_ptr<RecordingGadget> target = std::make_shared<RecordingGadget>();
  ProxyPair() {
    proxy->SetProxy(target);
    proxy->InsertItem(0, u"own", u"", 0, nullptr, 0);  // the proxy's item at index 0
    target->log.clear();
  }
};

TEST(Proxy, ForwardsExactlyItsListOfOperations) {
  StartGuiModule();
  for (const auto& op : ForwardedOps()) {
    ProxyPair pair;
    op.call(*pair.proxy);
    // The target may call its own operations in turn (SetLayout locks the layout).
    ASSERT_FALSE(pair.target->log.empty()) << op.name << " was not forwarded";
    EXPECT_EQ(pair.target->log.front(), op.name);
  }
  EXPECT_EQ(ForwardedOps().size(), 59u);
}

TEST(Proxy, KeepsTreeLayoutItemsFilterAndTooltipToItself) {
  StartGuiModule();
  for (const auto& op : KeptOps()) {
    ProxyPair pair;
    op.call(*pair.proxy);
    EXPECT_FALSE(pair.target->Saw(op.name)) << op.name << " was forwarded";
  }
  // 92 operations in all, two of them class functions.
  EXPECT_EQ(ForwardedOps().size() + KeptOps().size() + 2, 92u);
}

TEST(Proxy, ItemsStayWithTheProxyWhileTheTargetShowsThem) {
  auto proxy = std::make_shared<TProxyGadget>();
  auto shown = NewFake();
  proxy->SetProxy(shown);
  GadgetAddItem(proxy, u"a", 0, -1, u"", nullptr);
  GadgetAddItem(proxy, u"b", ITEMFLAG_PRESELECT, -1, u"", nullptr);
  EXPECT_EQ(proxy->ItemCount(), 2);
  EXPECT_EQ(shown->ItemCount(), 0);
  EXPECT_EQ(shown->NativeTexts(), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(GadgetSelectedItem(proxy), 1);  // the state lives in the shown list
}

TEST(Proxy, TextGoesThroughAndTipsStay) {
  auto proxy = std::make_shared<TProxyGadget>();
  auto shown = NewFake();
  shown->SetText(u"inner");
  proxy->SetProxy(shown);
  EXPECT_EQ(GadgetGetText(proxy), u"inner");
  GadgetSetText(proxy, u"changed");
  EXPECT_EQ(shown->text, u"changed");
  auto recorded = std::make_shared<RecordingGadget>();
  proxy->SetProxy(recorded);
  GadgetSetTip(proxy, u"tip");
  EXPECT_FALSE(recorded->Saw("SetTooltip"));
}

TEST(Proxy, DefaultTargetDoesNothingAndRetargetingKeepsTheOldSource) {
  StartGuiModule();
  auto proxy = std::make_shared<TProxyGadget>();
  EXPECT_EQ(proxy->proxy, DefaultProxyTarget);
  EXPECT_EQ(proxy->GetText(), u"");
  EXPECT_EQ(proxy->Query(QUERY_NATIVE), 0);
  auto first = NewFake(), second = NewFake();
  proxy->SetProxy(first);
  proxy->SetProxy(second);
  EXPECT_EQ(first->source.lock(), proxy);
  EXPECT_EQ(second->source.lock(), proxy);
  EXPECT_EQ(proxy->proxy, second);
  proxy->SetProxy(nullptr);
  EXPECT_EQ(proxy->proxy, DefaultProxyTarget);
  proxy->SetProxy(proxy);  // refused: it would forward to itself forever
  EXPECT_EQ(proxy->proxy, DefaultProxyTarget);
}

TEST(Proxy, ProxyAndTargetAreReleasedTogether) {
  std::weak_ptr<TGadget> proxy_seen, target_seen;
  {
    auto proxy = std::make_shared<TProxyGadget>();
    auto target = NewFake();
    proxy->SetProxy(target);
    proxy_seen = proxy, target_seen = target;
  }
  EXPECT_TRUE(proxy_seen.expired());
  EXPECT_TRUE(target_seen.expired());
}

}  // namespace
}  // namespace quardeln::testing
