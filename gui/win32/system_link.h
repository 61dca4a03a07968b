// The driver's one way into the Windows system driver's input translation: key and
// mouse messages of gadgets that ask for them become toolkit events there.
#pragma once

#include "gui/win32/win32_api.h"

namespace quardeln {

// Hands one native key or mouse message of `source` to the system driver's translator.
void TranslateGadgetInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          const GadgetRef& source);

}  // namespace quardeln
