#include "system/link.h"

#include <filesystem>
#include <system_error>

#include "runtime/error.h"
#include "runtime/text.h"
#include "system/clock.h"
#include "system/system_driver.h"

namespace quardeln {
namespace {

namespace fs = std::filesystem;

fs::path NativePath(const std::u16string& text) {
#ifdef _WIN32
  return fs::path(std::wstring(text.begin(), text.end()));
#else
  return fs::path(ToUtf8(text));
#endif
}

std::u16string PathText(const fs::path& path) {
#ifdef _WIN32
  std::wstring wide = path.wstring();
  return std::u16string(wide.begin(), wide.end());
#else
  return FromUtf8(path.string());
#endif
}

std::u16string LowerAscii(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// "https:" counts too: a secure web address must not turn into "http:https://...".
bool HasScheme(const std::u16string& text) {
  std::u16string head = LowerAscii(TextHead(text, 6));
  std::u16string prefix = head.substr(0, 5);
  return prefix == u"http:" || prefix == u"file:" || head == u"https:";
}

// The full path of an existing file or folder, or empty text. An empty name names
// nothing (it would otherwise resolve to the current directory).
std::u16string ExistingFullPath(const std::u16string& name) {
  if (name.empty()) return {};
  std::error_code error;
  fs::path full = fs::absolute(NativePath(name), error);
  if (error || !fs::exists(full, error) || error) return {};
  return PathText(full);
}

}  // namespace

std::u16string LinkAddress(const std::u16string& text) {
  if (HasScheme(text)) return text;
  size_t hash = text.find(u'#');
  std::u16string name = hash == std::u16string::npos ? text : text.substr(0, hash);
  std::u16string anchor = hash == std::u16string::npos ? u"" : text.substr(hash);
  std::u16string full = ExistingFullPath(name);
  if (!full.empty()) return u"file:" + full + anchor;
  return u"http:" + name + anchor;
}

void OpenLink(const std::u16string& text) {
  if (!ActiveSystemDriver) RaiseError("The system module has not started");
  ActiveSystemDriver->OpenURL(LinkAddress(text));
}

}  // namespace quardeln
