// Geometry and the layout of a gadget inside its parent.
#include <algorithm>

#include "gui/gadget.h"

namespace quardeln {
namespace {

// The layout rules are defined on 32-bit signed numbers that wrap; doing each step in
// 64 bits and narrowing (modular since C++20) gives that without undefined overflow.
int32_t Wrap(int64_t value) {
  return static_cast<int32_t>(value);
}
int32_t Add(int32_t a, int32_t b) {
  return Wrap(int64_t{a} + b);
}
int32_t Sub(int32_t a, int32_t b) {
  return Wrap(int64_t{a} - b);
}
int32_t Mul(int32_t a, int32_t b) {
  return Wrap(int64_t{a} * b);
}
int32_t Div(int32_t a, int32_t b) {
  return Wrap(int64_t{a} / b);
}  // truncates toward zero

struct AxisRule {
  int32_t parent_size;  // P, at least 1
  int32_t near_rule;    // N
  int32_t far_rule;     // F
  int32_t lock_pos;     // L
  int32_t lock_size;    // S
  int32_t lock_parent;  // C, at least 1
};

struct AxisPlace {
  int32_t pos;
  int32_t extent;
};

AxisPlace LayoutAxis(const AxisRule& r, int32_t pos, int32_t extent) {
  const int32_t P = r.parent_size, L = r.lock_pos, S = r.lock_size, C = r.lock_parent;
  int32_t a = pos;
  int32_t b = Add(pos, extent);
  if (r.near_rule == LOCK_CENTRE && r.far_rule == LOCK_CENTRE) {
    a = Sub(Div(Mul(P, Add(L, S / 2)), C), S / 2);
    return {a, S};
  }
  if (r.near_rule == LOCK_EDGE) a = L;
  if (r.near_rule == LOCK_SCALE) a = Div(Mul(P, L), C);
  if (r.far_rule == LOCK_EDGE) b = Add(Sub(Add(L, S), C), P);
  if (r.far_rule == LOCK_SCALE) b = Div(Mul(P, Add(L, S)), C);
  if (r.near_rule == LOCK_CENTRE) {
    a = Sub(b, S);
  } else if (r.far_rule == LOCK_CENTRE) {
    b = Add(a, S);
  }
  return {a, Sub(b, a)};
}

}  // namespace

int32_t TGadget::SetShape(int32_t x, int32_t y, int32_t w, int32_t h) {
  SetArea(x, y, w, h);
  LockLayout();
  return 0;
}

int32_t TGadget::SetArea(int32_t x, int32_t y, int32_t w, int32_t h) {
  SetRect(x, y, w, h);
  Rethink();
  LayoutKids();
  return 0;
}

int32_t TGadget::SetRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  xpos = x;
  ypos = y;
  width = w;
  height = h;
  return 0;
}

int32_t TGadget::LockLayout() {
  lockx = xpos;
  locky = ypos;
  lockw = width;
  lockh = height;
  lockcw = 1;
  lockch = 1;
  if (GadgetRef group = Parent()) {
    lockcw = std::max(group->ClientWidth(), 1);
    lockch = std::max(group->ClientHeight(), 1);
  }
  return 0;
}

int32_t TGadget::SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) {
  lockl = left;
  lockr = right;
  lockt = top;
  lockb = bottom;
  LockLayout();
  return 0;
}

int32_t TGadget::LayoutKids() {
  // A kid's layout may reach the driver, which may re-parent; walk a snapshot.
  const GadgetKids snapshot = kids;
  for (const GadgetRef& kid : snapshot) {
    if (kid) kid->DoLayout();
  }
  return 0;
}

int32_t TGadget::DoLayout() {
  GadgetRef group = Parent();
  if (!group) return 0;
  // Never locked (lockcw and lockch are 0 until LockLayout): no reference to scale from.
  if (lockcw <= 0 || lockch <= 0) return 0;
  const AxisRule horizontal{std::max(group->ClientWidth(), 1), lockl, lockr, lockx, lockw, lockcw};
  const AxisRule vertical{std::max(group->ClientHeight(), 1), lockt, lockb, locky, lockh, lockch};
  const AxisPlace x = LayoutAxis(horizontal, xpos, width);
  const AxisPlace y = LayoutAxis(vertical, ypos, height);
  SetArea(x.pos, y.pos, x.extent, y.extent);
  return 0;
}

}  // namespace quardeln
