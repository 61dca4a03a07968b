#include "runtime/handles.h"

#include <unordered_map>
#include <vector>

namespace quardeln {
namespace {

struct HandleTable {
  std::vector<ObjectRef> objects;  // handle n is objects[n - 1]
  std::unordered_map<const TObject*, int32_t> ids;
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
  table.objects.push_back(object);
  auto handle = static_cast<int32_t>(table.objects.size());
  table.ids.emplace(object.get(), handle);
  return handle;
}

ObjectRef HandleObject(int32_t handle) {
  auto& table = Table();
  if (handle <= 0 || static_cast<size_t>(handle) > table.objects.size()) return nullptr;
  return table.objects[static_cast<size_t>(handle) - 1];
}

}  // namespace quardeln
