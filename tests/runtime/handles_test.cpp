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

}  // namespace
}  // namespace quardeln
