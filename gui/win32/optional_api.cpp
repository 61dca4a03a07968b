#include "gui/win32/optional_api.h"

namespace quardeln {

SetLayeredWindowAttributesFn SetLayeredWindowAttributesPtr = nullptr;
DrawThemeParentBackgroundFn DrawThemeParentBackgroundPtr = nullptr;
SetWindowThemeFn SetWindowThemePtr = nullptr;
OpenThemeDataFn OpenThemeDataPtr = nullptr;
CloseThemeDataFn CloseThemeDataPtr = nullptr;
AdjustWindowRectExForDpiFn AdjustWindowRectExForDpiPtr = nullptr;

namespace {

template <typename Fn>
Fn Resolve(HMODULE library, const char* name) {
  if (!library) return nullptr;
  // GetProcAddress answers with a generic function pointer; the named export has the
  // signature Fn documents.
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

void ResolveOptionalEntryPoints() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  SetLayeredWindowAttributesPtr =
      Resolve<SetLayeredWindowAttributesFn>(user32, "SetLayeredWindowAttributes");
  AdjustWindowRectExForDpiPtr =
      Resolve<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
  // Kept loaded for the run: the pointers stay valid as long as the driver may call them.
  static HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
  DrawThemeParentBackgroundPtr =
      Resolve<DrawThemeParentBackgroundFn>(uxtheme, "DrawThemeParentBackground");
  SetWindowThemePtr = Resolve<SetWindowThemeFn>(uxtheme, "SetWindowTheme");
  OpenThemeDataPtr = Resolve<OpenThemeDataFn>(uxtheme, "OpenThemeData");
  CloseThemeDataPtr = Resolve<CloseThemeDataFn>(uxtheme, "CloseThemeData");
}

}  // namespace quardeln
