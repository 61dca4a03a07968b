#include "runtime/handles.h"

#include <gtest/gtest.h>

namespace quardeln {
namespace {

TEST(ObjectHandles, NullIsZeroAndAnObjectKeepsItsHandle) {
  EXPECT_EQ(ObjectHandle(nullptr), 0);
  auto text = NewText(u"x");
  int32_t handle = ObjectHandle(text);
  EXPECT_NE(handle, 0);
  EXPECT_EQ(ObjectHandle(text), handle);
  EXPECT_NE(ObjectHandle(NewText(u"y")), handle);
  EXPECT_EQ(HandleObject(handle), text);
  EXPECT_EQ(HandleObject(0), nullptr);
  EXPECT_EQ(HandleObject(-5), nullptr);
}

TEST(ObjectHandles, TheTableKeepsTheObjectAlive) {
  std::weak_ptr<TObject> watch;
  int32_t handle;
  {
    auto text = NewText(u"kept");
    watch = text;
    handle = ObjectHandle(text);
  }
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(HandleObject(handle)->ToString(), u"kept");
}

TEST(ObjectHandles, ReleasingLetsTheObjectGoAndFreesTheHandle) {
  std::weak_ptr<TObject> watch;
  int32_t handle;
  {
    auto text = NewText(u"released");
    watch = text;
    handle = ObjectHandle(text);
  }
  auto other = NewText(u"other");
  const int32_t other_handle = ObjectHandle(other);
  EXPECT_EQ(ReleaseObjectHandle(handle), 0);
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(HandleObject(handle), nullptr);
  EXPECT_EQ(HandleObject(other_handle), other) << "other handles are untouched";
  // Releasing again, 0 or a handle never given changes nothing.
  ReleaseObjectHandle(handle);
  ReleaseObjectHandle(0);
  ReleaseObjectHandle(-1);
  ReleaseObjectHandle(1 << 30);
  EXPECT_EQ(HandleObject(other_handle), other);
  // The freed number serves the next object; a released object asked again gets a new one.
  auto next = NewText(u"next");
  EXPECT_EQ(ObjectHandle(next), handle);
  EXPECT_EQ(HandleObject(handle), next);
  ReleaseObjectHandle(other_handle);
  const int32_t again = ObjectHandle(other);
  EXPECT_NE(again, 0);
  EXPECT_EQ(HandleObject(again), other);
  EXPECT_EQ(ObjectHandle(other), again);
}

}  // namespace
}  // namespace quardeln
