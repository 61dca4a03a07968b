// The Win32 headers of the Windows GUI driver, included in one place and one order.
// Every driver file includes this before any toolkit header: gadget.h undoes the few
// windows.h macros that collide with gadget operations (SetProp, GetProp, ReplaceText),
// which only works when the Windows headers come first.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
//
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shlwapi.h>

#include "gui/gadget.h"
