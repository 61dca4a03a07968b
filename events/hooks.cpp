#include "events/hooks.h"

#include "runtime/error.h"

namespace quardeln {
namespace {

ObjectRef UninitializedHook(int32_t, const ObjectRef&, const ObjectRef&) {
  RaiseError(kUninitializedFunctionMessage);
}

int32_t& NextHookId() {
  static int32_t next = 0;
  return next;
}

// A chain id outside 0..255 is misuse; treat it as the empty chain rather than
// reading or writing beyond the table.
bool ValidChain(int32_t id) { return id >= 0 && id < kHookChainCount; }

}  // namespace

THook::THook() : func(&UninitializedHook) {}

HookChainTable& HookChains() {
  static HookChainTable chains;
  return chains;
}

int32_t NewHookId() {
  int32_t& next = NextHookId();
  int32_t id = next++;
  if (id >= kHookChainCount) {
    next = kHookChainCount + 1;  // stays exhausted without ever overflowing
    RaiseError(kTooManyHookIdsMessage);
  }
  return id;
}

int32_t InsertHook(int32_t id, HookFunction func, ObjectRef context, int32_t priority) {
  if (!ValidChain(id)) return 0;
  auto hook = std::make_shared<THook>();
  hook->func = func;
  hook->context = std::move(context);
  hook->priority = priority;

  auto& head = HookChains()[static_cast<size_t>(id)];
  THook* passed = nullptr;
  for (THook* node = head.get(); node && node->priority >= priority; node = node->succ.get()) {
    passed = node;
  }
  auto& link = passed ? passed->succ : head;
  hook->succ = std::move(link);
  link = std::move(hook);
  return 0;
}

ObjectRef CallHooks(int32_t id, ObjectRef data) {
  if (!ValidChain(id)) return data;
  // Holding each node while it runs lets a hook delete itself (or its successor's
  // predecessor) without the walk losing its footing.
  std::shared_ptr<THook> node = HookChains()[static_cast<size_t>(id)];
  while (node) {
    data = node->func(id, data, node->context);
    node = node->succ;
  }
  return data;
}

int32_t DeleteHook(int32_t id, HookFunction func, const ObjectRef& context) {
  if (!ValidChain(id)) return 0;
  std::shared_ptr<THook>* link = &HookChains()[static_cast<size_t>(id)];
  while (*link) {
    THook& node = **link;
    if (node.func == func && node.context == context) {
      *link = node.succ;  // the removed node keeps its own succ for a chain run standing on it
      return 0;
    }
    link = &node.succ;
  }
  return 0;
}

}  // namespace quardeln
