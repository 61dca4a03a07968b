// The file requester's rules on any filter and initial path: backslashed paths, their
// split into folder and name, the initial filter index and the native filter string.
// Input: the filter's length in characters (16 bits), the filter, then the path.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "system/driver_logic.h"

namespace quardeln::fuzz {
namespace {

template <typename Text, typename Char>
int64_t CountOf(const Text& text, Char c) {
  return std::count(text.begin(), text.end(), c);
}

void CheckPaths(const std::u16string& path) {
  const std::u16string native = BackslashPath(path);
  Check(native.size() == path.size() && CountOf(native, u'/') == 0 &&
            CountOf(native, u'\\') == CountOf(path, u'\\') + CountOf(path, u'/'),
        "BackslashPath turns each slash into a backslash and nothing else");
  const RequestPath split = SplitRequestPath(path);
  Check(CountOf(split.name, u'\\') == 0, "the initial name holds no backslash");
  if (native.find(u'\\') == std::u16string::npos) {
    Check(split.directory.empty() && split.name == native, "without a folder the path is the name");
  } else {
    Check(split.directory + u'\\' + split.name == native, "folder and name make the path");
  }
}

void CheckFilter(const std::u16string& filter, const std::u16string& path) {
  const int32_t index = InitialFilterIndex(filter, path);
  Check(index >= 0 && index <= CountOf(filter, u';') + 1, "the index names a group or none");
  Check(filter.empty() ? index == 0 : true, "no filter, no index");

  const std::string native = NativeFilterString(filter);
  Check(native.empty() == filter.empty(), "only an empty filter gives an empty native filter");
  if (filter.empty()) return;
  Check(native.back() == '\0', "the native filter ends in a zero");
  const bool described = filter.find(u':') != std::u16string::npos;
  Check(CountOf(native, '\0') == CountOf(filter, u'\0') + (described ? 0 : 1) +
                                     CountOf(filter, u':') + CountOf(filter, u';') + 1,
        "a zero after each description and each group, and one at the end");
}

}  // namespace
}  // namespace quardeln::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quardeln::fuzz;
  TFuzzInput input(data, size);
  const uint16_t filterLength = input.UInt16();
  const std::u16string filter = input.Text(filterLength);
  const std::u16string path = input.Text();
  CheckPaths(path);
  CheckFilter(filter, path);
  return 0;
}
