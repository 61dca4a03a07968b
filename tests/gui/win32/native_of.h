// How the tests reach a gadget's native window: as a program does, through Query.
#pragma once

#include "gui/win32/win32_api.h"

namespace quardeln::test {

template <typename G>
HWND NativeOf(const G& gadget) {
  return reinterpret_cast<HWND>(gadget->Query(QUERY_NATIVE));
}

}  // namespace quardeln::test
