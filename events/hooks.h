// Hook chains: 256 numbered chains of callbacks, each in descending priority, ties in
// insertion order. Running a chain threads one data object through every hook.
// Main thread only; hook ids are handed out once and never returned.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "runtime/object.h"

namespace quardeln {

// A hook function: (chain id, current data, the hook's context) -> the new data.
// Data is passed by value and moved along the chain: a hook that hands it on unchanged
// costs no reference counting.
using HookFunction = ObjectRef (*)(int32_t id, ObjectRef data, const ObjectRef& context);

class THook {
 public:
  THook();

  std::shared_ptr<THook> succ;
  int32_t priority = 0;
  HookFunction func;
  ObjectRef context;
};

inline constexpr int32_t kHookChainCount = 256;

using HookChainTable = std::array<std::shared_ptr<THook>, kHookChainCount>;
HookChainTable& HookChains();

int32_t NewHookId();
// A null function is refused with the run-time error kUninitializedFunctionMessage.
int32_t InsertHook(int32_t id, HookFunction func, ObjectRef context, int32_t priority);
ObjectRef CallHooks(int32_t id, ObjectRef data);
int32_t DeleteHook(int32_t id, HookFunction func, const ObjectRef& context);

}  // namespace quardeln
