// The Win32 headers of the Windows GUI driver, included in one place and one order.
// Every driver file includes this (first, by habit): it undoes the few Windows macros
// that collide with gadget operations (SetProp, GetProp, ReplaceText), whichever of the
// Windows headers or gadget.h a file happened to include before.
#pragma once

#include "system/win32/windows_api.h"
//
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlwapi.h>

#ifdef SetProp
#undef SetProp
#endif
#ifdef GetProp
#undef GetProp
#endif
#ifdef ReplaceText
#undef ReplaceText
#endif

#include "gui/gadget.h"
