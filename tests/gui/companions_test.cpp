// Fonts, icon strips and hot keys.
#include <gtest/gtest.h>

#include "fake_driver.h"

namespace quardeln::testing {
namespace {

TEST(GuiFont, StyleBitsFromAnyNonZeroFlag) {
  DriverScope scope;
  FontRef font = GuiFontLoad(u"MS Sans Serif", 14, 1, 0, 0);
  EXPECT_EQ(scope.driver->last_font_style, FONT_BOLD);
  EXPECT_EQ(GuiFontGetName(font), u"MS Sans Serif");
  EXPECT_EQ(GuiFontGetSize(font), 14);
  EXPECT_EQ(GuiFontGetStyle(font), 1);
  EXPECT_EQ(GuiFontGetStyle(GuiFontLoad(u"x", 9, 2, -1, 7)), 7);
  EXPECT_EQ(GuiFontGetStyle(GuiFontLoad(u"x", 9, 0, 5, 0)), FONT_ITALIC);
  EXPECT_EQ(GuiFontPick(font), font);
}

TEST(IconStrip, SquareViewsOntoTheStripPixels) {
  auto strip = std::make_shared<TIconStrip>();
  strip->pixmap = TPixmap::Create(160, 16, PF_RGBA8888);
  strip->count = IconCountOf(*strip->pixmap);
  EXPECT_EQ(strip->count, 10);
  PixmapRef last = IconStripGetPixmap(strip, 9);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Width(), 16);
  EXPECT_EQ(last->Height(), 16);
  last->WritePixel(0, 0, 0xFF112233u);
  EXPECT_EQ(strip->pixmap->ReadPixel(144, 0), 0xFF112233u);  // the same pixels
  EXPECT_EQ(IconStripGetPixmap(strip, 10), nullptr);
  EXPECT_EQ(IconStripGetPixmap(strip, -1), nullptr);
  EXPECT_EQ(IconStripGetPixmap(nullptr, 0), nullptr);
}

TEST(IconStrip, CountIgnoresALeftoverAndNeedsAWholeIcon) {
  EXPECT_EQ(IconCountOf(*TPixmap::Create(20, 16, PF_RGB888)), 1);
  EXPECT_EQ(IconCountOf(*TPixmap::Create(15, 16, PF_RGB888)), 0);
  EXPECT_EQ(IconCountOf(*TPixmap::Create(15, 0, PF_RGB888)), 0);
  DriverScope scope;
  EXPECT_EQ(IconStripLoad(TPixmap::Create(15, 16, PF_RGB888)), nullptr);
  EXPECT_EQ(IconStripLoad(TPixmap::Create(32, 16, PF_RGB888))->count, 2);
}

// Each hot key test starts and ends with an empty registry.
class HotKeys : public ::testing::Test {
 protected:
  void SetUp() override { HotKeyList = nullptr; }
  void TearDown() override { HotKeyList = nullptr; }
};

TEST_F(HotKeys, DefaultEventIsHotkeyHitWithKeyAndMods) {
  HotKeyRef entry = HotKeyRegister(65, ModControl, nullptr, 0);
  EventRef event = HotKeyFind(65, ModControl, 1234);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event, entry->event);
  EXPECT_EQ(event->id, HotkeyHit);
  EXPECT_EQ(event->data, 65);
  EXPECT_EQ(event->mods, ModControl);
  EXPECT_EQ(event->source, nullptr);
  EXPECT_EQ(HotKeyFind(65, 0, 0), nullptr);  // mods must match exactly
  EXPECT_EQ(HotKeyFind(66, ModControl, 0), nullptr);
}

TEST_F(HotKeys, RegisteringTheSameKeyAgainReusesTheEntry) {
  auto first = MakeEvent(GadgetAction, nullptr, 1);
  auto second = MakeEvent(GadgetAction, nullptr, 2);
  HotKeyRef a = HotKeyRegister(65, 2, first, 77);
  HotKeyRef b = HotKeyRegister(65, 2, second, 77);
  EXPECT_EQ(a, b);
  EXPECT_EQ(HotKeyList, a);
  EXPECT_EQ(HotKeyList->succ, nullptr);
  EXPECT_EQ(HotKeyFind(65, 2, 77), second);
  HotKeyRef other_owner = HotKeyRegister(65, 2, first, 0);
  EXPECT_NE(other_owner, a);  // owner 0 is a different entry
}

TEST_F(HotKeys, OwnerMatchingAndNewestFirst) {
  auto window_key = MakeEvent(GadgetAction, nullptr, 1);
  auto app_key = MakeEvent(GadgetAction, nullptr, 2);
  HotKeyRegister(112, 0, window_key, 500);
  EXPECT_EQ(HotKeyFind(112, 0, 500), window_key);
  EXPECT_EQ(HotKeyFind(112, 0, 600), nullptr);  // another window is in front
  EXPECT_EQ(HotKeyFind(112, 0, 0), nullptr);
  HotKeyRegister(112, 0, app_key, 0);
  // Newest first: the application-wide key registered later wins even for window 500.
  EXPECT_EQ(HotKeyFind(112, 0, 500), app_key);
  EXPECT_EQ(HotKeyFind(112, 0, 600), app_key);
  EXPECT_EQ(HotKeyList->event, app_key);
}

TEST_F(HotKeys, RemoveUnlinksOnlyThatEntry) {
  HotKeyRef a = HotKeyRegister(1, 0, nullptr, 0);
  HotKeyRef b = HotKeyRegister(2, 0, nullptr, 0);
  HotKeyRef c = HotKeyRegister(3, 0, nullptr, 0);
  EXPECT_EQ(HotKeyRemove(b), 0);
  EXPECT_EQ(b->succ, nullptr);
  EXPECT_EQ(HotKeyList, c);
  EXPECT_EQ(c->succ, a);
  EXPECT_EQ(HotKeyFind(2, 0, 0), nullptr);
  HotKeyRemove(b);  // no longer registered: nothing happens
  HotKeyRemove(nullptr);
  HotKeyRemove(c);
  EXPECT_EQ(HotKeyList, a);
  HotKeyRemove(a);
  EXPECT_EQ(HotKeyList, nullptr);
}

TEST_F(HotKeys, ALongRegistryIsReleasedWithoutDeepRecursion) {
  for (int32_t key = 0; key < 200000; ++key) {
    auto entry = std::make_shared<THotKey>();
    entry->key = key;
    entry->succ = std::move(HotKeyList);
    HotKeyList = std::move(entry);
  }
  HotKeyList = nullptr;
  SUCCEED();
}

}  // namespace
}  // namespace quardeln::testing
