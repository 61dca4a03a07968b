#include "runtime/handles.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace quardeln {
namespace {

struct HandleTable {
  std::vector<ObjectRef> objects;  // handle n is objects[n - 1]; null when released
  std::unordered_map<const TObject*, int32_t> ids;
  std::vector<int32_t> released;  // handles free for reuse, so the table does not grow for good
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

int32_t ObjectHandle(const ObjectRef& object) {
  if (!object) return 0;
  auto& table = Table();
  auto found = table.ids.find(object.get());
  if (found != table.ids.end()) return found->second;
  int32_t handle;
  if (!table.released.empty()) {
    handle = table.released.back();
    table.released.pop_back();
    table.objects[static_cast<size_t>(handle) - 1] = object;
  } else {
    table.objects.push_back(object);
    handle = static_cast<int32_t>(table.objects.size());
  }
  table.ids.emplace(object.get(), handle);
  return handle;
}

ObjectRef HandleObject(int32_t handle) {
  auto& table = Table();
  if (handle <= 0 || static_cast<size_t>(handle) > table.objects.size()) return nullptr;
  return table.objects[static_cast<size_t>(handle) - 1];
}

int32_t ReleaseObjectHandle(int32_t handle) {
  auto& table = Table();
  if (handle <= 0 || static_cast<size_t>(handle) > table.objects.size()) return 0;
  ObjectRef& slot = table.objects[static_cast<size_t>(handle) - 1];
  if (!slot) return 0;
  table.ids.erase(slot.get());
  // The object may hold the last reference to others that release their own handles
  // when they go: let it go only once the table is consistent.
  ObjectRef last = std::exchange(slot, nullptr);
  table.released.push_back(handle);
  return 0;
}

}  // namespace quardeln
