// Integer handles for objects: 0 stands for null; the same object always gets the same
// non-zero handle, and once a handle exists the table keeps the object alive for good.
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace quardeln {

int32_t ObjectHandle(const ObjectRef& object);
ObjectRef HandleObject(int32_t handle);  // null for 0 or an unknown handle

}  // namespace quardeln
