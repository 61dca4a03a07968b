// The driver's links into the Windows system driver: raw key and mouse input of gadgets
// that ask for it becomes toolkit events there, windows being destroyed are forgotten by
// its pointer tracking, and failures inside native callbacks are handed to its pump.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <exception>

namespace quardeln {

// Hands one native key or mouse message of `source` to the system driver's translator.
void TranslateGadgetInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          const GadgetRef& source);

// `hwnd` is being destroyed: the pointer tracking must not keep it or its gadget.
void ForgetDestroyedWindow(HWND hwnd);

// An exception must not cross the system's frames: the pump rethrows it afterwards.
void DeferNativeFailure(std::exception_ptr failure);

}  // namespace quardeln
