#include "examples/gallery/gallery_native.h"

#include "runtime/win32/windows_api.h"

#include <vector>

#include "runtime/win32/native_owner.h"

namespace gallery {

std::u16string ExecutableFolder() {
  // Long paths are cut to what fits; a cut path names no folder, so none is given.
  std::vector<wchar_t> path(MAX_PATH * 4);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  std::u16string folder(reinterpret_cast<const char16_t*>(path.data()), length);
  const size_t slash = folder.find_last_of(u"\\/");
  return slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash + 1);
}

void PaintCanvas(quardeln::NativeHandle canvas, uint32_t rgb, const std::u16string& caption) {
  HWND hwnd = reinterpret_cast<HWND>(canvas);
  if (!IsWindow(hwnd)) return;
  RECT area{};
  GetClientRect(hwnd, &area);
  const quardeln::TWindowDc dc(hwnd);
  const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  FillRect(dc.get(), &area, quardeln::UniqueBrush(CreateSolidBrush(colour)).get());
  // The system's GUI font is a stock object: not ours to delete.
  const quardeln::TSelectedObject font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), RGB(255, 255, 255));
  DrawTextW(dc.get(), reinterpret_cast<const wchar_t*>(caption.c_str()),
            static_cast<int>(caption.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace gallery
