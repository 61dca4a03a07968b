// The clock texts for any calendar time, extremes included: the clock source answers the
// input's 64-bit time. Whatever the time, ClockText is "HH:MM:SS" and DateText is a
// two-digit day, a three-letter month and a year.
#include <cstdint>
#include <ctime>
#include <string>

#include "fuzz/fuzz_input.h"
#include "system/clock.h"

namespace quardeln::fuzz {
namespace {

std::time_t given = 0;

std::time_t GivenTime() {
  return given;
}

bool Digit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool Upper(char16_t c) {
  return c >= u'A' && c <= u'Z';
}
bool Lower(char16_t c) {
  return c >= u'a' && c <= u'z';
}

bool IsClockText(const std::u16string& text) {
  return text.size() == 8 && Digit(text[0]) && Digit(text[1]) && text[2] == u':' &&
         Digit(text[3]) && Digit(text[4]) && text[5] == u':' && Digit(text[6]) && Digit(text[7]);
}

// "DD Mon YYYY", the year with as many digits as it needs and a sign when negative.
bool IsDateText(const std::u16string& text) {
  if (text.size() < 8) return false;
  if (!(Digit(text[0]) && Digit(text[1]) && text[2] == u' ' && Upper(text[3]) && Lower(text[4]) &&
        Lower(text[5]) && text[6] == u' ')) {
    return false;
  }
  size_t year = text[7] == u'-' ? 8 : 7;
  if (year == text.size()) return false;
  for (; year < text.size(); ++year) {
    if (!Digit(text[year])) return false;
  }
  return true;
}

}  // namespace
}  // namespace quardeln::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quardeln;
  using namespace quardeln::fuzz;
  TFuzzInput input(data, size);
  given = static_cast<std::time_t>(input.Int64());
  SetClockSource(&GivenTime);
  Check(IsClockText(ClockText()), "ClockText is HH:MM:SS");
  Check(IsDateText(DateText()), "DateText is DD Mon YYYY");
  return 0;
}
