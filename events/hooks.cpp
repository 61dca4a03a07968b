#include "events/hooks.h"

#include <utility>
#include <vector>

#include "runtime/error.h"

namespace quardeln {
namespace {

ObjectRef UninitializedHook(int32_t, ObjectRef, const ObjectRef&) {
  RaiseError(kUninitializedFunctionMessage);
}

int32_t& NextHookId() {
  static int32_t next = 0;
  return next;
}

// A chain id outside 0..255 is misuse; treat it as the empty chain rather than
// reading or writing beyond the table.
bool ValidChain(int32_t id) {
  return id >= 0 && id < kHookChainCount;
}

}  // namespace

THook::THook() : func(&UninitializedHook) {}

namespace {
HookChainTable TheChains;  // constant-initialised: every head empty before any start-up
}  // namespace

HookChainTable& HookChains() {
  return TheChains;
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
  // A null function would only fail later, in the middle of some chain run: refuse it here.
  if (!func) RaiseError(kUninitializedFunctionMessage);
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

namespace {

// Nodes unlinked while a chain runs are parked here until no run is left standing on
// them; this keeps the walk free of per-node reference counting.
struct ChainRuns {
  int depth = 0;
  std::vector<std::shared_ptr<THook>> removed;
};

ChainRuns TheRuns;  // constant-initialised: no guard on the hot path

ChainRuns& Runs() {
  return TheRuns;
}

class RunGuard {
 public:
  RunGuard() { ++Runs().depth; }
  ~RunGuard() {
    if (--Runs().depth == 0 && !Runs().removed.empty()) Runs().removed.clear();
  }
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;
};

}  // namespace

ObjectRef CallHooks(int32_t id, ObjectRef data) {
  if (!ValidChain(id)) return data;
  RunGuard guard;
  for (THook* node = HookChains()[static_cast<size_t>(id)].get(); node; node = node->succ.get()) {
    data = node->func(id, std::move(data), node->context);
  }
  return data;
}

int32_t DeleteHook(int32_t id, HookFunction func, const ObjectRef& context) {
  if (!ValidChain(id)) return 0;
  std::shared_ptr<THook>* link = &HookChains()[static_cast<size_t>(id)];
  while (*link) {
    THook& node = **link;
    if (node.func == func && node.context == context) {
      auto removed = std::move(*link);
      *link = removed->succ;  // the removed node keeps its own succ for a run standing on it
      if (Runs().depth > 0) Runs().removed.push_back(std::move(removed));
      return 0;
    }
    link = &node.succ;
  }
  return 0;
}

}  // namespace quardeln
