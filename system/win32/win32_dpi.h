// Physical pixels against the toolkit's units of 1/96 inch. Every position and size a
// program sees is in those units; only the Windows drivers meet pixels, and they convert
// through these functions at the few places where native windows are made, moved and
// measured. At 96 dots per inch both directions are the identity. A window's DPI is the
// one its top-level window last took (WM_DPICHANGED), else the system's answer for it;
// 96 everywhere for a program that keeps the system's scaling.
#pragma once

#include <cstdint>

#include "runtime/dpi_scale.h"
#include "system/win32/windows_api.h"

namespace quardeln {

// Units to pixels at `dpi` and back, rounding halves away from zero, so that a value
// taken to pixels and back (at 96 dots per inch or more) is the value given.
int32_t ToNative(int32_t units, int32_t dpi);
int32_t FromNative(int32_t pixels, int32_t dpi);
RECT ToNative(const RECT& units, int32_t dpi);

// The dots per inch `hwnd` is shown at (null: the system's).
int32_t DpiOfWindow(HWND hwnd);
// The system's dots per inch: that of the primary screen as the process sees it.
int32_t SystemDpi();
// A top-level window now shown at `dpi` (it moved to another screen, or the scale changed).
void RememberWindowDpi(HWND window, int32_t dpi);
void ForgetWindowDpi(HWND window);

// Declares the process aware of each monitor's DPI (per-monitor v2 where the system has it,
// else per-monitor, else system-wide), unless the program asked to keep the system's
// scaling (false) or its manifest declared it already. Called by the GUI driver at start.
void DeclareDpiAwareness();
void WantDpiAwareness(bool wanted);

}  // namespace quardeln
