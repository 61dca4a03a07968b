#include "runtime/win32/native_owner.h"

namespace quardeln {

namespace native_detail {
int64_t live[static_cast<int>(NativeKind::kCount)] = {};
}  // namespace native_detail

int64_t LiveNativeCount(NativeKind kind) {
  return native_detail::live[static_cast<int>(kind)];
}

}  // namespace quardeln
