#include "system/win32/win32_dpi.h"

#include <cstdint>

namespace quardeln {
namespace {

// Looked up by name: older systems lack them, and each has a fallback.
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();

// The DPI_AWARENESS_CONTEXT values, which older headers lack.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3));

// The window property holding the DPI a top-level window took from WM_DPICHANGED.
constexpr wchar_t kDpiProperty[] = L"QuardelnDpi";

bool AwarenessWanted = true;

template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  // GetProcAddress answers with a generic function pointer; the export has Fn's signature.
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

int32_t ToNative(int32_t units, int32_t dpi) {
  return UnitsToPixels(units, dpi);
}

int32_t FromNative(int32_t pixels, int32_t dpi) {
  return PixelsToUnits(pixels, dpi);
}

RECT ToNative(const RECT& units, int32_t dpi) {
  return {ToNative(units.left, dpi), ToNative(units.top, dpi), ToNative(units.right, dpi),
          ToNative(units.bottom, dpi)};
}

int32_t SystemDpi() {
  // A program that keeps the system's scaling sees pixels as units everywhere, as it did
  // before the driver knew of DPI (a system that does not stretch such a program, like
  // Wine, then shows it at its real pixel size).
  if (!AwarenessWanted) return kUnitDpi;
  static const GetDpiForSystemFn forSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem) return static_cast<int32_t>(forSystem());
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kUnitDpi;
}

int32_t DpiOfWindow(HWND hwnd) {
  if (!hwnd || !AwarenessWanted) return SystemDpi();
  HWND root = GetAncestor(hwnd, GA_ROOT);
  if (!root) root = hwnd;
  if (HANDLE taken = GetPropW(root, kDpiProperty)) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(taken));
  }
  static const GetDpiForWindowFn forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = forWindow ? forWindow(root) : 0;
  return dpi > 0 ? static_cast<int32_t>(dpi) : SystemDpi();
}

void RememberWindowDpi(HWND window, int32_t dpi) {
  if (window && dpi > 0) {
    SetPropW(window, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<intptr_t>(dpi)));
  }
}

void ForgetWindowDpi(HWND window) {
  if (window) RemovePropW(window, kDpiProperty);
}

void WantDpiAwareness(bool wanted) {
  AwarenessWanted = wanted;
}

void DeclareDpiAwareness() {
  if (!AwarenessWanted) return;
  // Refused when the manifest declared the awareness already: the manifest's holds.
  if (auto set = User32Function<SetProcessDpiAwarenessContextFn>("SetProcessDpiAwarenessContext")) {
    if (set(kPerMonitorAwareV2) || set(kPerMonitorAware)) return;
    if (GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  SetProcessDPIAware();
}

}  // namespace quardeln
