// OpenLink's address rules on any text: a text that names its scheme goes out unchanged;
// anything else becomes "file:" with a full path when it names an existing file or
// folder (relative names are taken from the current directory, the runner's scratch
// folder), else "http:" with the name; an anchor from the first "#" stays at the end.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "system/link.h"

namespace quardeln::fuzz {
namespace {

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::u16string& text, const std::u16string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace
}  // namespace quardeln::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quardeln;
  using namespace quardeln::fuzz;
  TFuzzInput input(data, size);
  const std::u16string text = input.Text();
  const std::u16string address = LinkAddress(text);

  const std::u16string head = Lower(text.substr(0, 6));
  if (StartsWith(head, u"http:") || StartsWith(head, u"file:") || head == u"https:") {
    Check(address == text, "an address with its scheme goes out unchanged");
    return 0;
  }
  const size_t hash = text.find(u'#');
  const std::u16string name = text.substr(0, hash);
  const std::u16string anchor = hash == std::u16string::npos ? u"" : text.substr(hash);
  if (StartsWith(address, u"http:")) {
    Check(address == u"http:" + name + anchor, "a web address is the name behind http:");
  } else {
    Check(StartsWith(address, u"file:/"), "anything else is a file: address with a full path");
    Check(!name.empty(), "an empty name names no file");
    Check(EndsWith(address, anchor), "the anchor stays behind the path");
  }
  return 0;
}
