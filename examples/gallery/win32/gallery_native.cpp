#include "examples/gallery/gallery_native.h"

#include "runtime/win32/windows_api.h"

#include <vector>

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

}  // namespace gallery
