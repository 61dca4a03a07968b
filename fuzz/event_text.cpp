// The text form of events built from the input: any id, data, modifiers and position,
// and an extra that is absent, a text, or an object that is no text. The form must be
// the id's name and each field in its place, the extra's text (only a text's) quoted
// at the end.
#include <cstdint>
#include <string>

#include "events/event.h"
#include "fuzz/fuzz_input.h"
#include "runtime/object.h"
#include "runtime/text.h"

namespace quardeln::fuzz {
namespace {

std::u16string ExpectedName(int32_t id) {
  if (const char* name = EventIdName(id)) return AsciiText(name);
  if (id < 0) return u"UserEvent" + IntText(int64_t{id} + 0x80000000LL);
  return u"Unknown Event, id=" + IntText(id);
}

}  // namespace
}  // namespace quardeln::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quardeln;
  using namespace quardeln::fuzz;
  TFuzzInput input(data, size);
  const int32_t id = input.Int32();
  const int32_t value = input.Int32();
  const int32_t mods = input.Int32();
  const int32_t x = input.Int32();
  const int32_t y = input.Int32();
  const uint8_t extraKind = input.Byte() % 3;
  const std::u16string text = input.Text();

  ObjectRef extra;
  if (extraKind == 1) extra = NewText(text);
  if (extraKind == 2) extra = MakeEvent(id, nullptr, value);  // an object, but no text
  const EventRef event = MakeEvent(id, nullptr, value, mods, x, y, extra);
  const std::u16string expected = ExpectedName(id) + u": data=" + IntText(value) + u", mods=" +
                                  IntText(mods) + u", x=" + IntText(x) + u", y=" + IntText(y) +
                                  u", extra=\"" + (extraKind == 1 ? text : u"") + u"\"";
  Check(event->ToString() == expected, "the text form names the id and every field in order");
  return 0;
}
