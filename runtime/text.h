// Texts are UTF-16 (std::u16string), immutable by convention; the empty text stands
// where no text is given. Conversions to and from UTF-8, the ANSI code page and numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quardeln {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// The ANSI code page: on Windows the system's (CP_ACP); elsewhere Windows-1252's
// Latin-1 subset. Characters the code page lacks become '?'.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

// Decimal forms of 32-bit integers, as the text form of events prints them.
std::u16string IntText(int64_t value);

// A plain ASCII literal as a text (for tests and messages).
std::u16string AsciiText(std::string_view ascii);

}  // namespace quardeln
