// Entry points the driver looks up by name at start-up because older systems lack them.
// Each is null when its library or export is missing; callers then take their fallback.
// Resolved once by ResolveOptionalEntryPoints; the libraries stay loaded for the run.
#pragma once

#include "gui/win32/win32_api.h"

namespace quardeln {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

extern SetLayeredWindowAttributesFn SetLayeredWindowAttributesPtr;  // user32
extern DrawThemeParentBackgroundFn DrawThemeParentBackgroundPtr;    // uxtheme
extern SetWindowThemeFn SetWindowThemePtr;                          // uxtheme
extern OpenThemeDataFn OpenThemeDataPtr;                            // uxtheme
// Closes what OpenThemeData gave, so that asking about a theme does not leak it.
extern CloseThemeDataFn CloseThemeDataPtr;  // uxtheme
// A window's frame at a DPI other than the system's.
extern AdjustWindowRectExForDpiFn AdjustWindowRectExForDpiPtr;  // user32

void ResolveOptionalEntryPoints();

}  // namespace quardeln
