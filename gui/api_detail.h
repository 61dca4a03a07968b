// Shared by the API implementation files only: the null check every operation makes on
// its gadget argument before calling it.
#pragma once

#include "gui/api.h"
#include "runtime/error.h"

namespace quardeln::detail {

inline TGadget& Use(const GadgetRef& g) {
  if (!g) RaiseError(kNullGadgetMessage);
  return *g;
}

}  // namespace quardeln::detail
