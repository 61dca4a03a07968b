#include "events/hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/error.h"

namespace quardeln {
namespace {

// Each test runs on a chain id of its own, taken once for the whole program.
int32_t TestChain() {
  static int32_t id = NewHookId();
  return id;
}

void ClearChain(int32_t id) {
  HookChains()[static_cast<size_t>(id)].reset();
}

std::vector<std::u16string>& Calls() {
  static std::vector<std::u16string> calls;
  return calls;
}

ObjectRef Record(int32_t, ObjectRef data, const ObjectRef& context) {
  Calls().push_back(context ? context->ToString() : u"-");
  return data;
}

ObjectRef Replace(int32_t, ObjectRef, const ObjectRef& context) {
  return context;
}

ObjectRef RecordData(int32_t, ObjectRef data, const ObjectRef&) {
  Calls().push_back(data ? data->ToString() : u"null");
  return data;
}

class HookChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearChain(TestChain());
    Calls().clear();
  }
  void TearDown() override { ClearChain(TestChain()); }
  int32_t chain = TestChain();
};

TEST_F(HookChainTest, RunsInDescendingPriorityAndInsertionOrderOnTies) {
  auto a = NewText(u"5a"), b = NewText(u"5b"), c = NewText(u"0"), d = NewText(u"-3");
  InsertHook(chain, &Record, c, 0);
  InsertHook(chain, &Record, a, 5);
  InsertHook(chain, &Record, d, -3);
  InsertHook(chain, &Record, b, 5);
  CallHooks(chain, nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::u16string>{u"5a", u"5b", u"0", u"-3"}));
}

TEST_F(HookChainTest, ReturnedDataFlowsToLaterHooksAndOut) {
  auto replacement = NewText(u"new");
  InsertHook(chain, &Replace, replacement, 10);
  InsertHook(chain, &RecordData, nullptr, 0);
  ObjectRef result = CallHooks(chain, NewText(u"old"));
  EXPECT_EQ(Calls(), std::vector<std::u16string>{u"new"});
  EXPECT_EQ(result, replacement);
  EXPECT_EQ(CallHooks(chain, nullptr), replacement);  // a chain cannot be stopped
}

TEST_F(HookChainTest, DeleteMatchesFunctionAndContextAndRemovesOnlyTheFirst) {
  auto ctx = NewText(u"c");
  InsertHook(chain, &Record, ctx, 0);
  InsertHook(chain, &Record, ctx, 0);
  DeleteHook(chain, &Record, NewText(u"c"));  // equal text, other object
  DeleteHook(chain, &RecordData, ctx);        // other function
  CallHooks(chain, nullptr);
  EXPECT_EQ(Calls().size(), 2u);
  Calls().clear();
  DeleteHook(chain, &Record, ctx);
  CallHooks(chain, nullptr);
  EXPECT_EQ(Calls().size(), 1u);
}

ObjectRef DeleteSelf(int32_t id, ObjectRef data, const ObjectRef& context) {
  Calls().push_back(u"self");
  DeleteHook(id, &DeleteSelf, context);
  return data;
}

TEST_F(HookChainTest, AHookMayRemoveItselfWhileTheChainRuns) {
  InsertHook(chain, &DeleteSelf, nullptr, 1);
  InsertHook(chain, &Record, NewText(u"after"), 0);
  CallHooks(chain, nullptr);
  CallHooks(chain, nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::u16string>{u"self", u"after", u"after"}));
}

TEST_F(HookChainTest, InsertingANullFunctionRaisesAndLeavesTheChainAlone) {
  InsertHook(chain, &Record, NewText(u"kept"), 0);
  try {
    InsertHook(chain, nullptr, nullptr, 1);
    FAIL() << "null function accepted";
  } catch (const RuntimeError& error) {
    EXPECT_STREQ(error.what(), "Attempt to call uninitialized function pointer");
  }
  CallHooks(chain, nullptr);
  EXPECT_EQ(Calls(), std::vector<std::u16string>{u"kept"});
}

TEST(HookIds, ThePlaceholderFunctionRaises) {
  THook hook;
  EXPECT_EQ(hook.priority, 0);
  EXPECT_EQ(hook.succ, nullptr);
  try {
    hook.func(0, nullptr, nullptr);
    FAIL() << "placeholder returned";
  } catch (const RuntimeError& error) {
    EXPECT_STREQ(error.what(), "Attempt to call uninitialized function pointer");
  }
}

}  // namespace
}  // namespace quardeln
