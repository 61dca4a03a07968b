// Integer handles for objects: 0 stands for null; the same object always gets the same
// non-zero handle while it has one, and the table keeps the object alive until that
// handle is released. A released handle may later name another object.
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace quardeln {

int32_t ObjectHandle(const ObjectRef& object);
ObjectRef HandleObject(int32_t handle);  // null for 0 or an unknown handle
// Lets the table drop the object of `handle`; 0 and unknown handles are ignored.
int32_t ReleaseObjectHandle(int32_t handle);

}  // namespace quardeln
