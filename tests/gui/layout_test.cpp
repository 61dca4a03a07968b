#include <gtest/gtest.h>

#include <climits>

#include "fake_driver.h"

namespace quardeln::testing {
namespace {

// A 400 x 300 parent with one kid at (100, 20, 50, 30) locked under the given rules;
// the parent then grows to 800 x 600 and lays its kids out.
struct Placed {
  int32_t x, y, w, h;
};

Placed LayOut(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t new_width = 800,
              int32_t new_height = 600) {
  auto group = NewFake(400, 300);
  auto kid = NewFake();
  kid->_setparent(group, -1);
  kid->SetShape(100, 20, 50, 30);
  kid->SetLayout(left, right, top, bottom);
  group->client_width = new_width;
  group->client_height = new_height;
  group->LayoutKids();
  return {kid->xpos, kid->ypos, kid->width, kid->height};
}

TEST(Layout, CentreRuleMovesTheCentreInProportion) {
  Placed p = LayOut(LOCK_CENTRE, LOCK_CENTRE, LOCK_CENTRE, LOCK_CENTRE);
  EXPECT_EQ(p.x, 225);  // 800 * (100 + 25) / 400 - 25
  EXPECT_EQ(p.w, 50);
  EXPECT_EQ(p.y, 55);  // 600 * (20 + 15) / 300 - 15
  EXPECT_EQ(p.h, 30);
}

TEST(Layout, ScaleRuleOnBothSides) {
  Placed p = LayOut(LOCK_SCALE, LOCK_SCALE, LOCK_SCALE, LOCK_SCALE);
  EXPECT_EQ(p.x, 200);
  EXPECT_EQ(p.w, 100);  // far edge 800 * 150 / 400 = 300
  EXPECT_EQ(p.y, 40);
  EXPECT_EQ(p.h, 60);
}

TEST(Layout, EdgeRuleOnBothSidesStretches) {
  Placed p = LayOut(LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.w, 450);  // far edge 100 + 50 - 400 + 800 = 550
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(p.h, 330);
}

TEST(Layout, OneRuledEdgeKeepsTheSize) {
  Placed left = LayOut(LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE, LOCK_CENTRE);
  EXPECT_EQ(left.x, 100);
  EXPECT_EQ(left.w, 50);
  Placed right = LayOut(LOCK_CENTRE, LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE);
  EXPECT_EQ(right.x, 500);
  EXPECT_EQ(right.w, 50);
  EXPECT_EQ(right.y, 320);  // far edge 20 + 30 - 300 + 600 = 350
  EXPECT_EQ(right.h, 30);
  Placed scaled = LayOut(LOCK_SCALE, LOCK_CENTRE, LOCK_CENTRE, LOCK_SCALE);
  EXPECT_EQ(scaled.x, 200);
  EXPECT_EQ(scaled.w, 50);
  EXPECT_EQ(scaled.y, 70);  // far edge 600 * 50 / 300 = 100
}

TEST(Layout, UnknownRuleLeavesThatEdgeWhereItIs) {
  // Near edge rule 3 is no rule: a keeps the current left edge, the far edge follows.
  Placed p = LayOut(3, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.w, 450);
}

TEST(Layout, ParentClientSizeOfZeroOrLessCountsAsOne) {
  Placed p = LayOut(LOCK_SCALE, LOCK_SCALE, LOCK_SCALE, LOCK_SCALE, -5, 0);
  EXPECT_EQ(p.x, 0);  // 1 * 100 / 400
  EXPECT_EQ(p.w, 0);
  EXPECT_EQ(p.y, 0);

  auto group = NewFake(0, -3);
  auto kid = NewFake();
  kid->_setparent(group, -1);
  kid->LockLayout();
  EXPECT_EQ(kid->lockcw, 1);
  EXPECT_EQ(kid->lockch, 1);
}

TEST(Layout, SetLayoutTakesThePresentPlacementAsReference) {
  auto group = NewFake(400, 300);
  auto kid = NewFake();
  kid->_setparent(group, -1);
  kid->SetShape(100, 20, 50, 30);
  group->client_width = 800;
  kid->SetRect(10, 20, 60, 30);  // moved without re-locking
  kid->SetLayout(LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  EXPECT_EQ(kid->lockx, 10);
  EXPECT_EQ(kid->lockw, 60);
  EXPECT_EQ(kid->lockcw, 800);
  group->client_width = 900;
  group->LayoutKids();
  EXPECT_EQ(kid->xpos, 10);
  EXPECT_EQ(kid->width, 160);
}

TEST(Layout, LayoutReachesGrandchildrenThroughSetArea) {
  auto window = NewFake(400, 300);
  auto panel = NewFake(200, 100);
  auto button = NewFake();
  panel->_setparent(window, -1);
  panel->SetShape(0, 0, 200, 100);
  panel->SetLayout(LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  button->_setparent(panel, -1);
  button->SetShape(10, 10, 20, 20);
  button->SetLayout(LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  window->client_width = 500;
  panel->client_width = 300;  // what the panel's native client becomes
  window->LayoutKids();
  EXPECT_EQ(panel->width, 300);
  EXPECT_EQ(button->width, 120);
  EXPECT_GT(button->rethinks, 1);
}

TEST(Layout, NeverLockedOrParentlessGadgetIsLeftAlone) {
  auto group = NewFake(400, 300);
  auto kid = NewFake();
  kid->_setparent(group, -1);
  kid->SetRect(5, 6, 7, 8);  // no LockLayout: lockcw and lockch are 0
  EXPECT_EQ(kid->DoLayout(), 0);
  EXPECT_EQ(kid->xpos, 5);
  EXPECT_EQ(kid->width, 7);

  auto alone = NewFake();
  alone->SetShape(1, 2, 3, 4);
  alone->DoLayout();
  EXPECT_EQ(alone->xpos, 1);
  EXPECT_EQ(alone->rethinks, 1);
}

TEST(Layout, ArithmeticWrapsAt32Bits) {
  // P * (L + S) overflows 32 bits; the result wraps instead of being undefined.
  Placed p = LayOut(LOCK_SCALE, LOCK_SCALE, LOCK_EDGE, LOCK_EDGE, INT_MAX, 600);
  const int32_t near_edge = static_cast<int32_t>(static_cast<int64_t>(INT_MAX) * 100) / 400;
  EXPECT_EQ(p.x, near_edge);
  EXPECT_EQ(p.y, 20);
}

TEST(Layout, SetShapeStoresMovesAndLocks) {
  auto group = NewFake(640, 480);
  auto kid = NewFake();
  kid->_setparent(group, -1);
  kid->SetShape(1, 2, 3, 4);
  EXPECT_EQ(kid->rethinks, 1);
  EXPECT_EQ(kid->lockx, 1);
  EXPECT_EQ(kid->locky, 2);
  EXPECT_EQ(kid->lockw, 3);
  EXPECT_EQ(kid->lockh, 4);
  EXPECT_EQ(kid->lockcw, 640);
  EXPECT_EQ(kid->lockch, 480);
}

}  // namespace
}  // namespace quardeln::testing
